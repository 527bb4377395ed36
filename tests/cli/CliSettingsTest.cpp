// lumbra32-cli settings and the --ini / --user-settings options every command takes.
#include <gtest/gtest.h>

#include "TempDir.h"

namespace lumbra {
namespace {

using test::RunCommand;
using test::TempDir;

std::string cli() {
    return LUMBRA_CLI_PATH;
}

TEST(CliSettings, PrintsTheBuiltInSettingsNeverTheUsersOwn) {
    TempDir home;
    home.write("Nuvex/Lumbra32/Lumbra32.ini", "[Setup]\nCpuset=3\n");
    const std::string env = "XDG_CONFIG_HOME=" + home.path().string() + " ";

    test::CommandResult r = RunCommand(env + cli() + " settings");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("[Setup]\nCpuset=1\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\nAnlyOpt=1,1,1,1,1,1,1,0,1,1,0,0,1,0,1,1,0,0,0,0,0,32,10000000,0\n"),
              std::string::npos);
    EXPECT_EQ(r.out.find("[Window]"), std::string::npos);

    r = RunCommand(env + cli() + " settings --user-settings");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("[Setup]\nCpuset=3\n", 0), 0u) << r.out;

    EXPECT_EQ(RunCommand(env + cli() + " settings --user-settings --ini /etc/hostname").status, 2);
    EXPECT_EQ(RunCommand(cli() + " settings --ini " + home.path().string() + "/none.ini").status,
              2);
}

TEST(CliSettings, TakesTheSettingsOfAProjectWithoutWritingIt) {
    TempDir dir;
    const std::string prj =
        dir.write("app.prj", "[Files]\r\n/src/main.c\r\n[Setup]\r\nCpuset=2\r\nLocale=1\r\n"
                             "[Analize]\r\nAnlyOpt=0\r\n");
    const std::string before = test::ReadFile(prj);
    test::CommandResult r = RunCommand(cli() + " settings --ini " + prj);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("[Setup]\nCpuset=2\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("AnlyOpt=0,1,"), std::string::npos) << "read from the older section";
    // Locale 1 selects the Japanese defaults: "All Files" in Japanese.
    EXPECT_NE(r.out.find("Filter0=\xe3\x81\x99\xe3\x81\xb9\xe3\x81\xa6"), std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("[Files]"), std::string::npos);
    EXPECT_EQ(test::ReadFile(prj), before);

    const std::string wide = dir.write("wide.ini", std::string("\xff\xfe[\0S\0]\0", 8));
    r = RunCommand(cli() + " settings --ini " + wide);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("wide.ini"), std::string::npos) << r.err;
}

TEST(CliSettings, CommandsAnalyseWithTheLoadedSettings) {
    TempDir dir;
    dir.write("src/a.c", "int a;\n");
    dir.write("src/b.cpp", "int b;\n");
    dir.write("src/c.s", "nop\n");
    const std::string ini =
        dir.write("only.ini", "[File]\nRev=1\nFilter1=Asm,s,,,,,,,,,,8\nFilter3=C,c,,,,,,,,,,4\n");
    test::CommandResult r =
        RunCommand(cli() + " files --ini " + ini + " " + (dir.path() / "src").string());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("a.c"), std::string::npos);
    EXPECT_NE(r.out.find("c.s"), std::string::npos);
    EXPECT_NE(r.out.find("Assembler"), std::string::npos);
    EXPECT_EQ(r.out.find("b.cpp"), std::string::npos) << r.out;

    const std::string pascal = dir.write("pascal.ini", "[File]\nLanguage=3\n");
    r = RunCommand(cli() + " files --ini " + pascal + " " + (dir.path() / "src/a.c").string());
    EXPECT_NE(r.out.find("\tPascal"), std::string::npos) << r.out;
}

} // namespace
} // namespace lumbra
