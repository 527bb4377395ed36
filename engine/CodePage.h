// Code pages: the names iconv knows them by, the list offered in the setup dialog, and conversion
// of text between them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumbra {

inline constexpr int kCodePageShiftJis = 932;
inline constexpr int kCodePageUtf8 = 65001;
inline constexpr int kDefaultCodePage = kCodePageUtf8;

struct CodePageInfo {
    int number;
    const char* iconvName;   // the charset name glibc's iconv understands
    const char* bodyCharset; // the MIME name shown in the list
    const char* description;
};

// The code page with this number, or nullptr when this program does not know it.
const CodePageInfo* FindCodePage(int number);

// True when the code page is known and iconv on this machine can convert to and from it.
bool IsCodePageSupported(int number);

// The entries of the setup dialog's "Code Page" list: "%d %s %s" (number, MIME name,
// description), only code pages this machine can convert.
std::vector<std::string> CodePageList();

// Converts text from one iconv charset to another. Bytes that are invalid in the source become
// U+FFFD (or '?' where the target cannot hold it); characters the target cannot hold become '?'.
// Returns false (and empty text) only when iconv cannot convert between the two at all.
bool ConvertCharset(std::string_view text, const char* from, const char* to, std::string& out);

// Replaces invalid UTF-8 sequences by U+FFFD in place; valid text is left untouched.
void SanitizeUtf8(std::string& text);

// Text in the internal code page as UTF-8 (what Qt, JSON and the clipboard want), and back.
std::string InternalToUtf8(std::string_view text, int codePage);
std::string Utf8ToInternal(std::string_view text, int codePage);

} // namespace lumbra
