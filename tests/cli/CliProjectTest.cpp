// Project files as command-line inputs, and save-project.
#include <gtest/gtest.h>

#include "TempDir.h"

namespace lumbra {
namespace {

using test::RunCommand;
using test::TempDir;

std::string cli() {
    return LUMBRA_CLI_PATH;
}

TEST(CliProject, ProjectInputsRegisterTheirFilesBesideOtherInputs) {
    TempDir dir;
    dir.write("app/Main.c", "int main(void) { return 0; }\n");
    std::string dsp = dir.write("app/APP.DSP", "# Begin Source File\r\nSOURCE=.\\main.c\r\n"
                                               "# End Source File\r\n");
    std::string other = dir.write("other.c", "int other;\n");
    test::CommandResult r = RunCommand(cli() + " files " + other + " " + dsp);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("0\tother.c", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\n1\tMain.c"), std::string::npos) << r.out;
}

TEST(CliProject, ProjectNamingNoFileFailsWithItsMessage) {
    TempDir dir;
    std::string bpr = dir.write("p.bpr", "<PROJECT><MACROS><OBJFILES value=\"gone.obj\"/></MACROS>"
                                         "</PROJECT>");
    test::CommandResult r = RunCommand(cli() + " files " + bpr);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "lumbra32-cli: File not found.\n");
    test::CommandResult ja = RunCommand(cli() + " files --lang ja " + bpr);
    EXPECT_NE(ja.err.find("\xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab"), std::string::npos)
        << ja.err;
    test::CommandResult junk = RunCommand(cli() + " files " + dir.write("bad.vcproj", "<a"));
    EXPECT_EQ(junk.status, 1);
    EXPECT_NE(junk.err.find("cannot read"), std::string::npos) << junk.err;
}

TEST(CliProject, SaveProjectWritesWhatALaterRunReadsBack) {
    TempDir dir;
    std::string a = dir.write("src/a.c", "int a(void) { return 1; }\n");
    std::string b = dir.write("src/b.pas", "procedure B; begin end;\n");
    std::string out = (dir.path() / "session").string();
    test::CommandResult saved =
        RunCommand(cli() + " save-project " + out + " " + (dir.path() / "src").string());
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.out, out + ".prj\n");
    EXPECT_EQ(test::ReadFile(out + ".prj").rfind("[Files]\n" + a + "\n" + b + "\n", 0), 0u)
        << test::ReadFile(out + ".prj");

    test::CommandResult listed = RunCommand(cli() + " files " + out + ".prj");
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.out.find("0\ta.c"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("1\tb.pas"), std::string::npos) << listed.out;

    EXPECT_EQ(RunCommand(cli() + " save-project " + out).status, 2); // no inputs
    test::CommandResult unwritable =
        RunCommand(cli() + " save-project " + dir.path().string() + "/no/dir/p " + a);
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("cannot write"), std::string::npos) << unwritable.err;
}

TEST(CliProject, PrjWithAMissingFileAsksAndStops) {
    TempDir dir;
    std::string a = dir.write("a.c", "int a;\n");
    std::string prj =
        dir.write("p.prj", "[Files]\n" + dir.path().string() + "/gone.c\n" + a + "\n");
    test::CommandResult r = RunCommand(cli() + " files " + prj);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Specfication file can not read."), std::string::npos) << r.err;
    // The question is answered "No", so the rest of the list is not read.
    EXPECT_EQ(r.out, "");
}

TEST(CliProject, PrjCarriesItsSettingsUnlessIniNamesThem) {
    TempDir dir;
    std::string a = dir.write("a.c", "int a;\n");
    // "Language" 3 takes every file for Pascal, whatever its extension.
    std::string prj = dir.write("p.prj", "[Files]\n" + a + "\n[File]\nLanguage=3\n");
    std::string ini = dir.write("plain.ini", "[File]\nLanguage=4\n");
    test::CommandResult own = RunCommand(cli() + " files " + prj);
    EXPECT_EQ(own.status, 0) << own.err;
    EXPECT_NE(own.out.find("\tPascal"), std::string::npos) << own.out;
    test::CommandResult named = RunCommand(cli() + " files --ini " + ini + " " + prj);
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_NE(named.out.find("\tC/C++"), std::string::npos) << named.out;

    // save-project writes the effective settings after the file list.
    std::string out = (dir.path() / "again.prj").string();
    ASSERT_EQ(RunCommand(cli() + " save-project " + out + " " + prj).status, 0);
    std::string saved = test::ReadFile(out);
    EXPECT_EQ(saved.rfind("[Files]\n" + a + "\n[Setup]\n", 0), 0u) << saved;
    EXPECT_NE(saved.find("\nLanguage=3\n"), std::string::npos) << saved;
}

} // namespace
} // namespace lumbra
