// "Enable Line Output": the shown file with only the lines that take part in the build, each
// left at its line number.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lumbra {

class NFileAnly;
class SourceText;

// True for a directive that opens, continues or closes a conditional region ("#if...",
// "#el...", "#endif"), blanks allowed before and after the "#".
bool IsConditionalDirective(std::string_view line);

// Every line of `text` (internal code page, a trailing CR or Ctrl-Z cut, tabs kept) in order:
// an active line as it is, except a conditional directive; an inactive line left empty. Each
// line ends with `lineEnd`, so the output has as many lines as the file.
std::string EnabledLinesText(const SourceText& text, std::span<const std::uint32_t> words,
                             std::string_view lineEnd = "\n");

// The same for a registered file, read again in the engine's reading settings. False when it
// cannot be read.
bool EnabledLinesOfFile(const NFileAnly& engine, const std::string& path, std::string& out);

} // namespace lumbra
