// Assembler tokens and names.
#include "asm/AsmTokenReader.h"

#include "NFileAnly.h"

namespace lumbra {

const char* AsmTokenReader::Read(const char* p, std::string& out, const char** start, bool cp932) {
    while (IsSkip(*p))
        ++p;
    if (start)
        *start = p;
    if (IsCommentStart(*p)) {
        out.assign(1, *p);
        return p + 1;
    }
    const char* s = p;
    while (!IsStop(*p))
        p += (cp932 && IsLead932(static_cast<unsigned char>(*p)) && p[1]) ? 2 : 1;
    out.assign(s, static_cast<std::size_t>(p - s));
    return p;
}

AsmNames::AsmNames(const NFileAnly& engine) : engine_(engine) {
    if (engine.GetOption(kOptDeleteDecorationChars))
        decorations_ = engine.GetDecorationChars().substr(0, 4);
    dropTopUnderscore_ = engine.GetOption(kOptDeleteTopUnderscore) != 0;
    dropLastUnderscore_ = engine.GetOption(kOptDeleteLastUnderscore) != 0;
    except_ = engine.GetOption(kOptExceptModule) != 0;
}

bool AsmNames::Normalise(std::string_view t, std::string& out) const {
    if (t.empty() || t.front() == '*' || t.front() == ',' || t.front() == ';')
        return false;
    while (!t.empty() && !decorations_.empty() && decorations_.find(t.front()) != std::string::npos)
        t.remove_prefix(1);
    if (dropTopUnderscore_ && !t.empty() && t.front() == '_')
        t.remove_prefix(1);
    if (!t.empty() && t.back() == ':')
        t.remove_suffix(1);
    if (dropLastUnderscore_) {
        if (!t.empty() && t.back() == '_')
            t.remove_suffix(1);
        // An address-size suffix: "name:8" or "name:16".
        for (std::string_view suffix : {std::string_view(":8"), std::string_view(":16")}) {
            if (t.size() >= suffix.size() && t.substr(t.size() - suffix.size()) == suffix) {
                t.remove_suffix(suffix.size());
                break;
            }
        }
    }
    if (t.empty())
        return false;
    if (except_ && !engine_.IsNotExcepted(t))
        return false;
    out.assign(t);
    return true;
}

} // namespace lumbra
