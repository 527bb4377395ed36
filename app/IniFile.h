// An ini document in memory with the rules of the classic private-profile functions: sections and
// keys matched without regard to ASCII case, the first occurrence wins, a written key replaces
// its line in place, and every other line (comments, plain lists of paths) is kept byte for byte.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lumbra {

class IniFile {
public:
    // Replaces the document by these bytes.
    void Parse(std::string_view bytes);
    // The document as bytes, unchanged lines exactly as they were read.
    std::string Text() const;
    void Clear();

    // The value of the first key of that name in the first section of that name, with the blanks
    // around it removed; nullopt when there is none.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;

    // Writes key=value: over the first line of that key, else after the section's last non-blank
    // line, else in a new section at the end. Line breaks in the value become blanks.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    // Removes the first line of that key. False when there was none.
    bool RemoveKey(std::string_view section, std::string_view key);
    // Removes every section of that name with all its lines. False when there was none.
    bool RemoveSection(std::string_view section);

    // True when the bytes look like UTF-16 text, which this layer does not rewrite.
    static bool LooksLikeUtf16(std::string_view bytes);

private:
    enum class Eol : std::uint8_t { None, Lf, CrLf, Cr };
    struct Line {
        std::string text;
        Eol eol = Eol::None;
    };
    struct Section {
        std::string key;         // folded name; empty for the lines before the first header
        std::vector<Line> lines; // the header line first (none for the leading lines)
    };

    static std::string fold(std::string_view name);
    // Index of the key's line in the section, or npos.
    static std::size_t findKey(const Section& section, std::string_view foldedKey);
    const Section* findSection(std::string_view name) const;
    Section* findSection(std::string_view name);
    void reindex();
    void terminateLastLine();

    std::string bom_;
    std::vector<Section> sections_{Section{}}; // sections_[0]: the lines before any header
    std::unordered_map<std::string, std::size_t> index_; // folded name -> first section
    Eol newEol_ = Eol::Lf;                               // line end of lines this layer adds
};

} // namespace lumbra
