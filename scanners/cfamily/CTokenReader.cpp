// The C-family token reader.
#include "cfamily/CTokenReader.h"

#include <cstring>

namespace lumbra {

const char* CTokenReader::Read(const char* p) {
    const char* start = p;
    bool doubleColon = false;
    const bool* plain = cp932_ ? kPlain932.data() : kPlain.data();
    for (;;) {
        while (plain[static_cast<unsigned char>(*p)])
            ++p;
        const char c = *p;
        if (IsStop(c))
            return p;
        if (c == ':') {
            // "::" joins a qualified name; a ':' before '/' never does (a URL in a literal).
            if (p[1] == '/')
                return p;
            if (doubleColon) {
                ++p;
                continue;
            }
            if (p[1] == ':') {
                doubleColon = true;
                p += 2;
                continue;
            }
            return p;
        }
        if (c == '"') {
            p = readQuoted(start, p);
            continue;
        }
        if (c == '\'') {
            p = SkipLiteral(p);
            continue;
        }
        p = next(p);
    }
}

const char* CTokenReader::SkipLiteral(const char* p) {
    if (*p == '"')
        return readStringBody(p + 1);
    // A character literal: one character or one escape pair, then the closing quote.
    ++p;
    if (*p == '\\' && p[1])
        p += 2;
    else if (*p)
        p = next(p);
    if (*p == '\'')
        ++p;
    return p;
}

const char* CTokenReader::SkipQuoted(const char* p) const {
    const char quote = *p++;
    while (*p && *p != quote)
        p = (*p == '\\' && p[1]) ? p + 2 : next(p);
    return *p ? p + 1 : p;
}

const char* CTokenReader::readQuoted(const char* tokenStart, const char* quote) {
    const std::string_view prefix(tokenStart, static_cast<std::size_t>(quote - tokenStart));
    if (flavor_ != CFlavor::C && quote[1] == '"' && quote[2] == '"') {
        literal_ = Literal::TextBlock;
        return readTextBlockBody(quote + 3);
    }
    if (prefix == "R" || prefix == "LR" || prefix == "uR" || prefix == "UR" || prefix == "u8R") {
        // R"delim( ... )delim": the delimiter is at most 16 characters before the '('.
        const char* d = quote + 1;
        while (*d && *d != '(' && d - quote <= 17 && !std::strchr(" )\\\t\"", *d))
            ++d;
        if (*d == '(') {
            rawDelimiter_.clear();
            rawDelimiter_.push_back(')');
            rawDelimiter_.append(quote + 1, d);
            rawDelimiter_.push_back('"');
            literal_ = Literal::Raw;
            return readRawBody(d + 1);
        }
    }
    if (flavor_ == CFlavor::CSharp && (prefix == "@" || prefix == "$@" || prefix == "@$")) {
        literal_ = Literal::Verbatim;
        return readVerbatimBody(quote + 1);
    }
    return readStringBody(quote + 1);
}

const char* CTokenReader::readStringBody(const char* p) {
    for (;;) {
        const char c = *p;
        if (c == '\0') {
            literal_ = Literal::None;
            return p;
        }
        if (c == '\\') {
            if (p[1] == '\0') {
                literal_ = Literal::String; // continued on the next line
                return p + 1;
            }
            p += 2;
            continue;
        }
        if (c == '"') {
            literal_ = Literal::None;
            return p + 1;
        }
        p = next(p);
    }
}

const char* CTokenReader::readRawBody(const char* p) {
    const char* end = std::strstr(p, rawDelimiter_.c_str());
    if (!end)
        return p + std::strlen(p);
    literal_ = Literal::None;
    return end + rawDelimiter_.size();
}

const char* CTokenReader::readVerbatimBody(const char* p) {
    for (;;) {
        if (*p == '\0')
            return p;
        if (*p == '"') {
            if (p[1] == '"') {
                p += 2;
                continue;
            }
            literal_ = Literal::None;
            return p + 1;
        }
        p = next(p);
    }
}

const char* CTokenReader::readTextBlockBody(const char* p) {
    for (;;) {
        if (*p == '\0')
            return p;
        if (*p == '\\' && p[1]) {
            p += 2;
            continue;
        }
        if (p[0] == '"' && p[1] == '"' && p[2] == '"') {
            literal_ = Literal::None;
            return p + 3;
        }
        p = next(p);
    }
}

const char* CTokenReader::ContinueLiteral(const char* p) {
    switch (literal_) {
    case Literal::String:
        return readStringBody(p);
    case Literal::Raw:
        return readRawBody(p);
    case Literal::Verbatim:
        return readVerbatimBody(p);
    case Literal::TextBlock:
        return readTextBlockBody(p);
    case Literal::None:
        break;
    }
    return p;
}

std::string_view CTokenReader::ReadLabel(std::string_view text, std::string& out,
                                         std::string_view separators) {
    auto isSeparator = [&](char c) {
        return c != '\0' && separators.substr(0, 2).find(c) != std::string_view::npos;
    };
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || isSeparator(text[i])))
        ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != '\0' && text[i] != ' ' && text[i] != '\t' &&
           text[i] != '*' && !isSeparator(text[i]))
        ++i;
    out.assign(text.substr(start, i - start));
    return text.substr(i);
}

} // namespace lumbra
