// lumbra32-cli defines, --define and --include-path.
#include <gtest/gtest.h>

#include "TempDir.h"

namespace lumbra {
namespace {

using test::RunCommand;
using test::TempDir;

std::string cli(const std::string& args) {
    return std::string(LUMBRA_CLI_PATH) + " " + args;
}

TEST(CliDefines, ListsTheGlobalConstantsThenEachFilesOwn) {
    TempDir dir;
    dir.write("inc/level.h", "#define LEVEL 2\n#define NAME \"x\"\n");
    const std::string a = dir.write("src/a.c", "#include \"level.h\"\n#define LOCAL 0x20\n");
    const std::string b = dir.write("src/b.c", "#define EMPTY\n");
    // A name of the define file (or the system's WINVER) loses to the command line's.
    const std::string def = dir.write("c.def", "#define FROM_FILE 7\n#define EXTRA 99\n");
    const std::string ini = dir.write(
        "s.ini", "[Analyze]\nAnlyOpt=1,1,1,1,1,1,1,0,1,1,0,1,1,0,1,1,0,0,0,0,0,32,10000000,0\n"
                 "ConstDef=" +
                     def + "\n");
    test::CommandResult r = RunCommand(
        cli("defines --ini " + ini + " --define EXTRA --define WINVER=0x0601 --define " +
            "HEX=0x10 --include-path " + (dir.path() / "inc").string() + " " + a + " " + b));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string globals = "\tEXTRA = 1 ( 0x1 )\n\tWINVER = 1537 ( 0x601 )\n"
                                "\tHEX = 16 ( 0x10 )\n\tFROM_FILE = 7 ( 0x7 )\n";
    EXPECT_EQ(r.out, a + "\n" + globals +
                         "\tLEVEL = 2 ( 0x2 )\n\tNAME = \"x\"\n"
                         "\tLOCAL = 32 ( 0x20 )\n" +
                         b + "\n" + globals + "\tEMPTY = (null)\n");
}

TEST(CliDefines, DefinesDecideConditionsOfEveryCommand) {
    TempDir dir;
    const std::string a = dir.write("a.c", "#if defined(WINVER) && WINVER >= 0x0500\n"
                                           "int modern(void) { return 0; }\n#else\n"
                                           "int legacy(void) { return 0; }\n#endif\n");
    test::CommandResult r = RunCommand(cli("modules --define WINVER=0x0400 " + a));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\tlegacy\t"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("\tmodern\t"), std::string::npos) << r.out;

    r = RunCommand(cli("modules --define WINVER=1280 " + a));
    EXPECT_NE(r.out.find("\tmodern\t"), std::string::npos) << r.out;
}

TEST(CliDefines, AConstantWithoutANameIsAUsageError) {
    TempDir dir;
    const std::string a = dir.write("a.c", "int x;\n");
    test::CommandResult r = RunCommand(cli("defines --define =1 " + a));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("A constant needs a name."), std::string::npos) << r.err;
}

} // namespace
} // namespace lumbra
