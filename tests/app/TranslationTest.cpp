// The Japanese string table against the sources: every literal handed to tr() or UiText(), every
// command caption and hint and every menu title has a Japanese form, and each translation keeps
// the printf conversions of its English text in the same order (a swapped or lost %s would
// crash or garble the formatted message).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "CommandTable.h"
#include "Lang.h"

namespace fs = std::filesystem;

namespace lumbra {
namespace {

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A C++ string literal's value (simple escapes only, as the sources use them).
std::string literalValue(const std::string& body) {
    std::string out;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '\\' && i + 1 < body.size()) {
            const char c = body[++i];
            out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
        } else {
            out += body[i];
        }
    }
    return out;
}

struct Literal {
    std::string text;
    std::string where;
};

// The literal first arguments of tr(...) and UiText(...) in every source of the program.
std::vector<Literal> translatedLiterals() {
    // One or more adjacent literals ("a" "b") as the whole first argument.
    static const std::regex call(R"re(\b(?:tr|UiText)\(\s*((?:"(?:[^"\\]|\\.)*"\s*)+)[,)])re");
    static const std::regex piece(R"re("((?:[^"\\]|\\.)*)")re");
    std::vector<Literal> found;
    for (const char* layer : {"engine", "scanners", "project", "app", "views", "cli"}) {
        for (const auto& entry :
             fs::recursive_directory_iterator(fs::path(LUMBRA_SOURCE_DIR) / layer)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h")
                continue;
            const std::string text = readAll(entry.path());
            for (std::sregex_iterator m(text.begin(), text.end(), call), end; m != end; ++m) {
                std::string value;
                const std::string args = (*m)[1].str();
                for (std::sregex_iterator p(args.begin(), args.end(), piece); p != end; ++p)
                    value += literalValue((*p)[1].str());
                found.push_back({value, entry.path().filename().string()});
            }
        }
    }
    return found;
}

bool needsTranslation(const std::string& text) {
    for (char c : text)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            return true;
    return false;
}

// The printf conversions of a text, in order ("%%" is none).
std::vector<std::string> conversions(const std::string& text) {
    static const std::regex conversion(
        R"(%(?:%|[-+ #0]*[0-9]*(?:\.[0-9]+)?(?:hh|h|ll|l|z)?[diouxXcsfgeEp]))");
    std::vector<std::string> out;
    for (std::sregex_iterator m(text.begin(), text.end(), conversion), end; m != end; ++m)
        if (m->str() != "%%")
            out.push_back(m->str());
    return out;
}

TEST(Translation, EveryTextTheSourcesTranslateHasItsJapaneseForm) {
    const std::vector<Literal> literals = translatedLiterals();
    // The scan must find the program's texts, or it would pass on nothing.
    ASSERT_GT(literals.size(), 100u);
    for (const Literal& l : literals) {
        if (needsTranslation(l.text)) {
            EXPECT_NE(JapaneseText(l.text), nullptr) << l.where << ": \"" << l.text << "\"";
        }
    }
}

TEST(Translation, EveryCommandCaptionHintAndMenuTitleHasItsJapaneseForm) {
    for (const CommandInfo& c : Commands()) {
        EXPECT_NE(JapaneseText(c.caption), nullptr) << c.caption;
        if (!c.hint.empty()) {
            EXPECT_NE(JapaneseText(c.hint), nullptr) << c.hint;
        }
    }
    for (const MenuEntry& entry : MenuLayout()) {
        std::string_view path = entry.path;
        while (!path.empty()) {
            const std::size_t slash = path.find('/');
            const std::string_view title = path.substr(0, slash);
            EXPECT_NE(JapaneseText(title), nullptr) << title;
            path = slash == std::string_view::npos ? std::string_view{} : path.substr(slash + 1);
        }
    }
}

TEST(Translation, TheTableKeepsConversionsAndHoldsEachTextOnce) {
    std::istringstream table(readAll(fs::path(LUMBRA_SOURCE_DIR) / "res/lang/ja.tsv"));
    std::set<std::string> seen;
    std::string line;
    int lineNo = 0;
    int entries = 0;
    while (std::getline(table, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << "line " << lineNo << " has no tab";
        const std::string english = line.substr(0, tab);
        const std::string japanese = line.substr(tab + 1);
        ++entries;
        EXPECT_TRUE(seen.insert(english).second) << "line " << lineNo << " repeats " << english;
        EXPECT_FALSE(japanese.empty()) << "line " << lineNo;
        EXPECT_EQ(japanese.find('\t'), std::string::npos) << "line " << lineNo;
        EXPECT_EQ(conversions(english), conversions(japanese))
            << "line " << lineNo << ": " << english;
    }
    EXPECT_GT(entries, 300);
}

TEST(Translation, TheInterfaceLanguageChoosesTheTextAndUnknownTextsAreReported) {
    SetUiLanguage(UiLanguage::English);
    EXPECT_STREQ(tr("Caution"), "Caution");
    SetUiLanguage(UiLanguage::Japanese);
    ClearMissingJapaneseTexts();
    EXPECT_STRNE(tr("Caution"), "Caution");
    EXPECT_STREQ(tr("No such text in the table"), "No such text in the table");
    tr("No such text in the table");
    tr("12 / 34"); // nothing to translate
    EXPECT_EQ(MissingJapaneseTexts(), std::vector<std::string>{"No such text in the table"});
    ClearMissingJapaneseTexts();
    SetUiLanguage(UiLanguage::English);
}

} // namespace
} // namespace lumbra
