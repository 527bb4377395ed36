// lumbra32-cli analyze, calling, structure and json: output forms and destinations, progress,
// languages, and the exit statuses.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "TempDir.h"

namespace lumbra {
namespace {

using test::CommandResult;
using test::RunCommand;
using test::TempDir;

class CliReports : public ::testing::Test {
protected:
    CliReports() {
        dir.write("src/main.c", "int helper(void) { return 1; }\n\nint main(void)\n{\n"
                                "    return helper();\n}\n");
        dir.write("src/util.h", "int helper(void);\n");
    }
    CommandResult run(const std::string& args) {
        return RunCommand(std::string(LUMBRA_CLI_PATH) + " " + args + " " + src());
    }
    std::string src() const { return (dir.path() / "src").string(); }

    TempDir dir;
};

TEST_F(CliReports, AnalyzeWritesTheFileSectionWithNewlinesUnlessCrlfIsAsked) {
    CommandResult r = run("analyze");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Lumbrascope for WIN32\n\n[File Information]\nNo.\tFile Name\t", 0), 0u)
        << r.out;
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    EXPECT_NE(r.out.find("\n1\tmain.c\t"), std::string::npos);
    EXPECT_NE(r.out.find("\n2\tutil.h\t"), std::string::npos);
    EXPECT_NE(r.out.find("\n[Module Information]\n"), std::string::npos);

    r = run("analyze --crlf --csv --full-path");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\r\n\"[file infomation]\"\r\n"), std::string::npos);
    EXPECT_NE(r.out.find("\"1\",\"" + src() + "/main.c\","), std::string::npos) << r.out;
}

TEST_F(CliReports, OutputFileAndJapaneseInterface) {
    const std::string out = (dir.path() / "report.txt").string();
    CommandResult r = run("calling --lang ja -o " + out);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    std::ifstream in(out, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str().rfind("Lumbrascope for WIN32\n\n\xe5\x90\x8d\xe5\x89\x8d  \t", 0), 0u)
        << text.str();

    r = run("analyze -o " + (dir.path() / "no" / "such" / "dir.txt").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("dir.txt"), std::string::npos);
}

TEST_F(CliReports, SettingsGiveTheDefaultsAndOptionsOverrideThem) {
    const std::string ini =
        dir.write("my.ini", "[ModuleList]\nClipboardOut=0\nClipboardPathName=0\n");
    CommandResult r = run("analyze --ini " + ini);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"1\",\"" + src() + "/main.c\","), std::string::npos) << r.out;
    r = run("analyze --tsv --ini " + ini);
    EXPECT_NE(r.out.find("\n1\t" + src() + "/main.c\t"), std::string::npos) << r.out;
}

TEST_F(CliReports, JsonDescribesEveryFileAndModule) {
    CommandResult r = run("json --sort exec");
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json doc = nlohmann::json::parse(r.out);
    ASSERT_EQ(doc["files"].size(), 2u);
    const auto& f = doc["files"][0];
    for (const char* key : {"index", "path", "name", "kind", "encoding", "lineEnd", "lines", "size",
                            "modified", "define", "exec", "comment", "space", "other", "pathNumb"})
        EXPECT_TRUE(f.contains(key)) << key;
    EXPECT_EQ(f["name"], "main.c");
    EXPECT_EQ(f["lines"], 6);
    EXPECT_EQ(f["kind"], 2);
    EXPECT_EQ(f["lineEnd"], 10);
    EXPECT_TRUE(doc["modules"].is_array());
    for (const auto& m : doc["modules"]) {
        for (const char* key : {"id", "name", "file", "line", "container", "recursive", "execInc",
                                "pathInc", "function", "upper", "lower"})
            EXPECT_TRUE(m.contains(key)) << key;
    }
}

TEST_F(CliReports, StructureCallingAndJsonFollowTheCalls) {
    CommandResult r = run("structure");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "main" + std::string(46, ' ') + "\n+- helper" + std::string(41, ' ') + "\n");
    EXPECT_EQ(run("structure --root helper").out, "helper" + std::string(44, ' ') + "\n");

    r = run("calling");
    EXPECT_NE(r.out.find("\nhelper\tmain\t\nmain\t\thelper\n"), std::string::npos) << r.out;

    const nlohmann::json doc = nlohmann::json::parse(run("json").out);
    ASSERT_EQ(doc["modules"].size(), 2u);
    const auto& helper = doc["modules"][0];
    const auto& main = doc["modules"][1];
    EXPECT_EQ(main["name"], "main");
    EXPECT_EQ(main["lower"], nlohmann::json::parse(R"([{"name":"helper","target":1,"line":0}])"));
    EXPECT_EQ(helper["upper"], nlohmann::json::parse("[2]"));
    EXPECT_EQ(main["execInc"], main["exec"].get<int>() + helper["exec"].get<int>());
}

TEST_F(CliReports, UnreadableInputsStillGiveTheReportAndStatusOne) {
    CommandResult r = run("structure " + (dir.path() / "missing.c").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing.c"), std::string::npos);
    r = run("analyze " + (dir.path() / "missing.c").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("main.c"), std::string::npos);
}

TEST_F(CliReports, ProgressGoesToStderrOnly) {
    CommandResult plain = run("analyze");
    CommandResult r = run("analyze --progress");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, plain.out);
    EXPECT_NE(r.err.find("Reading"), std::string::npos);
    EXPECT_NE(r.err.find("2/2"), std::string::npos);
}

TEST_F(CliReports, BadUsageIsStatusTwoWithOneLine) {
    for (const char* args : {"analyze --opt 20=1", "analyze --opt x", "calling --count-opt 3=1",
                             "analyze --csv --tsv", "structure --sort size", "structure --layer 0",
                             "json --boxes -1", "structure --root no_such_module"}) {
        CommandResult r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << ": " << r.err;
    }
    EXPECT_EQ(run("analyze --opt 16=1 --opt 10=1 --count-opt 2=1").status, 0);
}

} // namespace
} // namespace lumbra
