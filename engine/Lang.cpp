// String table and formatting helpers.
#include "Lang.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace lumbra {
namespace {

std::atomic<UiLanguage> gLanguage{UiLanguage::English};

// The Japanese table (res/lang/ja.tsv) as bytes.
constexpr unsigned char kJapaneseTsv[] = {
#include "LangJa.inc"
    0};

std::string unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            char c = s[++i];
            out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

struct JapaneseTable {
    std::vector<std::pair<std::string, std::string>> storage;
    std::unordered_map<std::string_view, const char*> map;

    JapaneseTable() {
        std::string_view all(reinterpret_cast<const char*>(kJapaneseTsv), sizeof kJapaneseTsv - 1);
        while (!all.empty()) {
            std::size_t eol = all.find('\n');
            std::string_view line = all.substr(0, eol);
            all = eol == std::string_view::npos ? std::string_view{} : all.substr(eol + 1);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            std::size_t tab = line.find('\t');
            if (line.empty() || line[0] == '#' || tab == std::string_view::npos)
                continue;
            storage.emplace_back(unescape(line.substr(0, tab)), unescape(line.substr(tab + 1)));
        }
        map.reserve(storage.size());
        for (const auto& [en, ja] : storage)
            map.emplace(en, ja.c_str());
    }
};

const JapaneseTable& japanese() {
    static const JapaneseTable table;
    return table;
}

struct MissingTexts {
    std::mutex lock;
    std::vector<std::string> order;
    std::unordered_set<std::string> seen;
};

bool hasLetter(std::string_view text) {
    for (char c : text)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            return true;
    return false;
}

MissingTexts& missing() {
    static MissingTexts texts;
    return texts;
}

} // namespace

std::vector<std::string> MissingJapaneseTexts() {
    MissingTexts& m = missing();
    std::lock_guard guard(m.lock);
    return m.order;
}

void ClearMissingJapaneseTexts() {
    MissingTexts& m = missing();
    std::lock_guard guard(m.lock);
    m.order.clear();
    m.seen.clear();
}

void SetUiLanguage(UiLanguage language) {
    gLanguage.store(language);
}
UiLanguage GetUiLanguage() {
    return gLanguage.load();
}

const char* JapaneseText(std::string_view english) {
    const auto& map = japanese().map;
    auto it = map.find(english);
    return it == map.end() ? nullptr : it->second;
}

const char* tr(const char* english) {
    if (english == nullptr || GetUiLanguage() != UiLanguage::Japanese)
        return english;
    const char* ja = JapaneseText(english);
    if (ja)
        return ja;
    // Only a missing translation takes the lock, so the lookup stays cheap. Texts without a
    // letter (numbers, "%d / %d") need no translation.
    if (hasLetter(english)) {
        MissingTexts& m = missing();
        std::lock_guard guard(m.lock);
        if (m.seen.insert(english).second)
            m.order.emplace_back(english);
    }
    return english;
}

std::string FormatV(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    char small[256];
    int n = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (n < 0)
        return {};
    if (static_cast<std::size_t>(n) < sizeof small)
        return std::string(small, static_cast<std::size_t>(n));
    std::vector<char> big(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), format, args);
    return std::string(big.data(), static_cast<std::size_t>(n));
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string s = FormatV(format, args);
    va_end(args);
    return s;
}

} // namespace lumbra
