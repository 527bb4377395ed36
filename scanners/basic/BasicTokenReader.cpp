// Basic tokens.
#include "basic/BasicTokenReader.h"

namespace lumbra {
namespace {

bool endsToken(char c) {
    return c == '\0' || c == ' ' || c == '\t' || c == '(' || c == ')' || c == '\r' || c == '\n';
}

} // namespace

const char* BasicTokenReader::Read(const char* p, std::string_view& token) const {
    p = SkipBlanks(p);
    const char* start = p;
    if (*p == '\0' || *p == '\r' || *p == '\n') {
        token = {};
        return p;
    }
    if (*p == '\'') {
        while (*p && *p != '\r' && *p != '\n')
            ++p;
        token = std::string_view(start, static_cast<std::size_t>(p - start));
        return p;
    }
    if (*p == '(' || *p == ')') {
        token = std::string_view(start, 1);
        return p + 1;
    }
    while (!endsToken(*p)) {
        if (*p == '"') {
            // A literal is read whole; a doubled quotation mark stays inside it.
            for (++p; *p; ++p) {
                if (*p == '"') {
                    if (p[1] != '"')
                        break;
                    ++p;
                }
            }
            if (*p)
                ++p;
            continue;
        }
        if (*p == '\'' && p != start)
            break; // a comment right after code: "x = 1'note"
        if (cp932_ && IsLead932(static_cast<unsigned char>(*p)) && p[1])
            ++p; // the trail byte is never a delimiter
        ++p;
    }
    token = std::string_view(start, static_cast<std::size_t>(p - start));
    return p;
}

bool BasicTokenReader::IsContinuation(std::string_view token, const char* after) {
    // A continuation mark needs a blank before it; "name_" at the end of a line is a name.
    return token == "_" && *SkipBlanks(after) == '\0';
}

} // namespace lumbra
