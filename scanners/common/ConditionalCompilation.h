// Conditional compilation shared by the C-family, Pascal and assembler scanners: the condition
// stack, the evaluation of conditions and constant values, the constant lists of the sources and
// the bookkeeping that keeps include pre-scans finite. Each scanner recognises its own directive
// lines and hands the directive with its operand text to this object.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "common/ConditionStack.h"
#include "common/IncludeTextCache.h"
#include "common/NvParser.h"

namespace lumbra {

class NFileAnly;
struct ConstantRecord;

// The conditional directives of every language.
enum class Directive : std::uint8_t { None, If, IfDef, IfNDef, ElseIf, Else, EndIf };

// How a language reads the operand of its directives.
enum class DirectiveFamily : std::uint8_t {
    C,         // "#ifdef NAME", "#if EXPRESSION"
    Pascal,    // "{$IFDEF NAME}", "{$IF OPERAND}": names compared upper-cased
    Assembler, // the directives derived from the "Condition" word; operands as for Pascal
};

// The result of an expression: status 0 means a numeric value.
struct Evaluation {
    int status = 0;
    std::int32_t value = 0;
};

class ConditionalCompilation {
public:
    // Pre-scans nest at most this deep; deeper includes are not read.
    static constexpr int kMaxIncludeDepth = 200;
    // Files pre-scanned in one pass over a file at most; the rest are not read.
    static constexpr int kMaxPrescans = 20000;

    // --- passes ----------------------------------------------------------------------------------

    // Start of a pass over the engine's current file: the stack starts over, the file's
    // constants are removed so that the pass collects them afresh, and the include bookkeeping
    // starts with the file itself.
    void BeginPass(NFileAnly& engine);

    // --- lines and directives --------------------------------------------------------------------

    // True when conditions are evaluated (option 2); otherwise every line is active.
    static bool Enabled(const NFileAnly& engine);
    // The state of a line that is no conditional directive.
    unsigned LineState(const NFileAnly& engine) const;
    // The state of a directive line with its operand text (a name, an expression or a token).
    unsigned DirectiveState(NFileAnly& engine, DirectiveFamily family, Directive directive,
                            std::string_view operand);

    // The directive a Pascal directive name ("$IFDEF", "$ELSE", ...) stands for; names compare
    // exactly.
    static Directive PascalDirective(std::string_view name);
    // The directive a first assembler token stands for, compared upper-cased with the names the
    // engine derived from the "Condition" word.
    static Directive AssemblerDirective(const NFileAnly& engine, std::string_view token);

    ConditionStack& Stack() { return stack_; }
    const ConditionStack& Stack() const { return stack_; }

    // --- values ----------------------------------------------------------------------------------

    // Evaluates an expression with signed 32-bit arithmetic. In the "#define" context a token
    // that is no number, a text constant, or text that is no single expression makes the status
    // non-zero.
    Evaluation Evaluate(NFileAnly& engine, std::string_view text, bool defineContext);

    // --- constants of the sources ----------------------------------------------------------------

    // Adds a constant to the current file's list (only with option 1). `replace`: a later
    // definition of the name replaces the earlier one (C family); otherwise the first stays.
    static void AddConstant(NFileAnly& engine, ConstantRecord record, bool replace);
    // Removes a constant from the current file's list (only with option 1).
    static void RemoveConstant(NFileAnly& engine, std::string_view name);

    // --- include pre-scans -----------------------------------------------------------------------

    // Marks `path` as being pre-scanned; false when it may not be read now: it is the file
    // itself or one of the files that include it (a cycle), the nesting is too deep, or the pass
    // has read too many include files. Every true is matched by LeaveInclude.
    bool EnterInclude(const std::string& path);
    void LeaveInclude();
    // The text of an include file to pre-scan (kept in memory between uses); null when it
    // cannot be read.
    std::shared_ptr<const SourceText> IncludeText(const NFileAnly& engine, const std::string& path);
    // True once an include file was left unread because of the depth or the count limit.
    bool IncludeLimitReached() const { return limitReached_; }

private:
    bool condition(NFileAnly& engine, DirectiveFamily family, Directive directive,
                   std::string_view operand);
    bool nameDefined(NFileAnly& engine, DirectiveFamily family, std::string_view name);
    const ConstantRecord* lookup(NFileAnly& engine, DirectiveFamily family, std::string_view name);

    CNvParserCpp parser_;
    ConditionStack stack_;
    std::vector<std::int32_t> values_;
    std::string upper_;
    IncludeTextCache texts_;
    std::vector<std::string> includeChain_; // the file, then the includes being pre-scanned
    std::unordered_set<std::string> onChain_;
    int prescans_ = 0;
    bool limitReached_ = false;
};

} // namespace lumbra
