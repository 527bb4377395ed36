// The search over the analysed files: pattern preparation, the case option, patterns that do
// not compile, "Enable Line Only", the result lines, files in other encodings and code pages,
// cancelling, and the search on a worker thread.
#include <gtest/gtest.h>

#include <chrono>

#include "AnalysedSources.h"
#include "SourceSearch.h"

namespace lumbra {
namespace {

struct PatternCase {
    const char* typed;
    const char* prepared;
};

class PreparePattern : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PreparePattern, GivesTheSearchedPattern) {
    EXPECT_EQ(PrepareSearchPattern(GetParam().typed), GetParam().prepared);
}

INSTANTIATE_TEST_SUITE_P(LoneQuantifiersAndBackslashAreLiteral, PreparePattern,
                         ::testing::Values(PatternCase{"*", "\\*"}, PatternCase{"+", "\\+"},
                                           PatternCase{"?", "\\?"}, PatternCase{"\\", "\\\\"}));

INSTANTIATE_TEST_SUITE_P(LeadingQuantifiersAreDropped, PreparePattern,
                         ::testing::Values(PatternCase{"*abc", "abc"}, PatternCase{"+?*x+", "x+"},
                                           PatternCase{"**", ""}, PatternCase{"a*", "a*"},
                                           PatternCase{"\\d+", "\\d+"}, PatternCase{" *", " *"}));

std::vector<std::string> search(std::string_view text, std::string_view typed, bool matchCase,
                                const std::vector<std::uint32_t>* words = nullptr,
                                int codePage = kCodePageUtf8) {
    LineMatcher matcher(PrepareSearchPattern(typed), matchCase);
    EXPECT_TRUE(matcher.ok()) << matcher.error();
    std::vector<std::string> results;
    SearchText(SourceText::FromInternal(text), 3, codePage, matcher, words, results);
    return results;
}

using Results = std::vector<std::string>;

TEST(SourceSearch, ResultsNameFileAndLineAndShowTheTrimmedText) {
    const char* text = "int a;\n\t  x = a * b;\n\nreturn a\t* 2;\n";
    EXPECT_EQ(search(text, "*", false),
              (Results{"3, 2:  x = a * b;", "3, 4:  return a * 2;"})); // tabs become blanks
    EXPECT_EQ(search(text, "a \\*", false), (Results{"3, 2:  x = a * b;", "3, 4:  return a * 2;"}));
    EXPECT_EQ(search(text, "^int", false), (Results{"3, 1:  int a;"}));
    // A tab is a blank by the time the line is tested.
    EXPECT_EQ(search(text, "\\t", false), Results{});
    // Empty lines are never results, even for a pattern that matches anything.
    EXPECT_EQ(search(text, "**", false).size(), 3u);
    EXPECT_EQ(search(text, "^$", false), Results{});
}

TEST(SourceSearch, CaseIsIgnoredUnlessMatchCase) {
    const char* text = "Alpha\nALPHA\nalpha\n\xC3\x84rger\n";
    EXPECT_EQ(search(text, "alpha", false).size(), 3u);
    EXPECT_EQ(search(text, "alpha", true), (Results{"3, 3:  alpha"}));
    EXPECT_EQ(search(text, "\xC3\xA4rger", false), (Results{"3, 4:  \xC3\x84rger"}));
    EXPECT_EQ(search(text, "\xC3\xA4rger", true), Results{});
    // ECMAScript-like escapes.
    EXPECT_EQ(search(text, "\\u00c4", true), (Results{"3, 4:  \xC3\x84rger"}));
}

TEST(SourceSearch, PatternsThatDoNotCompileAreReportedNotRun) {
    for (const char* bad : {"a(", "[z-a]", "x{2,1}", "(?<", "a)"}) {
        LineMatcher matcher(PrepareSearchPattern(bad), false);
        EXPECT_FALSE(matcher.ok()) << bad;
        EXPECT_NE(matcher.error().find("at character"), std::string::npos) << matcher.error();
        EXPECT_FALSE(matcher.matches("a(")); // a failed pattern never matches
    }
    LineMatcher where("ab(", false);
    EXPECT_NE(where.error().find("at character 4"), std::string::npos) << where.error();

    SearchRequest request;
    request.pattern = "(";
    request.files.push_back({1, "/nonexistent", 0, {}});
    const SearchOutcome outcome = RunSearch(request);
    EXPECT_FALSE(outcome.error.empty());
    EXPECT_TRUE(outcome.results.empty());
    EXPECT_EQ(outcome.unreadable, 0); // nothing was read
}

TEST(SourceSearch, EnableLineOnlyTestsActiveLinesThatAreNoComments) {
    const char* text = "x1\nx2\nx3\nx4\nx5\n";
    const std::uint32_t active = 0x80000000u;
    const std::vector<std::uint32_t> words = {
        active,                        // tested
        active | 0x100u,               // a comment line
        0x100u,                        // inactive comment
        0,                             // inactive
        active | 0x200u | 0x40000000u, // other kind bits do not matter
    };
    EXPECT_EQ(search(text, "x", false, &words), (Results{"3, 1:  x1", "3, 5:  x5"}));
    // Lines beyond the table have no word: never active.
    const std::vector<std::uint32_t> shortTable = {active};
    EXPECT_EQ(search(text, "x", false, &shortTable), (Results{"3, 1:  x1"}));
    EXPECT_EQ(search(text, "x", false).size(), 5u);
}

TEST(SourceSearch, OtherCodePagesAreSearchedAsText) {
    // "\x82\xA0" is HIRAGANA A in Shift-JIS; its trail byte must not match an ASCII pattern.
    const std::string text = "a = \"\x82\xA0\";\n\x95\\\n";
    const Results found = search(text, "\xE3\x81\x82", true, nullptr, kCodePageShiftJis);
    EXPECT_EQ(found, (Results{"3, 1:  a = \"\xE3\x81\x82\";"}));
    EXPECT_EQ(search(text, "\\\\", true, nullptr, kCodePageShiftJis), Results{});
}

TEST(SourceSearch, PathologicalPatternsDoNotStallTheSearch) {
    LineMatcher matcher("(a+)+$", true);
    ASSERT_TRUE(matcher.ok());
    const std::string line = std::string(40, 'a') + "!";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(matcher.matches(line));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(matcher.skipped(), 1);
}

class SearchFilesTest : public ::testing::Test, protected test::AnalysedSources {
protected:
    SearchFilesTest() {
        add("a.c", "fn main\ncall helper\n");
        // UTF-16LE with a byte-order mark: "fn helper" and a Japanese word.
        std::string utf16 = "\xFF\xFE";
        for (char c : std::string("fn helper\r\n"))
            utf16 += std::string{c, '\0'};
        utf16 += "\x42\x30\x44\x30\r\0\n\0"; // HIRAGANA A, I
        add("b.c", utf16);
        analyse();
    }
};

TEST_F(SearchFilesTest, EveryFileIsReadInItsOwnEncoding) {
    SearchRequest request = MakeSearchRequest(engine, "helper", false, false);
    ASSERT_EQ(request.files.size(), 2u);
    EXPECT_EQ(request.files[1].number, 2);
    SearchOutcome outcome = RunSearch(request);
    EXPECT_EQ(outcome.results, (Results{"1, 2:  call helper", "2, 1:  fn helper"}));
    outcome = RunSearch(MakeSearchRequest(engine, "\xE3\x81\x82\xE3\x81\x84", false, false));
    EXPECT_EQ(outcome.results, (Results{"2, 2:  \xE3\x81\x82\xE3\x81\x84"}));
}

TEST_F(SearchFilesTest, FilesGoneSinceTheAnalysisAreCountedAndSkipped) {
    SearchRequest request = MakeSearchRequest(engine, "fn", false, false);
    std::filesystem::remove(dir.path() / "a.c");
    const SearchOutcome outcome = RunSearch(request);
    EXPECT_EQ(outcome.unreadable, 1);
    EXPECT_EQ(outcome.results, (Results{"2, 1:  fn helper"}));
}

TEST_F(SearchFilesTest, EnableLineOnlyTakesTheLineWordsOfTheAnalysis) {
    // The test scanner writes no line words: no line counts as active.
    SearchRequest request = MakeSearchRequest(engine, "fn", false, true);
    ASSERT_EQ(request.files.size(), 2u);
    EXPECT_TRUE(RunSearch(request).results.empty());
    request.files[0].lineWords = {0x80000000u, 0x80000000u};
    EXPECT_EQ(RunSearch(request).results, (Results{"1, 1:  fn main"}));
}

TEST_F(SearchFilesTest, ACancelledSearchStopsAndSaysSo) {
    SearchProgress progress;
    progress.cancel = true;
    const SearchOutcome outcome =
        RunSearch(MakeSearchRequest(engine, "fn", false, false), &progress);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_TRUE(outcome.results.empty());
    EXPECT_EQ(progress.filesDone.load(), 0);
}

TEST_F(SearchFilesTest, TheWorkerDeliversItsOutcomeOnce) {
    SearchJob job;
    EXPECT_FALSE(job.Take());
    ASSERT_TRUE(job.Start(MakeSearchRequest(engine, "fn", false, false)));
    EXPECT_EQ(job.FileCount(), 2);
    std::optional<SearchOutcome> outcome = job.Wait();
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->results.size(), 2u);
    EXPECT_EQ(job.FilesDone(), 2);
    EXPECT_FALSE(job.Take());
    EXPECT_FALSE(job.Wait());

    // Started again, cancelled at once, and destroyed while it may still run.
    ASSERT_TRUE(job.Start(MakeSearchRequest(engine, "fn", false, false)));
    job.Cancel();
    outcome = job.Wait();
    ASSERT_TRUE(outcome);
    SearchJob abandoned;
    abandoned.Start(MakeSearchRequest(engine, "x", false, false));
}

} // namespace
} // namespace lumbra
