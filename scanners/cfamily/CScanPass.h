// One pass of the C-family scanner over one file: the definition pass (modules, line classes,
// path numbers) or the analysis pass (calls, references, member relations, line words).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cfamily/CScopes.h"
#include "cfamily/CTokenReader.h"
#include "common/LineCounts.h"
#include "common/LineWordBuilder.h"
#include "common/ScanTables.h"

namespace lumbra {

class NFileAnly;
class Preprocessor;
class SourceText;
struct FileRecord;
struct ModuleRecord;

class CScanPass {
public:
    enum class Mode { Definition, Analysis };

    CScanPass(NFileAnly& engine, FileRecord& file, Preprocessor& preprocessor, Mode mode);
    void Run(const SourceText& text);

    // The flavour of a file by its name: ".java" and ".cs" change a few rules.
    static CFlavor FlavorOf(std::string_view fileName);

private:
    // Keywords the scanner acts on.
    enum class Word : std::uint8_t {
        None,
        Static,
        If,
        Else,
        Switch,
        Catch,
        Case,
        Default,
        For,
        Do,
        While,
        Until,
        Foreach,
        Namespace,
        Class,
        Struct,
        Union,
        Interface,
        Enum,
        Using,
    };
    static Word classify(std::string_view token);

    void line(const char* text);
    bool directiveLine(const char* s, const char*& scanFrom);
    void defineDirective(const char* p, const char*& scanFrom);
    void includeDirective(const char* p);
    void unscannedRest(const char* p);
    void scan(const char* p);
    const char* punctuation(const char* p);
    const char* token(const char* s, const char* e);
    void finishLine();

    // Candidates and definitions.
    void stateToken(char punct, std::string_view name, const char* after);
    const char* nameBeforeParen(std::string_view name, const char* s, const char* paren);
    void takeCandidate(std::string_view name, int parens);
    // The "(" after the type arguments starting at `p` ("<T>(" or "<T> ("), or null.
    static const char* afterTypeArguments(const char* p);
    // True when the line holds a '=' before `s`.
    bool equalsBefore(const char* s);
    void dropCandidate();
    bool emptyTokenCandidate(const char* paren);
    bool tablePattern(const char* paren, std::string& name, const char*& end);
    void definitionFound(ModuleRecord* module, std::string_view name);
    void memberInClassBody(std::string_view name);

    // Scopes.
    const char* scopeKeyword(Word word, const char* s, const char* e);
    void openClass(std::string_view name, bool nested, int line);
    void openBrace();
    void closeBrace();
    void enterScope(ModuleRecord* module);
    void resetAtFileLevel();

    // Calls.
    void call(std::string_view name, const char* s, bool reference, const char* after);
    // Records a call to `name`; `found` is the module FindModule(name) gives.
    void record(std::string_view name, ModuleRecord* found);
    bool referenceExcluded(const ModuleRecord& m, const char* s, const char* after) const;

    bool applyCondition(unsigned state);
    void markDirectiveLine();
    void captureLabels(const char* from, const char* to);
    void setCurrent(ModuleRecord* module);
    ModuleRecord* current() const;
    bool analysis() const { return mode_ == Mode::Analysis; }

    NFileAnly& engine_;
    FileRecord& file_;
    Preprocessor& pre_;
    const Mode mode_;
    CFlavor flavor_;
    CTokenReader reader_;
    CScopes scopes_;
    LineWordBuilder words_;

    // Options read once per pass.
    bool optMembers_, optTables_, optDesigner_, optReferences_, optNoClassInMember_,
        optNoClassPointer_, optMemberLink_, braceLinesOther_, folding_, labels_;

    // Per-file state.
    int lineNo_ = 0;
    int comment_ = 0; // 0 none, 1 inside a block comment, 2 a comment was seen on this line
    int depth_ = 0;
    bool static_ = false;
    bool body_ = false;
    bool designer_ = false;
    int continuation_ = 0; // 1 function-like #define goes on, 2 object-like #define is joined
    std::string defineName_, defineText_;
    bool joiningIf_ = false;
    std::string ifText_;
    bool previousActive_ = true;
    std::string previousIdentifier_;
    bool previousWasUsing_ = false;
    bool declarationHasCall_ = false;
    bool externCPending_ = false; // extern "C" seen, its "{" is to come

    std::string candidate_;
    int candidateLine_ = 0;
    int candidateState_ = 0; // 0 none, 1 in its parameters, 2 after ")", 3 after more tokens
    int parens_ = 0;
    int closeLine_ = 0;
    bool candidateColon_ = false;
    bool candidateStatic_ = false;
    bool candidateScoped_ = false; // analysis: the definition lookup already chose the scope

    struct PendingNested {
        bool active = false;
        std::string name;
        int line = 0;
        int depth = 0;
    } pendingNested_;

    int bodyDepth_ = -1;        // depth at which the current function's body opened
    bool awaitingBody_ = false; // analysis: a definition was found, its "{" is to come
    ModuleRecord* tableScope_ = nullptr;
    int regionLevels_ = 0;
    int inactiveLevels_ = 0;

    // Per-line state.
    const char* lineStart_ = nullptr;
    const char* codeEnd_ = nullptr; // where a line comment starts, or null
    bool code_ = false;
    bool commentSeen_ = false;
    bool directive_ = false; // a directive line (inactive lines: a conditional directive)
    bool closedBrace_ = false;
    bool keywordFirst_ = false;
    bool forPending_ = false; // the pending body is a "for" (its head holds ';')
    bool attributeLine_ = false;
    bool inactive_ = false;
    bool designerLine_ = false;
    bool previousWasNew_ = false;
    bool lastWordWasAccess_ = false; // the token before a ':' is public, private or protected
    int angles_ = 0; // '<' not yet closed on this line ("template<class T, class U>")
    bool firstEqualsKnown_ = false;
    bool lastSemicolonKnown_ = false;
    const char* lastSemicolon_ = nullptr;
    const char* firstEquals_ = nullptr;

    std::string name_, qualified_, scratch_;
};

} // namespace lumbra
