// The clipboard reports: "Analyze Out" and "Calling Out" in both forms, the module-list and
// search outputs, the totals text, path ratios and dates.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

#include "AnalysedSources.h"
#include "AnalysisReports.h"
#include "Lang.h"
#include "ModuleInfoReports.h"
#include "TreeBuilder.h"

namespace lumbra {
namespace {

// Two files: a.c with main calling helper and an unknown printf; b.c with a line outside every
// module and a module nobody calls and that calls nothing. Dated 2024-03-04 05:06:07 UTC.
class ReportTest : public ::testing::Test, protected test::AnalysedSources {
protected:
    static constexpr const char* kA = "fn main\nx\ncall helper\ncall printf\nfn helper\nx\nx\nx\n";
    static constexpr const char* kB = "stray\nfn alone\nx\n";

    ReportTest() {
        setenv("TZ", "UTC", 1);
        tzset();
        dated("a.c", kA);
        dated("b.c", kB);
        analyse();
        TreeRowList rows;
        TreeBuilder(engine, rows).BuildTrees();
    }
    ~ReportTest() override { SetUiLanguage(UiLanguage::English); }

    void dated(const std::string& name, const std::string& text) {
        const std::string path = dir.write(name, text);
        const timespec t{1709528767, 0}; // 2024-03-04 05:06:07 UTC
        const timespec times[2] = {t, t};
        utimensat(AT_FDCWD, path.c_str(), times, 0);
        engine.AddFile(path, kKindCFamily);
    }
    static std::vector<std::string> split(const std::string& text) {
        std::vector<std::string> out;
        for (std::size_t pos = 0, eol; (eol = text.find("\r\n", pos)) != std::string::npos;
             pos = eol + 2)
            out.push_back(text.substr(pos, eol - pos));
        return out;
    }
    static std::size_t fields(const std::string& line, char separator) {
        return static_cast<std::size_t>(std::count(line.begin(), line.end(), separator)) + 1;
    }
};

TEST_F(ReportTest, AnalyzeOutTabFormListsFilesTotalsAndModules) {
    const std::string expected =
        "Lumbrascope for WIN32\r\n"
        "\r\n[File Information]\r\n"
        "No.\tFile Name\tLastUpdate\tSize\tTotal\tDefine\tExec\tComment\tSpace\tOther\t"
        "Path numb\tPath ratio\r\n"
        "1\ta.c\t03/04/2024 05:06:07\t50B\t      8\t      2\t      6\t      0\t      0\t"
        "      0\t      2\t     33\r\n"
        "2\tb.c\t03/04/2024 05:06:07\t17B\t      3\t      1\t      1\t      0\t      0\t"
        "      1\t      1\t    100\r\n"
        "Total Lines : \t                          \t     11\t      3\t      7\t      0\t"
        "      0\t      1\t      3\t     43\r\n"
        "\r\n[Module Information]\r\n"
        "No.\tFile Name\tLines\tName\tFunction\tExec\tUpper\tLower\tPath numb\tPath ratio\t"
        "Exec(Inc.)\tPath(Inc.)\r\n"
        "1\ta.c\t1\tmain\t\t3\t0\t2\t1\t33\t6\t1\r\n"
        "2\ta.c\t5\thelper\t\t3\t1\t0\t1\t33\t3\t1\r\n"
        "3\tb.c\t2\talone\t\t1\t0\t0\t1\t100\t1\t1\r\n"
        "4\ta.c\t0\tprintf\t\t0\t1\t0\t0\t0\t0\t0\r\n";
    EXPECT_EQ(AnalyzeOutText(engine, {true, true}), expected);
}

TEST_F(ReportTest, AnalyzeOutCommaFormQuotesFieldsAndKeepsTheTotalsGaps) {
    const std::vector<std::string> lines = split(AnalyzeOutText(engine, {false, true}));
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[2], "\"[file infomation]\"");
    EXPECT_EQ(lines[4], "\"1\",\"a.c\",\"03/04/2024 05:06:07\",\"50B\",\"      8\",\"      2\","
                        "\"      6\",\"      0\",\"      0\",\"      0\",\"      2\",\"     33\"");
    // Two bare empty fields stand for date and size; the ratio is truncated (300 / 7).
    EXPECT_EQ(lines[6], "\"Total Lines : \",\"                          \",,,\"     11\","
                        "\"      3\",\"      7\",\"      0\",\"      0\",\"      1\",\"      3\","
                        "\"     42\"");
    EXPECT_EQ(fields(lines[6], ','), fields(lines[4], ','));
    EXPECT_EQ(lines[9], "\"No.\",\"File Name\",\"Line\",\"Name\",\"Function\",\"Exec\",\"Upper\","
                        "\"Lower\",\"Path numb\",\"Path ratio\",\"Exec(Inc.)\",\"Path(Inc.)\"");
    EXPECT_EQ(lines[13], "\"4\",\"a.c\",\"0\",\"printf\",\"\",\"0\",\"1\",\"0\",\"0\",\"0\",\"0\","
                         "\"0\"");

