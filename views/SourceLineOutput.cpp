// The text of "Enable Line Output".
#include "SourceLineOutput.h"

#include "NFileAnly.h"
#include "SourceLines.h"
#include "TextInput.h"

namespace lumbra {

bool IsConditionalDirective(std::string_view line) {
    std::size_t i = line.find_first_not_of(" \t");
    if (i == std::string_view::npos || line[i] != '#')
        return false;
    i = line.find_first_not_of(" \t", i + 1);
    if (i == std::string_view::npos)
        return false;
    const std::string_view word = line.substr(i);
    return word.starts_with("if") || word.starts_with("el") || word.starts_with("endif");
}

std::string EnabledLinesText(const SourceText& text, std::span<const std::uint32_t> words,
                             std::string_view lineEnd) {
    std::string out;
    for (std::size_t i = 0; i < text.lineCount(); ++i) {
        const std::uint32_t word = i < words.size() ? words[i] : 0;
        const std::string_view line = CutLineEnd(text.line(i));
        const bool directive = (word & kLineKindDirective) != 0 && IsConditionalDirective(line);
        if (line_word::Active(word) && !directive)
            out += line;
        out += lineEnd;
    }
    return out;
}

bool EnabledLinesOfFile(const NFileAnly& engine, const std::string& path, std::string& out) {
    std::optional<SourceText> text = SourceText::Load(path, engine.GetTextReadSettings());
    if (!text)
        return false;
    FileInfo info;
    std::vector<std::uint32_t> none;
    const std::vector<std::uint32_t>* words = &none;
    if (engine.GetFileInfoByPath(path, info) && info.lineTable)
        words = info.lineTable;
    out = EnabledLinesText(*text, *words);
    return true;
}

} // namespace lumbra
