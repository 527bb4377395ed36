// lumbra32-cli modules and the counts of lumbra32-cli files.
#include <gtest/gtest.h>

#include <sstream>

#include "TempDir.h"

namespace lumbra {
namespace {

using test::RunCommand;
using test::TempDir;

std::vector<std::vector<std::string>> rows(const std::string& out) {
    std::vector<std::vector<std::string>> result;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(line.substr(start, tab - start));
        fields.push_back(line.substr(start));
        result.push_back(fields);
    }
    return result;
}

const char* kSource = "/* tool */\n"
                      "int helper(int n)\n"
                      "{\n"
                      "    return n ? helper(n - 1) : 0;\n"
                      "}\n"
                      "\n"
                      "int main(void)\n"
                      "{\n"
                      "    printf(\"%d\", helper(3));\n"
                      "    return 0;\n"
                      "}\n";

TEST(CliModules, ListsEveryModuleWithItsCounts) {
    TempDir dir;
    std::string file = dir.write("tool.c", kSource);
    test::CommandResult r = RunCommand(std::string(LUMBRA_CLI_PATH) + " modules " + file);
    ASSERT_EQ(r.status, 0) << r.err;
    auto table = rows(r.out);
    ASSERT_EQ(table.size(), 4u) << r.out;
    EXPECT_EQ(table[0], (std::vector<std::string>{"Id", "File", "Line", "Kind", "Name", "Exec",
                                                  "Comment", "Define", "Space", "Other", "Path",
                                                  "Lower", "Upper", "Recursive"}));
    EXPECT_EQ(table[1], (std::vector<std::string>{"1", "tool.c", "2", "0", "helper", "4", "0", "0",
                                                  "0", "0", "2", "1", "2", "1"}));
    EXPECT_EQ(table[2], (std::vector<std::string>{"2", "tool.c", "7", "0", "main", "5", "0", "0",
                                                  "0", "0", "1", "2", "0", "0"}));
    EXPECT_EQ(table[3], (std::vector<std::string>{"3", "tool.c", "0", "0", "printf", "0", "0", "0",
                                                  "0", "0", "0", "0", "1", "0"}));
}

TEST(CliModules, FilesShowModuleCountLineCountsAndPaths) {
    TempDir dir;
    std::string file = dir.write("tool.c", kSource);
    test::CommandResult r = RunCommand(std::string(LUMBRA_CLI_PATH) + " files " + file);
    ASSERT_EQ(r.status, 0) << r.err;
    auto table = rows(r.out);
    ASSERT_EQ(table.size(), 1u);
    ASSERT_EQ(table[0].size(), 11u) << r.out;
    // modules, Exec, Comment, Define, Space, Other, path number
    EXPECT_EQ(std::vector<std::string>(table[0].begin() + 4, table[0].end()),
              (std::vector<std::string>{"2", "8", "1", "1", "1", "0", "3"}));
}

TEST(CliModules, UnreadableInputFailsAfterTheRest) {
    TempDir dir;
    std::string file = dir.write("ok.c", "void f(void) { }\n");
    test::CommandResult r = RunCommand(std::string(LUMBRA_CLI_PATH) + " modules " +
                                       (dir.path() / "gone.c").string() + " " + file);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("\tf\t"), std::string::npos) << r.out;
}

} // namespace
} // namespace lumbra
