// One pass of the Pascal scanner over one file: the definition pass (routines at their "begin",
// class declarations and their methods, line classes, path numbers, directives) or the analysis
// pass (member relations, calls, line words). Both follow the same blocks and headers so that
// they agree on every module.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Records.h"
#include "common/ConditionalCompilation.h"
#include "common/LineCounts.h"
#include "common/LineWordBuilder.h"
#include "pascal/PascalDirectives.h"
#include "pascal/PascalTokenReader.h"

namespace lumbra {

class NFileAnly;
class SourceText;

// What the definition pass leaves for the analysis pass: the modules it made or claimed, in the
// order it met them, so that the analysis pass finds the same records (overloads share names,
// and a claimed method moves to its body's line).
struct PascalFileData final : ScannerFileData {
    std::vector<int> modules;

    static PascalFileData& Renew(FileRecord& file);
    static PascalFileData* Of(FileRecord& file);
};

class PascalScanPass {
public:
    enum class Mode { Definition, Analysis };

    PascalScanPass(NFileAnly& engine, FileRecord& file, ConditionalCompilation& conditions,
                   Mode mode);
    void Run(const SourceText& text);

private:
    // An open construct: a statement block, a routine body, a "case", or a type declaration
    // ("class", "record", "object", "interface") that its "end" closes.
    enum class Block : std::uint8_t { Statement, Routine, Case, Declaration };
    struct Open {
        explicit Open(Block k = Block::Statement) : kind(k) {}
        Block kind;
        bool methods = false;           // a declaration whose routine heads are methods
        bool hasModule = false;         // its container module exists (or is not wanted)
        int line = 0;                   // declaration: its line
        std::string name;               // declaration: the type name, qualified when nested
        ModuleRecord* module = nullptr; // declaration: its container module
        int declaration = -1;           // index of the innermost declaration at or below it
    };

    void line(const char* text);
    // The line's leading conditional directive, if any, moves the stack before the line's state
    // is known. Returns where scanning starts.
    const char* leadingDirective(const char* p, unsigned& state);
    void scan(const char* p);
    const char* comment(const char* p);
    const char* directiveComment(const char* p, bool brace);
    void token(std::string_view t, const char* start, const char* after);
    void punctuation(char c, const char* p);
    void finishLine();

    // Keywords.
    void keyword(std::string_view lower, std::string_view t, const char* start, const char* after);
    void beginBlock();
    void endBlock();
    void declaration(std::string_view lower, const char* after);
    void routineKeyword(const char* start, const char* after);
    void method(std::string_view name);
    void header(std::string_view name);
    void cancelHeader();
    bool directiveWord(std::string_view lower);
    void resetBlocks();
    void push(Open open);

    // Modules.
    ModuleRecord* makeModule(std::string_view name, int line, int kind);
    ModuleRecord* claimBody(std::string_view name, int headerLine);
    ModuleRecord* nextRecorded(std::string_view name);
    void record(ModuleRecord* m);
    Open* innermostDeclaration();
    ModuleRecord* containerOf(Open& decl);

    // Analysis.
    void call(std::string_view t, const char* after);
    void setScope(ModuleRecord* module);

    int blockDepth() const { return static_cast<int>(blocks_.size()) - declarations_; }
    bool inBody() const { return current_ && blockDepth() > 0; }
    bool analysis() const { return mode_ == Mode::Analysis; }

    NFileAnly& engine_;
    FileRecord& file_;
    ConditionalCompilation& conditions_;
    const Mode mode_;
    PascalTokenReader reader_;
    PascalDirectives directives_;
    LineWordBuilder words_;
    PascalFileData* data_ = nullptr;
    std::size_t nextData_ = 0;

    bool labels_ = false;

    // Per-file state.
    int lineNo_ = 0;
    int comment_ = 0;     // 0 none, 1 inside a comment, 2 a comment ended or "//" on this line
    int commentKind_ = 0; // 2 "{...}", 1 "(*...*)"
    std::vector<Open> blocks_;
    int declarations_ = 0; // declaration entries among blocks_
    int headers_ = 0;      // routine heads at the current nesting
    bool pending_ = false; // a routine waits for its "begin"
    std::string pendingName_;
    int pendingLine_ = 0;
    bool body_ = false; // once a routine body was seen, code lines are Exec
    ModuleRecord* current_ = nullptr;
    std::string prefix_; // analysis: the class part of the current routine's name

    // A routine head being read: its parameters up to the ";", then its directive words.
    enum class Head : std::uint8_t { None, Parameters, Directives };
    Head head_ = Head::None;
    int headParens_ = 0;
    bool headPending_ = false; // the head being read is the pending routine
    bool headRoutine_ = false; // the head being read is a routine's (not a method's)

    // Statement state.
    std::string prev_, prev2_;   // the last two significant items (lower-cased words, punctuation)
    std::string statementFirst_; // the first word of the current declaration or statement
    bool skipNextCall_ = false;  // the word after "inherited"

    // Per-line state.
    bool code_ = false;
    bool commentSeen_ = false;
    bool inactive_ = false;      // the line is excluded by conditional compilation
    bool directiveLine_ = false; // the line begins with a conditional directive
    bool skipping_ = false;      // a directive on this line excluded the rest
    const char* lineStart_ = nullptr;

    std::string lower_, name_, qualified_, directiveName_;
    std::unordered_map<std::string, std::deque<ModuleRecord*>> declared_; // unclaimed methods
};

} // namespace lumbra
