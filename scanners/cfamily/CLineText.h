// Small readers of C-family line text shared by the scanner passes and the include pre-scan:
// blanks, backslash continuations, trailing comments and directive words.
#pragma once

#include <cstring>
#include <string_view>

#include "cfamily/CTokenReader.h"

namespace lumbra {

inline const char* SkipBlanks(const char* p) {
    while (CTokenReader::IsBlank(*p))
        ++p;
    return p;
}

inline bool IsIdentifierChar(char c) {
    return c != '\0' && !CTokenReader::IsStop(c) && c != ':' && c != '"' && c != '\'';
}

// True when the line ends with a backslash (blanks after it allowed): it goes on.
inline bool EndsWithBackslash(const char* line) {
    std::size_t n = std::strlen(line);
    while (n > 0 && CTokenReader::IsBlank(line[n - 1]))
        --n;
    return n > 0 && line[n - 1] == '\\';
}

// The line without a final backslash (and the blanks after it).
inline std::string_view WithoutBackslash(const char* line) {
    std::size_t n = std::strlen(line);
    while (n > 0 && CTokenReader::IsBlank(line[n - 1]))
        --n;
    if (n > 0 && line[n - 1] == '\\')
        --n;
    return {line, n};
}

// A value text without a trailing comment (literals may hold comment markers).
inline std::string_view CutComment(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"' || c == '\'') {
            for (++i; i < text.size() && text[i] != c; ++i)
                if (text[i] == '\\')
                    ++i;
            continue;
        }
        if (c == '/' && i + 1 < text.size() && (text[i + 1] == '/' || text[i + 1] == '*'))
            return text.substr(0, i);
    }
    return text;
}

// The word of a directive line ("# if" and "#if" alike); `s` is at the '#'. `end` is set to the
// character after the word.
inline std::string_view DirectiveWord(const char* s, const char*& end) {
    const char* w = SkipBlanks(s + 1);
    end = w;
    while (IsIdentifierChar(*end))
        ++end;
    return {w, static_cast<std::size_t>(end - w)};
}

// True for a line (blanks skipped) that opens a conditional group: "#if", "#ifdef", "#ifndef".
inline bool OpensCondition(const char* s) {
    return *s == '#' && std::strncmp(SkipBlanks(s + 1), "if", 2) == 0;
}

// The quoted name of an "#include" ("\"name\"" with its quotes), empty for "<name>" and macros.
inline std::string_view QuotedIncludeName(const char* p) {
    p = SkipBlanks(p);
    if (*p != '"')
        return {};
    const char* close = std::strchr(p + 1, '"');
    if (!close)
        return {};
    return {p, static_cast<std::size_t>(close + 1 - p)};
}

} // namespace lumbra
