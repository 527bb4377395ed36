// What a scanner asks about preprocessing: whether a line is compiled, and what becomes of
// constant definitions and include files. One object per scanner answers for every line.
#pragma once

#include <string>
#include <string_view>

namespace lumbra {

class NFileAnly;
struct FileRecord;
struct ModuleRecord;

// Bits of a line state.
inline constexpr unsigned kConditionActive = 0x0001;    // the line is compiled
inline constexpr unsigned kConditionDirective = 0x8000; // the line is a conditional directive

class Preprocessor {
public:
    virtual ~Preprocessor() = default;

    // Start of a pass over a file: the condition state starts over and the file's constants are
    // removed so that the pass collects them afresh.
    virtual void BeginPass(NFileAnly& engine, FileRecord& file, bool analysisPass) = 0;

    // State of one line: `text` is the line with its leading blanks skipped (for a conditional
    // directive continued with backslashes: the joined text, on its last line).
    // `inBlockComment`: the line starts inside a block comment.
    virtual unsigned LineState(NFileAnly& engine, std::string_view text, bool inBlockComment) = 0;

    // An object-like "#define": the name and the text after it (continuation lines joined).
    virtual void DefineConstant(NFileAnly& engine, std::string_view name,
                                std::string_view value) = 0;
    // "#undef NAME".
    virtual void UndefineConstant(NFileAnly& engine, std::string_view name) = 0;

    // A quoted include resolved to `path`. `queued`: it was newly added to the pending include
    // list. `tableScope`: the function-pointer table whose initialiser is being read, or null.
    // Returns the number of calls recorded for the table from the included file.
    virtual int IncludeFile(NFileAnly& engine, const std::string& path, bool queued,
                            ModuleRecord* tableScope) = 0;
};

} // namespace lumbra
