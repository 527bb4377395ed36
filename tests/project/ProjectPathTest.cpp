// Project entries written on Windows or on another machine become paths of this one.
#include <gtest/gtest.h>

#include <filesystem>

#include "CodePage.h"
#include "ProjectPath.h"
#include "TempDir.h"

namespace lumbra {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::string folderOf(const TempDir& dir) {
    return dir.path().string() + "/";
}

TEST(ProjectPath, RelativeEntriesGoBehindTheProjectFolderWithSlashes) {
    TempDir dir;
    ProjectPathResolver r(folderOf(dir), kCodePageUtf8);
    EXPECT_EQ(r.Resolve(".\\src\\a.c"), folderOf(dir) + "src/a.c");
    EXPECT_EQ(r.Resolve("./src/a.c"), folderOf(dir) + "src/a.c");
    // Only one leading ".\" goes; ".." stays for the file system.
    EXPECT_EQ(r.Resolve(".\\.\\a.c"), folderOf(dir) + "./a.c");
    EXPECT_EQ(r.Resolve("..\\lib\\b.cpp"), folderOf(dir) + "../lib/b.cpp");
    EXPECT_TRUE(r.relocated().empty());
}

TEST(ProjectPath, AbsoluteEntriesAreNeverPrefixed) {
    TempDir dir;
    std::string file = dir.write("elsewhere/x.c", "int x;\n");
    ProjectPathResolver r(folderOf(dir) + "proj/", kCodePageUtf8);
    EXPECT_EQ(r.Resolve(file), file);
    EXPECT_EQ(r.Resolve("/nonexistent/dir/y.c"), "/nonexistent/dir/y.c");
}

TEST(ProjectPath, MissingPathsAreMatchedWithoutRegardToCase) {
    TempDir dir;
    dir.write("Src/Form1.cs", "");
    dir.write("Src/Sub/Util.cs", "");
    ProjectPathResolver r(folderOf(dir), kCodePageUtf8);
    EXPECT_EQ(r.Resolve("src\\FORM1.CS"), folderOf(dir) + "Src/Form1.cs");
    EXPECT_EQ(r.Resolve("SRC\\sub\\util.cs"), folderOf(dir) + "Src/Sub/Util.cs");
    EXPECT_EQ(r.Resolve("src\\..\\Src\\form1.cs"), folderOf(dir) + "Src/../Src/Form1.cs");
    // No match: the path stays as formed.
    EXPECT_EQ(r.Resolve("src\\gone.cs"), folderOf(dir) + "src/gone.cs");
}

TEST(ProjectPath, AnExactNameWinsOverOnesDifferingInCase) {
    TempDir dir;
    dir.write("a.c", "");
    dir.write("A.c", "");
    ProjectPathResolver r(folderOf(dir), kCodePageUtf8);
    EXPECT_EQ(r.Resolve("a.c"), folderOf(dir) + "a.c");
    EXPECT_EQ(r.Resolve("A.c"), folderOf(dir) + "A.c");
    // Several candidates: the first in byte order, every time.
    EXPECT_EQ(r.Resolve("a.C"), folderOf(dir) + "A.c");
}

TEST(ProjectPath, MissingAbsolutePathsAreRelocatedByTheirLongestTrailingPart) {
    TempDir dir;
    dir.write("src/main.c", "");
    dir.write("main.c", "");
    dir.write("Lib/Util.c", "");
    fs::create_directories(dir.path() / "include" / "folder.h");
    ProjectPathResolver r(folderOf(dir), kCodePageUtf8);
    EXPECT_EQ(r.Resolve("C:\\WorkSpace\\proj\\src\\main.c"), folderOf(dir) + "src/main.c");
    EXPECT_EQ(r.Resolve("/home/author/proj/lib/util.c"), folderOf(dir) + "Lib/Util.c");
    EXPECT_EQ(r.Resolve("\\\\server\\share\\proj\\main.c"), folderOf(dir) + "main.c");
    // A folder of that name is no file to analyse; an entry found nowhere stays as written.
    EXPECT_EQ(r.Resolve("D:\\x\\include\\folder.h"), "D:/x/include/folder.h");
    EXPECT_EQ(r.Resolve("C:\\x\\gone.c"), "C:/x/gone.c");
    EXPECT_EQ(r.relocated(), (std::vector<std::string>{"C:\\WorkSpace\\proj\\src\\main.c",
                                                       "/home/author/proj/lib/util.c",
                                                       "\\\\server\\share\\proj\\main.c"}));
}

TEST(ProjectPath, ShiftJisTrailBackslashStaysWithCodePage932) {
    TempDir dir;
    // 0x95 0x5C is one double-byte character whose second byte looks like a backslash.
    const std::string entry = "\x95\x5c\\a.c";
    EXPECT_EQ(ProjectPathResolver(folderOf(dir), kCodePageShiftJis).ToSlashes(entry),
              "\x95\x5c/a.c");
    EXPECT_EQ(ProjectPathResolver(folderOf(dir), kCodePageUtf8).ToSlashes(entry), "\x95//a.c");
}

TEST(ProjectPath, NoticeNamesTheFirstFewRelocatedEntries) {
    EXPECT_EQ(RelocationNotice({"C:\\a.c"}), "Relocated below the project folder (1): C:\\a.c");
    std::string many = RelocationNotice({"1", "2", "3", "4", "5", "6", "7"});
    EXPECT_EQ(many, "Relocated below the project folder (7): 1, 2, 3, 4, 5, ...");
}

TEST(ProjectPath, FolderOfIsAbsoluteWithTrailingSlash) {
    EXPECT_EQ(FolderOf("/work/app/app.dsp"), "/work/app/");
    EXPECT_EQ(FolderOf("app.dsp"), fs::current_path().string() + "/");
}

TEST(ProjectPathWildcards, ComponentsMatchWithoutCaseAndDoubleStarSpansFolders) {
    TempDir dir;
    const std::string f = folderOf(dir);
    for (const char* name : {"Src/a.CPP", "Src/b.cpp", "Src/b.h", "Src/Deep/er/c.cpp",
                             "Src/Deep/d.cpp", "Other/e.cpp", "Src/x.cppx"})
        dir.write(name, "");
    fs::create_directories(dir.path() / "Src/folder.cpp");
    ProjectPathResolver r(f, kCodePageUtf8);
    using Files = std::vector<std::string>;
    // Case-insensitive, files only, sorted; '?' is one character.
    EXPECT_EQ(r.Expand("src\\*.cpp").files, (Files{f + "Src/a.CPP", f + "Src/b.cpp"}));
    EXPECT_EQ(r.Expand(".\\SRC\\?.h").files, Files{f + "Src/b.h"});
    // "**" matches no folder as well as any depth; "**\\**" is the same.
    const Files all{f + "Src/Deep/d.cpp", f + "Src/Deep/er/c.cpp", f + "Src/a.CPP",
                    f + "Src/b.cpp"};
    EXPECT_EQ(r.Expand("Src\\**\\*.cpp").files, all);
    EXPECT_EQ(r.Expand("Src/**/**/*.cpp").files, all);
    EXPECT_EQ(r.Expand("*\\Deep\\**\\c.*").files, Files{f + "Src/Deep/er/c.cpp"});
    EXPECT_EQ(r.Expand(f + "Oth*/*").files, Files{f + "Other/e.cpp"});
    // Nothing matches: no folder, a folder pattern, another machine's drive.
    EXPECT_TRUE(r.Expand("gone\\*.cpp").files.empty());
    EXPECT_TRUE(r.Expand("Src\\**").files.empty());
    EXPECT_TRUE(r.Expand("C:\\Src\\*.cpp").files.empty());
}

TEST(ProjectPathWildcards, LinkLoopsEndAndTheLimitCutsTheList) {
    TempDir dir;
    const std::string f = folderOf(dir);
    dir.write("a/one.c", "");
    dir.write("a/b/two.c", "");
    fs::create_directory_symlink(dir.path() / "a", dir.path() / "a/b/loop");
    ProjectPathResolver r(f, kCodePageUtf8);
    EXPECT_EQ(r.Expand("**/*.c").files, (std::vector<std::string>{f + "a/b/two.c", f + "a/one.c"}));
    WildcardMatch cut = r.Expand("**/*.c", 1);
    EXPECT_TRUE(cut.truncated);
    EXPECT_EQ(cut.files.size(), 1u);
    EXPECT_FALSE(r.Expand("**/*.c", 2).truncated);
}

TEST(ProjectPathWildcards, PatternMatching) {
    EXPECT_TRUE(MatchWildcard("*.cpp", "Main.CPP"));
    EXPECT_TRUE(MatchWildcard("a*b*c", "aXXbYYbZc"));
    EXPECT_TRUE(MatchWildcard("*", ""));
    EXPECT_TRUE(MatchWildcard("?x", "ax"));
    EXPECT_FALSE(MatchWildcard("?x", "x"));
    EXPECT_FALSE(MatchWildcard("*.c", "a.cpp"));
    EXPECT_FALSE(MatchWildcard("a*b", "a"));
    // A long name against many stars stays quick (no exponential backtracking).
    EXPECT_FALSE(MatchWildcard("*a*a*a*a*a*a*a*a*b", std::string(5000, 'a')));
    EXPECT_TRUE(HasWildcard("src\\*.c"));
    EXPECT_FALSE(HasWildcard("src\\a.c"));
}

} // namespace
} // namespace lumbra