    // The tab form's totals line has two fields fewer than a file line.
    const std::vector<std::string> tabs = split(AnalyzeOutText(engine, {true, true}));
    EXPECT_EQ(fields(tabs[6], '\t') + 2, fields(tabs[4], '\t'));
}

TEST_F(ReportTest, FilesAreNamedByFullPathWhenAsked) {
    const std::vector<std::string> lines = split(AnalyzeOutText(engine, {true, false}));
    const std::string path = (dir.path() / "a.c").string();
    EXPECT_EQ(lines[4].substr(0, path.size() + 2), "1\t" + path);
    EXPECT_EQ(lines[10].substr(0, path.size() + 2), "1\t" + path);
}

TEST_F(ReportTest, FieldsFromSourcesCannotBreakTheirLineOrColumn) {
    ModuleRecord& main = module("main");
    main.hasFunctionText = true;
    main.functionText = "say \"hi\"\tnow";
    EXPECT_NE(AnalyzeOutText(engine, {false, true}).find(",\"say \"\"hi\"\" now\","),
              std::string::npos);
    EXPECT_NE(AnalyzeOutText(engine, {true, true}).find("\tmain\tsay \"hi\" now\t"),
              std::string::npos);
}

TEST_F(ReportTest, CallingOutListsUpperAndLowerSideBySideAndSkipsLoneModules) {
    EXPECT_EQ(CallingOutText(engine, {true, true}), "Lumbrascope for WIN32\r\n"
                                                    "\r\nName  \tUpper     \tLower     \r\n"
                                                    "------\t----------\t----------\r\n"
                                                    "main\t\thelper\r\n"
                                                    "\t\tprintf\r\n"
                                                    "helper\tmain\t\r\n"
                                                    "printf\tmain\t\r\n");
    EXPECT_EQ(CallingOutText(engine, {false, true}),
              "Lumbrascope for WIN32\r\n"
              "\r\n\"Name  \",\"Upper     \",\"Lower     \"\r\n"
              "\"------\",\"----------\",\"----------\"\r\n"
              "\"main\",\"\",\"helper\"\r\n"
              "\"\",\"\",\"printf\"\r\n"
              "\"helper\",\"main\",\"\"\r\n"
              "\"printf\",\"main\",\"\"\r\n");
}

TEST_F(ReportTest, NamesInTheInternalCodePageComeOutAsUtf8) {
    TextReadSettings s = engine.GetTextReadSettings();
    s.codePage = 932;
    engine.SetTextReadSettings(s);
    module("helper").name = "\x93\xfa\x96\x7b"; // Shift-JIS
    EXPECT_NE(CallingOutText(engine, {true, true}).find("\xe6\x97\xa5\xe6\x9c\xac\tmain\t\r\n"),
              std::string::npos);
    EXPECT_NE(AnalyzeOutText(engine, {true, true}).find("\t5\t\xe6\x97\xa5\xe6\x9c\xac\t"),
              std::string::npos);
}

TEST_F(ReportTest, JapaneseInterfaceTranslatesHeadsAndWritesDatesYearFirst) {
    SetUiLanguage(UiLanguage::Japanese);
    const std::string text = AnalyzeOutText(engine, {true, true});
    EXPECT_NE(text.find("\r\n[\xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab"),
              std::string::npos);
    EXPECT_NE(text.find("\t2024/03/04 05:06:07\t"), std::string::npos);
    EXPECT_EQ(text.find("File Name"), std::string::npos);
    // The heads stay as wide as their dashes.
    const std::vector<std::string> calling = split(CallingOutText(engine, {true, true}));
    EXPECT_EQ(calling[2], "\xe5\x90\x8d\xe5\x89\x8d  \t\xe4\xb8\x8a\xe4\xbd\x8d      \t"
                          "\xe4\xb8\x8b\xe4\xbd\x8d      ");
}

TEST_F(ReportTest, TotalsTextAndDerivedValues) {
    EXPECT_EQ(FileTotalsText(engine), "Tatal : " + std::string(30, ' ') +
                                          "       11        3        7        0        0"
                                          "        1        3\t     43");
    EXPECT_EQ(PathRatio(1, 8), 13); // 12.5 rounds up
    EXPECT_EQ(PathRatio(2, 3), 67);
    EXPECT_EQ(PathRatio(1, 3), 33);
    EXPECT_EQ(PathRatio(5, 0), 0);
    const FileTime t{2023, 12, 0, 31, 23, 59, 58, 0};
    EXPECT_EQ(FileDateText(t, false), "12/31/2023 23:59:58");
    EXPECT_EQ(FileDateText(t, true), "2023/12/31 23:59:58");
}

TEST_F(ReportTest, ModuleListOutputPairsTheListsAndAddsTheDefinitions) {
    ModuleListContent c;
    c.title = "main";
    c.hierarchy = {"root", "main"};
    c.upper = {"root"};
    c.lower = {"helper", "printf"};
    c.definitions = {"SIZE = 10 ( 0xA )", "broken entry", "NAME = text"};
    EXPECT_EQ(ModuleListText(c, {true, true}), "Lumbrascope for WIN32\r\n"
                                               "\r\nmain\r\n"
                                               "\r\nModule\tUpper     \tLower     \r\n"
                                               "------\t----------\t----------\r\n"
                                               "main\troot\thelper\r\n"
                                               "\t\tprintf\r\n"
                                               "\r\nDefine\tvalue \r\n"
                                               "------\t------\r\n"
                                               "SIZE\t10 ( 0xA )\r\n"
                                               "NAME\ttext\r\n");
    c.crossReference = true;
    c.title = "Call Information(main)";
    c.hierarchy.clear();
    EXPECT_EQ(ModuleListText(c, {false, true}), "Lumbrascope for WIN32\r\n"
                                                "\r\n[Call Information(main)]\r\n"
                                                "\r\n\"Module\",\"Upper     \",\"Lower     \"\r\n"
                                                "\"------\",\"----------\",\"----------\"\r\n"
                                                "\"\",\"root\",\"helper\"\r\n"
                                                "\"\",\"\",\"printf\"\r\n");
}

TEST_F(ReportTest, SearchOutputNamesFileAndLineOfEveryResult) {
    const std::vector<std::string> results = {"1, 3:  call helper", "2, 1:  stray", "9, 1:  x",
                                              "garbage", "2, 2"};
    EXPECT_EQ(SearchResultText(results, engine, {true, true}), "Lumbrascope for WIN32\r\n\r\n"
                                                               "a.c(3):  call helper\r\n"
                                                               "b.c(1):  stray\r\n"
                                                               "b.c(2): \r\n");
}

} // namespace
} // namespace lumbra
