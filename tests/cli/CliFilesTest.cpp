// lumbra32-cli files over folders of every encoding, and its exit statuses.
#include <gtest/gtest.h>

#include "TempDir.h"

namespace lumbra {
namespace {

using test::RunCommand;
using test::TempDir;

std::string cli() {
    return LUMBRA_CLI_PATH;
}

TEST(CliFiles, PrintsEncodingAndLineEndOfEveryFile) {
    TempDir dir;
    auto u16 = [](std::string_view s, bool le) {
        std::string out;
        for (char c : s) {
            out += le ? c : '\0';
            out += le ? '\0' : c;
        }
        return out;
    };
    dir.write("src/a_sjis.c", "// \x93\xfa\x96\x7b\x8c\xea\r\nint a;\r\n");
    dir.write("src/b_euc.c", "// \xc6\xfc\xcb\xdc\xb8\xec\nint b;\n");
    dir.write("src/c_jis.c", "// \x1b$BF|K\\8l\x1b(B\nint c;\n");
    // Japanese in UTF-8 without a mark: detected when it outscores the other encodings.
    dir.write("src/d_utf8.c", "// \xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x83\x86\xe3\x82\xb9"
                              "\xe3\x83\x88\nint d;\n");
    dir.write("src/e_utf8bom.c", "\xef\xbb\xbfint e;\r\n");
    dir.write("src/f_le.c", std::string("\xff\xfe", 2) + u16("int f;\r\n", true));
    dir.write("src/g_le.c", u16("int g;\n", true));
    dir.write("src/h_be.c", std::string("\xfe\xff", 2) + u16("int h;\r", false));
    dir.write("src/i_be.c", u16("int i;\n", false));
    dir.write("src/notes.txt", "skipped silently\n");

    test::CommandResult r = RunCommand(cli() + " files " + (dir.path() / "src").string());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::vector<std::string> lines;
    for (std::size_t pos = 0, eol; (eol = r.out.find('\n', pos)) != std::string::npos;
         pos = eol + 1)
        lines.push_back(r.out.substr(pos, eol - pos));
    ASSERT_EQ(lines.size(), 9u) << r.out;
    const char* expected[] = {"ANSI (CR+LF)",  "EUC (LF)",      "JIS (LF)",
                              "UTF8 (LF)",     "UTF8 (CR+LF)",  "UTF16-LE (CR+LF)",
                              "UTF16-LE (LF)", "UTF16-BE (CR)", "UTF16-BE (LF)"};
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(lines[i].rfind(std::to_string(i) + "\t", 0), 0u) << lines[i];
        EXPECT_NE(lines[i].find("\t" + std::string(expected[i]) + "\tC/C++"), std::string::npos)
            << lines[i];
    }
}

TEST(CliFiles, UnreadablePathsReportAndFailAfterTheRest) {
    TempDir dir;
    std::string good = dir.write("ok.c", "int x;\n");
    test::CommandResult r =
        RunCommand(cli() + " files " + (dir.path() / "missing.c").string() + " " + good);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing.c"), std::string::npos);
    EXPECT_NE(r.out.find("ok.c"), std::string::npos);
}

TEST(CliFiles, JapaneseTextsAndUsageErrors) {
    TempDir dir;
    std::string file = dir.write("sjis.c", "// \x93\xfa\x96\x7b\n");
    test::CommandResult r = RunCommand(cli() + " files --lang ja " + file);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\xe3\x82\xb7\xe3\x83\x95\xe3\x83\x88JIS (LF)"), std::string::npos)
        << r.out;
    EXPECT_EQ(RunCommand(cli() + " files --lang fr " + file).status, 2);
    EXPECT_EQ(RunCommand(cli() + " nosuchcommand").status, 2);
    EXPECT_EQ(RunCommand(cli() + " --version").status, 0);
}

} // namespace
} // namespace lumbra
