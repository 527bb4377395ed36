// Compilation databases: which files they list, once each, and which constants and include
// folders their commands give; the words of a command; bad databases.
#include <gtest/gtest.h>

#include "CNvPrjFile.h"
#include "CompileCommand.h"
#include "ProjectOpen.h"
#include "TempDir.h"

namespace lumbra {
namespace {

using test::TempDir;
using Words = std::vector<std::string>;

std::string root(const TempDir& dir) {
    return dir.path().string();
}

TEST(CompileDatabase, BothFormsFilesOnceAndTheirDefinitions) {
    TempDir dir;
    const std::string r = root(dir);
    dir.write("src/main.c", "int main(void) { return 0; }\n");
    dir.write("src/util.c", "int util;\n");
    dir.write("lib/Lib.c", "int lib;\n");
    const std::string db = dir.write(
        "build/compile_commands.json",
        "[\n"
        // command form: joined and separate options, a quoted value, a relative -I
        " {\"directory\": \"" +
            r +
            "/build\", \"file\": \"../src/main.c\",\n"
            "  \"command\": \"/usr/bin/cc -DFEATURE -D LEVEL=3 '-DNAME=\\\"x y\\\"' -I../include "
            "-isystem /opt/sys -o main.o -c ../src/main.c\"},\n"
            // arguments form; LEVEL again (the first stays), a function-like macro (no constant)
            " {\"directory\": \"" +
            r +
            "\", \"file\": \"src/util.c\",\n"
            "  \"arguments\": [\"c++\", \"-DLEVEL=9\", \"-DMAX(a,b)=a\", \"-iquote\", \"quoted\", "
            "\"-I\", \"" +
            r +
            "/include\", \"-c\", \"src/util.c\"], \"output\": \"util.o\"},\n"
            // the same file again for another configuration: listed once
            " {\"directory\": \"" +
            r + "/build\", \"file\": \"" + r +
            "/src/./main.c\",\n"
            "  \"arguments\": [\"cc\", \"-DSECOND\", \"-c\", \"main.c\"]},\n"
            // a name differing in case from the file on disk
            " {\"directory\": \"" +
            r +
            "\", \"file\": \"lib/lib.c\", \"command\": \"cc -c lib/lib.c\"}\n"
            "]\n");
    ASSERT_EQ(LookupProjectFormat(db), ProjectFormat::CompileDatabase);
    CNvPrjFile reader{TextReadSettings{}};
    ASSERT_TRUE(reader.ReadCompileDatabase(db));
    EXPECT_EQ(reader.Files(), (Words{r + "/src/main.c", r + "/src/util.c", r + "/lib/Lib.c"}));
    EXPECT_EQ(reader.Definitions().Defines(),
              (Words{"FEATURE", "LEVEL=3", "NAME=\"x y\"", "SECOND"}));
    EXPECT_EQ(reader.Definitions().IncludePaths(),
              (Words{r + "/include", "/opt/sys", r + "/quoted"}));
    EXPECT_TRUE(reader.Notices().empty());
}

TEST(CompileDatabase, WindowsPathsAreFoundBelowTheDatabasesFolder) {
    TempDir dir;
    const std::string r = root(dir);
    dir.write("src/main.c", "int main(void) { return 0; }\n");
    dir.write("src/util.c", "int util;\n");
    const std::string db = dir.write(
        "compile_commands.json",
        "[{\"directory\": \"C:\\\\work\\\\app\\\\build\", \"file\": \"..\\\\src\\\\main.c\", "
        "\"command\": \"cl.exe /c ..\\\\src\\\\main.c\"},"
        " {\"directory\": \"C:/work/app/build\", \"file\": \"C:/work/app/src/util.c\", "
        "\"command\": \"cl.exe /c C:/work/app/src/util.c\"}]");
    CNvPrjFile reader{TextReadSettings{}};
    ASSERT_TRUE(reader.ReadCompileDatabase(db));
    EXPECT_EQ(reader.Files(), (Words{r + "/src/main.c", r + "/src/util.c"}));
    EXPECT_EQ(reader.Relocated(), (Words{"C:/work/app/src/main.c", "C:/work/app/src/util.c"}));
}

TEST(CompileDatabase, MicrosoftOptionsOnlyForTheMicrosoftCompiler) {
    BuildDefinitions cl;
    CollectBuildDefinitions(
        SplitCommandLine("\"C:\\Program Files\\MSVC\\bin\\cl.exe\" /nologo /DWIN /D \"V=2\" "
                         "/Iinc /I \"sdk inc\" -DDASH /c a.c"),
        "/b", cl);
    EXPECT_EQ(cl.Defines(), (Words{"WIN", "V=2", "DASH"}));
    EXPECT_EQ(cl.IncludePaths(), (Words{"/b/inc", "/b/sdk inc"}));
    // On Linux "/Data/x.c" and "/Include/y" are paths, not options.
    BuildDefinitions gcc;
    CollectBuildDefinitions(SplitCommandLine("gcc -c /Data/x.c /Include/y -I /inc"), "/b", gcc);
    EXPECT_TRUE(gcc.Defines().empty());
    EXPECT_EQ(gcc.IncludePaths(), Words{"/inc"});
}

TEST(CompileDatabase, CommandsSplitAsTheirShellWould) {
    EXPECT_EQ(SplitCommandLine("  cc  -c\ta.c  "), (Words{"cc", "-c", "a.c"}));
    EXPECT_EQ(SplitCommandLine("cc '-DA=\"q\"' \"-DB=\\\"r\\\" \\$x\" -DC=a\\ b \"\""),
              (Words{"cc", "-DA=\"q\"", "-DB=\"r\" $x", "-DC=a b", ""}));
    // Windows: backslashes are literal unless they escape a quote.
    EXPECT_EQ(SplitCommandLine("C:\\vc\\cl.exe /I C:\\inc \"/DS=\\\"x\\\"\" \"a b\\\\\""),
              (Words{"C:\\vc\\cl.exe", "/I", "C:\\inc", "/DS=\"x\"", "a b\\"}));
    // Unclosed quotes end with the text.
    EXPECT_EQ(SplitCommandLine("cc 'open"), (Words{"cc", "open"}));
    EXPECT_EQ(SplitCommandLine("cc \"open\\"), (Words{"cc", "open\\"}));
    EXPECT_TRUE(SplitCommandLine("").empty());
}

TEST(CompileDatabase, BadDatabasesFailWithAReason) {
    TempDir dir;
    struct Case {
        const char* text;
        const char* reason;
    };
    const Case cases[] = {
        {"[{\"directory\": \"/\", \"file\": \"a.c\",", "parse error"},
        {"", "parse error"},
        {"\x89PNG\r\n\x1a\n", "parse error"},
        {"{\"file\": \"a.c\"}", "no list of entries"},
    };
    for (const Case& c : cases) {
        const std::string db = dir.write("compile_commands.json", c.text);
        CNvPrjFile reader{TextReadSettings{}};
        EXPECT_FALSE(reader.ReadCompileDatabase(db)) << c.text;
        EXPECT_TRUE(reader.Files().empty());
        ASSERT_EQ(reader.Notices().size(), 1u) << c.text;
        EXPECT_NE(reader.Notices()[0].find(c.reason), std::string::npos) << reader.Notices()[0];
        EXPECT_EQ(reader.Notices()[0].rfind(db + ": not a compilation database", 0), 0u);
    }
    // Entries that are no objects or lack a file are passed over, with one note.
    const std::string db =
        dir.write("compile_commands.json",
                  "[1, {\"directory\": \"/x\"}, {\"file\": 7}, {\"file\": \"a.c\", \"command\": 5, "
                  "\"arguments\": \"cc\"}, {\"file\": \"b.c\", \"directory\": null}]");
    CNvPrjFile reader{TextReadSettings{}};
    ASSERT_TRUE(reader.ReadCompileDatabase(db));
    EXPECT_EQ(reader.Files(), (Words{root(dir) + "/a.c", root(dir) + "/b.c"}));
    EXPECT_EQ(reader.Notices(), Words{db + ": 3 entries without a file were skipped"});
    EXPECT_TRUE(reader.Definitions().Empty());
}

TEST(BuildDefinitionsMerge, FirstDefinitionOfANameAndEachFolderOnce) {
    BuildDefinitions a;
    a.AddDefine("X=1");
    a.AddDefine("X=2");
    a.AddDefine("");
    a.AddDefine("=3");
    a.AddIncludePath("/i");
    BuildDefinitions b;
    b.AddDefine("Y");
    b.AddDefine("X");
    b.AddIncludePath("/i");
    b.AddIncludePath("/j");
    a.Merge(b);
    EXPECT_EQ(a.Defines(), (Words{"X=1", "Y"}));
    EXPECT_EQ(a.IncludePaths(), (Words{"/i", "/j"}));
    a.Clear();
    EXPECT_TRUE(a.Empty());
    a.AddDefine("X=5");
    EXPECT_EQ(a.Defines(), Words{"X=5"});
}

} // namespace
} // namespace lumbra
