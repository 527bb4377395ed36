// Code-page table and iconv-based conversion.
#include "CodePage.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <map>
#include <memory>
#include <utility>

#include "Lang.h"

namespace lumbra {
namespace {

constexpr CodePageInfo kCodePages[] = {
    {437, "CP437", "IBM437", "OEM United States"},
    {850, "CP850", "ibm850", "Western European (DOS)"},
    {866, "CP866", "cp866", "Cyrillic (DOS)"},
    {874, "CP874", "windows-874", "Thai (Windows)"},
    {932, "CP932", "shift_jis", "Japanese (Shift-JIS)"},
    {936, "CP936", "gb2312", "Chinese Simplified (GB2312)"},
    {949, "CP949", "ks_c_5601-1987", "Korean"},
    {950, "CP950", "big5", "Chinese Traditional (Big5)"},
    {1250, "CP1250", "windows-1250", "Central European (Windows)"},
    {1251, "CP1251", "windows-1251", "Cyrillic (Windows)"},
    {1252, "CP1252", "Windows-1252", "Western European (Windows)"},
    {1253, "CP1253", "windows-1253", "Greek (Windows)"},
    {1254, "CP1254", "windows-1254", "Turkish (Windows)"},
    {1255, "CP1255", "windows-1255", "Hebrew (Windows)"},
    {1256, "CP1256", "windows-1256", "Arabic (Windows)"},
    {1257, "CP1257", "windows-1257", "Baltic (Windows)"},
    {1258, "CP1258", "windows-1258", "Vietnamese (Windows)"},
    {20127, "ASCII", "us-ascii", "US-ASCII"},
    {20866, "KOI8-R", "koi8-r", "Cyrillic (KOI8-R)"},
    {20932, "EUC-JP", "EUC-JP", "Japanese (JIS 0208-1990 and 0212-1990)"},
    {21866, "KOI8-U", "koi8-u", "Cyrillic (KOI8-U)"},
    {28591, "ISO-8859-1", "iso-8859-1", "Western European (ISO)"},
    {28592, "ISO-8859-2", "iso-8859-2", "Central European (ISO)"},
    {28595, "ISO-8859-5", "iso-8859-5", "Cyrillic (ISO)"},
    {28597, "ISO-8859-7", "iso-8859-7", "Greek (ISO)"},
    {28605, "ISO-8859-15", "iso-8859-15", "Latin 9 (ISO)"},
    {51932, "EUC-JP", "euc-jp", "Japanese (EUC)"},
    {51949, "EUC-KR", "euc-kr", "Korean (EUC)"},
    {54936, "GB18030", "GB18030", "Chinese Simplified (GB18030)"},
    {65001, "UTF-8", "utf-8", "Unicode (UTF-8)"},
};

// One iconv descriptor per charset pair and thread (descriptors carry state and are not
// shareable across threads).
class IconvCache {
public:
    ~IconvCache() {
        for (auto& [key, cd] : cache_)
            if (cd != reinterpret_cast<iconv_t>(-1))
                iconv_close(cd);
    }
    iconv_t get(const char* from, const char* to) {
        auto key = std::make_pair(std::string(from), std::string(to));
        auto it = cache_.find(key);
        if (it != cache_.end())
            return it->second;
        iconv_t cd = iconv_open(to, from);
        cache_.emplace(std::move(key), cd);
        return cd;
    }

private:
    std::map<std::pair<std::string, std::string>, iconv_t> cache_;
};

iconv_t descriptor(const char* from, const char* to) {
    thread_local IconvCache cache;
    return cache.get(from, to);
}

bool isAscii(std::string_view text) {
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

// Runs one conversion; invalid input bytes are replaced by `replacement` (converted text in the
// target) and skipped.
bool runIconv(iconv_t cd, std::string_view text, std::string_view replacement, std::string& out) {
    out.clear();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string buffer(text.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (true) {
        char* dst = buffer.data();
        std::size_t dstLeft = buffer.size();
        std::size_t r = iconv(cd, inLeft ? &in : nullptr, &inLeft, &dst, &dstLeft);
        out.append(buffer.data(), buffer.size() - dstLeft);
        if (r != static_cast<std::size_t>(-1)) {
            if (inLeft == 0)
                break;
            continue;
        }
        if (errno == E2BIG)
            continue;
        if (errno == EILSEQ || errno == EINVAL) {
            // An invalid or truncated sequence: replace one byte and go on.
            out.append(replacement);
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (inLeft == 0)
                break;
            continue;
        }
        return false;
    }
    // Flush any shift state (ISO-2022-JP targets).
    char* dst = buffer.data();
    std::size_t dstLeft = buffer.size();
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer.data(), buffer.size() - dstLeft);
    return true;
}

} // namespace

const CodePageInfo* FindCodePage(int number) {
    for (const CodePageInfo& cp : kCodePages)
        if (cp.number == number)
            return &cp;
    return nullptr;
}

bool IsCodePageSupported(int number) {
    const CodePageInfo* cp = FindCodePage(number);
    if (!cp)
        return false;
    iconv_t to = iconv_open(cp->iconvName, "UTF-8");
    if (to == reinterpret_cast<iconv_t>(-1))
        return false;
    iconv_close(to);
    iconv_t from = iconv_open("UTF-8", cp->iconvName);
    if (from == reinterpret_cast<iconv_t>(-1))
        return false;
    iconv_close(from);
    return true;
}

std::vector<std::string> CodePageList() {
    std::vector<std::string> list;
    for (const CodePageInfo& cp : kCodePages)
        if (IsCodePageSupported(cp.number))
            list.push_back(Format("%d %s %s", cp.number, cp.bodyCharset, cp.description));
    return list;
}

void SanitizeUtf8(std::string& text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    // Fast scan for the common all-valid case.
    auto validAt = [&](std::size_t pos) -> std::size_t {
        unsigned char c = static_cast<unsigned char>(text[pos]);
        std::size_t len = 0;
        unsigned int cp = 0;
        if (c < 0x80)
            return 1;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return 0;
        }
        if (pos + len > n)
            return 0;
        for (std::size_t k = 1; k < len; ++k) {
            unsigned char t = static_cast<unsigned char>(text[pos + k]);
            if ((t & 0xC0) != 0x80)
                return 0;
            cp = (cp << 6) | (t & 0x3F);
        }
        if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
            return 0;
        return len;
    };
    while (i < n) {
        std::size_t len = validAt(i);
        if (len == 0)
            break;
        i += len;
    }
    if (i == n)
        return;
    std::string out(text, 0, i);
    while (i < n) {
        std::size_t len = validAt(i);
        if (len == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text, i, len);
            i += len;
        }
    }
    text.swap(out);
}

