// The Pascal token reader: words (dotted names are one token), string literals, and the word
// splitter of header comments.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lumbra {

class PascalTokenReader {
public:
    void SetCodePage932(bool on) { cp932_ = on; }
    bool CodePage932() const { return cp932_; }

    // Characters that end a token besides blanks: the delimiters of the language.
    static bool IsDelimiter(char c) { return kClass[static_cast<unsigned char>(c)] == kDelimiter; }
    static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
    // A character that starts a token: letters, digits, '_', '.', '$', '#', '@', a backslash,
    // bytes of 128 and above, and anything else that is no delimiter, blank or quotation mark.
    static bool StartsToken(char c) { return kClass[static_cast<unsigned char>(c)] == kWord; }

    static const char* SkipBlanks(const char* p) {
        while (IsBlank(*p))
            ++p;
        return p;
    }

    // Token mode at a token character: the token and the position after it. With code page 932
    // a lead byte takes its trail byte into the token whatever it is.
    const char* Read(const char* p, std::string_view& token) const;
    // A string literal at its opening quotation mark: the position after its closing one (or the
    // end of the line).
    const char* SkipString(const char* p) const;
    // The position of the first `closer` at or after p, stepping over double-byte characters;
    // null when the line holds none.
    const char* Find(const char* p, std::string_view closer) const;
    // One character forward (two for a Shift-JIS pair with code page 932).
    const char* Step(const char* p) const {
        return cp932_ && IsLead932(static_cast<unsigned char>(*p)) && p[1] ? p + 2 : p + 1;
    }

    // Label mode, for header comments: skips blanks, tabs and the two separator characters, then
    // reads up to a blank, tab, '*', '}' or separator.
    static std::string_view ReadLabel(std::string_view text, std::string& out,
                                      std::string_view separators);

    static constexpr bool IsLead932(unsigned char c) {
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    }

private:
    enum : unsigned char { kWord = 0, kDelimiter = 1, kBlank = 2, kEnd = 3, kQuote = 4 };
    static const std::array<unsigned char, 256> kClass;

    bool cp932_ = false;
};

// ASCII lower case of a short token into `out` (keywords are compared so); false when the token
// is too long or does not begin with a letter, so that it can be no keyword.
bool LowerKeyword(std::string_view token, std::string& out);

} // namespace lumbra
