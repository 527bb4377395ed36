// Pascal tokens.
#include "pascal/PascalTokenReader.h"

namespace lumbra {

const std::array<unsigned char, 256> PascalTokenReader::kClass = [] {
    std::array<unsigned char, 256> t{};
    for (unsigned char c : std::string_view("\t\r\n!%&()*+,-/:;<=>?[]^{|}"))
        t[c] = kDelimiter;
    t[static_cast<unsigned char>(' ')] = kBlank;
    t[static_cast<unsigned char>('\t')] = kBlank;
    t[0] = kEnd;
    t[static_cast<unsigned char>('\r')] = kEnd;
    t[static_cast<unsigned char>('\n')] = kEnd;
    t[static_cast<unsigned char>('\'')] = kQuote;
    return t;
}();

const char* PascalTokenReader::Read(const char* p, std::string_view& token) const {
    const char* start = p;
    while (kClass[static_cast<unsigned char>(*p)] == kWord)
        p = Step(p);
    token = std::string_view(start, static_cast<std::size_t>(p - start));
    return p;
}

const char* PascalTokenReader::SkipString(const char* p) const {
    for (++p; *p; p = Step(p))
        if (*p == '\'')
            return p + 1;
    return p;
}

const char* PascalTokenReader::Find(const char* p, std::string_view closer) const {
    for (; *p; p = Step(p))
        if (*p == closer[0] && (closer.size() == 1 || p[1] == closer[1]))
            return p;
    return nullptr;
}

std::string_view PascalTokenReader::ReadLabel(std::string_view text, std::string& out,
                                              std::string_view separators) {
    auto isSeparator = [&](char c) {
        return c != '\0' && separators.substr(0, 2).find(c) != std::string_view::npos;
    };
    std::size_t i = 0;
    while (i < text.size() && (IsBlank(text[i]) || isSeparator(text[i])))
        ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != '\0' && !IsBlank(text[i]) && text[i] != '*' &&
           text[i] != '}' && !isSeparator(text[i]))
        ++i;
    out.assign(text.substr(start, i - start));
    return text.substr(i);
}

bool LowerKeyword(std::string_view token, std::string& out) {
    if (token.empty() || token.size() > 16)
        return false;
    const char c0 = token.front();
    if (!((c0 >= 'a' && c0 <= 'z') || (c0 >= 'A' && c0 <= 'Z')))
        return false;
    out.assign(token);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return true;
}

} // namespace lumbra