bool ConvertCharset(std::string_view text, const char* from, const char* to, std::string& out) {
    if (std::strcmp(from, to) == 0) {
        out.assign(text);
        if (std::strcmp(to, "UTF-8") == 0)
            SanitizeUtf8(out);
        return true;
    }
    const bool toUtf8 = std::strcmp(to, "UTF-8") == 0;
    if (isAscii(text) && std::strcmp(from, "UTF-16LE") != 0 && std::strcmp(from, "UTF-16BE") != 0 &&
        std::strcmp(to, "UTF-16LE") != 0 && std::strcmp(to, "UTF-16BE") != 0) {
        out.assign(text);
        return true;
    }
    if (toUtf8) {
        iconv_t cd = descriptor(from, "UTF-8");
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            out.clear();
            return false;
        }
        return runIconv(cd, text, "\xEF\xBF\xBD", out);
    }
    // Through UTF-8, so invalid input and unmappable characters are told apart.
    std::string utf8;
    if (std::strcmp(from, "UTF-8") == 0) {
        utf8.assign(text);
        SanitizeUtf8(utf8);
    } else {
        iconv_t cd = descriptor(from, "UTF-8");
        if (cd == reinterpret_cast<iconv_t>(-1) || !runIconv(cd, text, "\xEF\xBF\xBD", utf8)) {
            out.clear();
            return false;
        }
    }
    std::string target = std::string(to) + "//TRANSLIT";
    iconv_t cd = descriptor("UTF-8", target.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        out.clear();
        return false;
    }
    return runIconv(cd, utf8, "?", out);
}

std::string InternalToUtf8(std::string_view text, int codePage) {
    const CodePageInfo* cp = FindCodePage(codePage);
    std::string out;
    if (!cp || !ConvertCharset(text, cp->iconvName, "UTF-8", out)) {
        out.assign(text);
        SanitizeUtf8(out);
    }
    return out;
}

std::string Utf8ToInternal(std::string_view text, int codePage) {
    const CodePageInfo* cp = FindCodePage(codePage);
    std::string out;
    if (!cp || !ConvertCharset(text, "UTF-8", cp->iconvName, out))
        out.assign(text);
    return out;
}

} // namespace lumbra
