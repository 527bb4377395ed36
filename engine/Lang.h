// The one string table of the program: every user-visible text is looked up here by its English
// form, so the core and the desktop program share one mechanism for both interface languages.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>
#include <vector>

namespace lumbra {

enum class UiLanguage { English, Japanese };

void SetUiLanguage(UiLanguage language);
UiLanguage GetUiLanguage();
inline bool IsJapaneseUi() {
    return GetUiLanguage() == UiLanguage::Japanese;
}

// The text in the current interface language (UTF-8). Unknown texts come back unchanged.
const char* tr(const char* english);

// The Japanese form of an English text, or nullptr when the table has none (used by tests that
// check that every text has a translation).
const char* JapaneseText(std::string_view english);

// The texts that tr() was asked for in Japanese and that the table lacks, in the order first
// asked, without repeats. Tests build every window in Japanese and expect this to stay empty.
std::vector<std::string> MissingJapaneseTexts();
void ClearMissingJapaneseTexts();

// printf-style formatting into a string of whatever length is needed.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* format, va_list args);

} // namespace lumbra
