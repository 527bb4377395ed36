// The assembler token reader: tokens of a line, and the names that labels and operands stand
// for once decorations and link suffixes are taken off.
#pragma once

#include <string>
#include <string_view>

namespace lumbra {

class NFileAnly;

class AsmTokenReader {
public:
    // Characters skipped before a token.
    static bool IsSkip(char c) {
        return c == ' ' || c == '\t' || c == '(' || c == ')' || c == '+' || c == ',' || c == '-' ||
               c == '<' || c == '>' || c == '[' || c == ']';
    }
    // Characters that end a token (the end of the line, a NUL, ends it too).
    static bool IsStop(char c) {
        return c == '\0' || c == ' ' || c == '\t' || c == '(' || c == ')' || c == '*' || c == '+' ||
               c == ',' || c == '-' || c == ';' || c == '<' || c == '>' || c == '[' || c == ']' ||
               c == '\r' || c == '\n';
    }
    static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
    // A token that begins a comment.
    static bool IsCommentStart(char c) { return c == ';' || c == '*'; }

    static const char* SkipBlanks(const char* p) {
        while (IsBlank(*p))
            ++p;
        return p;
    }

    // Token mode: skips the skip characters, copies the token into `out` (empty at the end of the
    // line) and returns the position just after it. `start` receives where the token begins. A
    // token that begins with ';' or '*' is the start of a comment: `out` holds that character.
    // With `cp932` a Shift-JIS lead byte takes its trail byte into the token whatever it is.
    static const char* Read(const char* p, std::string& out, const char** start = nullptr,
                            bool cp932 = false);

    static constexpr bool IsLead932(unsigned char c) {
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    }
};

// Turns a label or an operand into the name modules and labels go by, under the name options:
// decoration characters (option 4), a leading "_" (option 0), a trailing ":", a trailing "_" and
// an address-size suffix ":8"/":16" (option 9), and the exception list (option 7).
class AsmNames {
public:
    explicit AsmNames(const NFileAnly& engine);

    // False when the text stands for no name; otherwise `out` holds the name.
    bool Normalise(std::string_view text, std::string& out) const;

private:
    const NFileAnly& engine_;
    std::string decorations_; // at most four characters
    bool dropTopUnderscore_, dropLastUnderscore_, except_;
};

} // namespace lumbra
