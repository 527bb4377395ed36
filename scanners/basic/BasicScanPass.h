// One pass of the Basic scanner over one file: the definition pass (the file's containers, its
// procedures, line classes and path numbers) or the analysis pass (member relations, calls and
// line words). Both read the statements the same way so that they agree on every definition.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "basic/BasicTokenReader.h"
#include "common/LineCounts.h"
#include "common/LineWordBuilder.h"

namespace lumbra {

class NFileAnly;
class SourceText;
struct FileRecord;
struct ModuleRecord;

class BasicScanPass {
public:
    enum class Mode { Definition, Analysis };

    BasicScanPass(NFileAnly& engine, FileRecord& file, Mode mode);
    void Run(const SourceText& text);

    // Words the scanner acts on; keywords compare exactly, as the IDEs spell them.
    enum class Word : std::uint8_t {
        None,
        Attribute,
        Option,
        Private,
        Modifier, // Public, Friend, Protected, Shared, Partial, Overrides, ...
        Declare,
        DeclareLike, // Delegate, MustOverride: a head without a body
        Module,
        Class,
        Namespace,
        Interface,
        Sub,
        Function,
        Property,
        End,
        Exit,
        Then,
        If,
        ElseIf,
        Case,
        For,
        Do,
        While,
        Select,
        With,
        Try,
        SyncLock,
        Using,
        Next,
        Wend,
        Loop,
        New,
    };
    static Word Classify(std::string_view token);

private:
    struct Container {
        std::string name;
        ModuleRecord* module = nullptr;
        bool net = false; // a VB.NET "Class", "Module" or "Namespace" block (not the VB6 file)
    };

    void line(const char* text);
    void directiveLine(const char* s);
    void commentLine(const char* text);
    void startStatement();
    void scan(const char* p);
    // Acts on one token; returns where scanning goes on, or null when the rest of the line is
    // not scanned.
    const char* token(std::string_view t, const char* p);
    void finishLine();

    // Definitions.
    void attributeLine(const char* p);
    void containerHead(const char* p);
    const char* procedureHead(Word keyword, const char* p);
    void procedure(Word keyword, std::string_view name, const char* p);
    void endProcedure();
    void autoPropertyCheck(const char* s);
    void convertExecToDefine();

    // Blocks.
    const char* endStatement(const char* p);
    void openLevel();
    void closeLevel();
    void resetDepth();
    bool multiLineLambda(const char* p) const;

    // Analysis.
    void statementKind(Word w, std::string_view t);
    void call(std::string_view t);
    void setScope(ModuleRecord* module);

    void count(LineClass c);
    const std::string& containerName() const;
    ModuleRecord* containerModule() const;
    bool analysis() const { return mode_ == Mode::Analysis; }

    NFileAnly& engine_;
    FileRecord& file_;
    const Mode mode_;
    BasicTokenReader reader_;
    LineWordBuilder words_;

    // Options read once per pass.
    bool optDesigner_, folding_, labels_;

    // Per-file state.
    int lineNo_ = 0;
    int depth_ = 0;              // block depth: procedure bodies and block statements
    bool procedureOpen_ = false; // the current module's body is open
    ModuleRecord* current_ = nullptr;
    std::vector<Container> containers_;
    int netContainers_ = 0;       // open VB.NET containers (nesting of the line words)
    int regions_ = 0;             // open "#Region" blocks (line words, with folding)
    bool optionPrivate_ = false;  // "Option Private Module"
    bool designer_ = false;       // inside the form designer's generated region
    bool inInterface_ = false;    // between "Interface" and "End Interface"
    int looseExec_ = 0;           // Exec lines of the file counted outside procedure bodies
    bool lineLoose_ = false;      // this line is one of them
    bool continued_ = false;      // the previous line ended with the continuation mark
    Word awaiting_ = Word::None;  // a procedure keyword whose name is on the next line
    bool propertyUnsure_ = false; // a VB.NET property body whose first statement is to come
    std::string self_;            // the current procedure's own name, without qualification

    // Per-statement state (kept across continuation lines).
    bool first_ = true;      // the next token starts a statement
    bool headOnly_ = true;   // only modifiers and attributes so far
    bool attribute_ = false; // inside a "<...>" attribute
    bool private_ = false;
    bool declare_ = false;
    bool skipStatement_ = false; // the rest of the statement is not scanned
    Word firstWord_ = Word::None;
    std::string_view prev_;

    std::string name_, qualified_;
};

} // namespace lumbra
