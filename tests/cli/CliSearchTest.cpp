// lumbra32-cli search: the search output of the matching lines, the case and active-line
// options, file naming, and patterns that cannot be used.
#include <gtest/gtest.h>

#include "TempDir.h"

namespace lumbra {
namespace {

using test::CommandResult;
using test::RunCommand;
using test::TempDir;

class CliSearch : public ::testing::Test {
protected:
    CliSearch() {
        dir.write("src/main.c", "/* Helper comes first. */\n"
                                "int helper(void) { return 1; }\n"
                                "\n"
                                "int main(void)\n{\n"
                                "\treturn helper() * 2;\n}\n");
    }
    CommandResult run(const std::string& args) {
        return RunCommand(std::string(LUMBRA_CLI_PATH) + " search " + args + " " + src());
    }
    std::string src() const { return (dir.path() / "src").string(); }

    TempDir dir;
};

TEST_F(CliSearch, PrintsEveryMatchingLineWithItsFileAndLine) {
    CommandResult r = run("helper");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Lumbrascope for WIN32\n\n"
                     "main.c(1):  /* Helper comes first. */\n"
                     "main.c(2):  int helper(void) { return 1; }\n"
                     "main.c(6):  return helper() * 2;\n");

    r = run("--match-case --enable-line-only helper");
    ASSERT_EQ(r.status, 0) << r.err;
    // The comment line is not tested.
    EXPECT_EQ(r.out, "Lumbrascope for WIN32\n\n"
                     "main.c(2):  int helper(void) { return 1; }\n"
                     "main.c(6):  return helper() * 2;\n");
}

TEST_F(CliSearch, LoneQuantifiersAreSearchedLiterally) {
    CommandResult r = run("'*' --full-path --crlf");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Lumbrascope for WIN32\r\n\r\n" + src() +
                         "/main.c(1):  /* Helper comes first. */\r\n" + src() +
                         "/main.c(6):  return helper() * 2;\r\n");
}

TEST_F(CliSearch, APatternThatDoesNotCompileIsBadUsage) {
    const CommandResult r = run("'helper('");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("The search pattern cannot be used: "), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;

    EXPECT_EQ(RunCommand(std::string(LUMBRA_CLI_PATH) + " search").status, 2);
}

} // namespace
} // namespace lumbra
