// The Basic token reader: the tokens of a Visual Basic line, split at blanks and parentheses, with
// string literals taken whole and the line-continuation mark noticed.
#pragma once

#include <string>
#include <string_view>

namespace lumbra {

class BasicTokenReader {
public:
    void SetCodePage932(bool on) { cp932_ = on; }

    // Token mode: skips blanks and tabs and returns the token at `p` in `token` (empty at the end
    // of the line) and the position just after it. "(" and ")" are tokens of their own; a token
    // that begins with a single quotation mark is the comment that ends the statement (the rest
    // of the line). "=", "," and "." belong to tokens, so only blanks and parentheses separate
    // names from their neighbours.
    const char* Read(const char* p, std::string_view& token) const;

    // The token "_" that ends a line: the statement goes on on the next line.
    static bool IsContinuation(std::string_view token, const char* after);

    static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
    static const char* SkipBlanks(const char* p) {
        while (IsBlank(*p))
            ++p;
        return p;
    }
    static constexpr bool IsLead932(unsigned char c) {
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    }

private:
    bool cp932_ = false;
};

} // namespace lumbra
