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
    // Why, in one line.
    EXPECT_NE(junk.err.find("bad.vcproj: not well-formed XML (Error parsing start element tag at "
                            "byte 2)"),
              std::string::npos)
        << junk.err;
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

TEST(CliProject, CompilationDatabaseDefinitionsDecideConditions) {
    TempDir dir;
    const std::string f = dir.path().string() + "/";
    dir.write("inc/config.h", "#define FROM_HEADER 1\n");
    dir.write("src/a.c", "#include \"config.h\"\n"
                         "#if FEATURE && FROM_HEADER\nint featured(void) { return 0; }\n"
                         "#else\nint plain(void) { return 0; }\n#endif\n"
                         "#if LEVEL > 2\nint high(void) { return 0; }\n#endif\n");
    const std::string db =
        dir.write("build/compile_commands.json",
                  "[{\"directory\": \"" + f +
                      "build\", \"file\": \"../src/a.c\",\n"
                      "  \"command\": \"cc -DFEATURE -DLEVEL=3 -I../inc -c ../src/a.c\"}]\n");
    test::CommandResult r = RunCommand(cli() + " modules " + db);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\tfeatured\t"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\thigh\t"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("\tplain\t"), std::string::npos) << r.out;
    // The command line's own constants win over the database's.
    r = RunCommand(cli() + " modules --define LEVEL=1 " + db);
    EXPECT_EQ(r.out.find("\thigh\t"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\tfeatured\t"), std::string::npos) << r.out;
}

TEST(CliProject, BrokenDatabaseSaysWhy) {
    TempDir dir;
    const std::string db = dir.write("compile_commands.json", "[{\"file\": \"a.c\"");
    test::CommandResult r = RunCommand(cli() + " files " + db);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("lumbra32-cli: " + db + ": not a compilation database (parse error"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("lumbra32-cli: File not found.\n"), std::string::npos) << r.err;
}

TEST(CliProject, SolutionListsTheFilesOfItsProjects) {
    test::CommandResult r =
        RunCommand(cli() + " files " + std::string(LUMBRA_PROJECT_DATA_DIR) + "vs2019/App.sln");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "lumbra32-cli: Skipped 1 entries holding MSBuild properties\n");
    std::vector<std::string> names;
    for (std::size_t pos = 0, eol; (eol = r.out.find('\n', pos)) != std::string::npos;
         pos = eol + 1) {
        const std::string line = r.out.substr(pos, eol - pos);
        const std::size_t tab = line.find('\t');
        names.push_back(line.substr(tab + 1, line.find("  ") - tab - 1));
    }
    // App.h is listed twice by the project and registered once.
    EXPECT_EQ(names,
              (std::vector<std::string>{"main.cpp", "a.cpp", "b.cpp", "Extra.cpp", "common.cpp",
                                        "Spaced Name.cpp", "App.h", "Sub.h", "lib.cpp", "Debug.cpp",
                                        "Lib64.cpp", "Lib.h", "Shared.cpp", "Shared.h"}));
}

} // namespace
} // namespace lumbra
