// What the assembler scanner asks about conditional assembly, equate constants and include
// files: the directives named after the "Condition" word, the state of each line, the constants
// an equate defines, and the texts of include files with the guard that keeps pre-scans finite.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TextInput.h"

namespace lumbra {

class NFileAnly;
struct ConstantRecord;

// The directive forms derived from the "Condition" word, in the engine's order.
enum class AsmDirective : std::uint8_t { None, If, IfDef, IfNDef, Else, ElseIf, EndIf };

class AsmConditions {
public:
    // Include files nest at most this deep in one pre-scan.
    static constexpr std::size_t kMaxIncludeDepth = 64;
    // Include files read in one pass over a file at most.
    static constexpr int kMaxPrescans = 20000;

    // Start of a pass over the engine's current file: conditions start over and the file's
    // constants are removed, so that the pass collects them afresh.
    void BeginPass(NFileAnly& engine);

    // The directive a first token stands for (compared upper-cased); None for other tokens.
    static AsmDirective DirectiveOf(const NFileAnly& engine, std::string_view token);
    // The state of an ordinary line and of a directive line (kConditionActive,
    // kConditionDirective bits).
    unsigned LineState(const NFileAnly& engine) const;
    unsigned DirectiveState(NFileAnly& engine, AsmDirective directive, std::string_view operand);

    // An equate: the constant joins the current file's list (the first definition stays).
    void AddConstant(NFileAnly& engine, ConstantRecord record);

    // Marks an include file as being pre-scanned; false when it may not be read now (the file
    // itself or one that includes it, the nesting is too deep or the pass read too many). Each true
    // is matched by LeaveInclude.
    bool EnterInclude(const std::string& path);
    void LeaveInclude();
    std::shared_ptr<const SourceText> IncludeText(const NFileAnly& engine, const std::string& path);

private:
    std::vector<std::string> includeChain_; // the file, then the includes being pre-scanned
    int prescans_ = 0;
};

} // namespace lumbra
