// The C-family token reader: cuts a line into tokens the way the C-family scanner and the
// constant define file read them, with string and character literals taken whole.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "common/ScanTables.h"

namespace lumbra {

namespace detail {
// Characters that end a token; lines end at their NUL.
constexpr std::array<bool, 256> makeCStopTable() {
    std::array<bool, 256> table{};
    table[0] = true;
    for (char c : std::string_view(" \t\f\v\r!%&()*+,-/;<=>?[]^{|}"))
        table[static_cast<unsigned char>(c)] = true;
    return table;
}
// Characters that need no decision inside a token: not a stop character, ':' or a quote, and
// (for code page 932) no lead byte of a double-byte character.
constexpr std::array<bool, 256> makeCPlainTable(bool cp932) {
    std::array<bool, 256> table = makeCStopTable();
    for (bool& b : table)
        b = !b;
    table[static_cast<unsigned char>(':')] = false;
    table[static_cast<unsigned char>('"')] = false;
    table[static_cast<unsigned char>('\'')] = false;
    if (cp932)
        for (int c = 0x81; c <= 0xFC; ++c)
            if (c <= 0x9F || c >= 0xE0)
                table[static_cast<std::size_t>(c)] = false;
    return table;
}
// What a character starts in a line of code.
enum class CharClass : unsigned char { Token, Blank, Stop, End };
constexpr std::array<CharClass, 256> makeCClassTable() {
    std::array<CharClass, 256> table{};
    const std::array<bool, 256> stop = makeCStopTable();
    for (std::size_t c = 0; c < 256; ++c)
        table[c] = stop[c] ? CharClass::Stop : CharClass::Token;
    for (char c : std::string_view(" \t\f\v\r"))
        table[static_cast<unsigned char>(c)] = CharClass::Blank;
    table[0] = CharClass::End;
    return table;
}
} // namespace detail

using detail::CharClass;

class CTokenReader {
public:
    void Reset() {
        literal_ = Literal::None;
        rawDelimiter_.clear();
    }
    void SetCodePage932(bool on) { cp932_ = on; }
    void SetFlavor(CFlavor flavor) { flavor_ = flavor; }

    // True for the characters that end a token (and are not part of one). Lines end at NUL.
    static bool IsStop(char c) { return kStop[static_cast<unsigned char>(c)]; }
    static bool IsBlank(char c) { return ClassOf(c) == CharClass::Blank; }
    static CharClass ClassOf(char c) { return kClass[static_cast<unsigned char>(c)]; }

    // Token mode: `p` is at the first character of a token. Returns the character that ended it.
    // A literal still open at the end of the line carries over to the next one.
    const char* Read(const char* p);

    // True when the previous line ended inside a literal (a string continued with a backslash, a
    // raw string, a verbatim string or a text block).
    bool InLiteral() const { return literal_ != Literal::None; }
    // Reads the rest of that literal from the start of a line; returns the character after it,
    // or the end of the line when the literal goes on.
    const char* ContinueLiteral(const char* p);

    // Skips string and character literals; `p` at the quote.
    const char* SkipLiteral(const char* p);
    // The same for text that is not read as tokens: a literal never goes on to the next line.
    const char* SkipQuoted(const char* p) const;

    // Label mode, for header-comment items: skips blanks, tabs and the two separator characters,
    // then copies up to a blank, tab, '*' or separator. Returns the text after the word.
    static std::string_view ReadLabel(std::string_view text, std::string& out,
                                      std::string_view separators);

private:
    enum class Literal { None, String, Raw, Verbatim, TextBlock };

    static constexpr bool isLead932(unsigned char c) {
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    }
    const char* next(const char* p) const {
        return (cp932_ && isLead932(static_cast<unsigned char>(*p)) && p[1]) ? p + 2 : p + 1;
    }
    const char* readStringBody(const char* p);
    const char* readRawBody(const char* p);
    const char* readVerbatimBody(const char* p);
    const char* readTextBlockBody(const char* p);
    const char* readQuoted(const char* tokenStart, const char* quote);

    static constexpr std::array<bool, 256> kStop = detail::makeCStopTable();
    static constexpr std::array<CharClass, 256> kClass = detail::makeCClassTable();
    static constexpr std::array<bool, 256> kPlain = detail::makeCPlainTable(false);
    static constexpr std::array<bool, 256> kPlain932 = detail::makeCPlainTable(true);

    Literal literal_ = Literal::None;
    std::string rawDelimiter_; // ")delim\"" that ends a raw string
    bool cp932_ = false;
    CFlavor flavor_ = CFlavor::C;
};

} // namespace lumbra
