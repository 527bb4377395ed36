// Folders as inputs: files of known kinds in path order, hidden folders and what git ignores
// left out, link loops and huge folders handled.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "InputCollector.h"
#include "Lang.h"
#include "TempDir.h"

namespace lumbra {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using Files = std::vector<std::string>;

std::string under(const TempDir& dir, const std::string& relative) {
    return (dir.path() / relative).string();
}

TEST(InputCollector, KnownKindsInPathOrderWithoutHiddenFolders) {
    TempDir dir;
    for (const char* name : {"b.c", "a/z.h", "a/notes.txt", ".git/hooks/x.c", "src/.cache/y.c",
                             ".hidden.c", "Makefile"})
        dir.write(name, "int x;\n");
    fs::create_directory_symlink(dir.path() / "a", dir.path() / "a/again");
    CollectedInput in = CollectInputs({dir.path().string()}, ExtensionTable::Defaults());
    EXPECT_TRUE(in.errors.empty());
    // A hidden file is still a file; only hidden folders are passed over.
    EXPECT_EQ(in.files, (Files{under(dir, ".hidden.c"), under(dir, "a/z.h"), under(dir, "b.c")}));
    // A file given by name is taken whatever its kind; a missing path is an error.
    in = CollectInputs({under(dir, "a/notes.txt"), under(dir, "gone")}, ExtensionTable::Defaults());
    EXPECT_EQ(in.files, Files{under(dir, "a/notes.txt")});
    ASSERT_EQ(in.errors.size(), 1u);
    EXPECT_EQ(in.errors[0].rfind(under(dir, "gone") + ": ", 0), 0u);
}

TEST(InputCollector, GitIgnoreRulesOfTheWorkTreeApply) {
    TempDir dir;
    if (std::system(("git init -q " + dir.path().string() + " 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "git is not available";
    dir.write(".gitignore", "build/\n*.gen.c\n!keep.gen.c\n/top_only.c\n");
    dir.write("src/.gitignore", "local.c\n");
    for (const char* name : {"main.c", "top_only.c", "build/CMakeFiles/id.c", "src/a.gen.c",
                             "src/keep.gen.c", "src/local.c", "src/top_only.c", "src/b.c"})
        dir.write(name, "int x;\n");
    const ExtensionTable table = ExtensionTable::Defaults();
    EXPECT_EQ(CollectInputs({dir.path().string()}, table).files,
              (Files{under(dir, "main.c"), under(dir, "src/b.c"), under(dir, "src/keep.gen.c"),
                     under(dir, "src/top_only.c")}));
    // A folder below the top of the work tree: the rules are still those of the tree.
    EXPECT_EQ(
        CollectInputs({under(dir, "src")}, table).files,
        (Files{under(dir, "src/b.c"), under(dir, "src/keep.gen.c"), under(dir, "src/top_only.c")}));
    // Reached through a relative name and a link, the same.
    fs::create_directory_symlink(dir.path() / "src", dir.path().parent_path() /
                                                         (dir.path().filename().string() + "-ln"));
    const std::string link = dir.path().string() + "-ln";
    EXPECT_EQ(CollectInputs({link}, table).files.size(), 3u);
    fs::remove(link);
}

TEST(InputCollector, AFolderOverTheLimitGivesAMessageAndNoFiles) {
    TempDir dir;
    for (int i = 0; i < 5; ++i)
        dir.write("many/f" + std::to_string(i) + ".c", "");
    dir.write("one.c", "");
    CollectedInput in =
        CollectInputs({under(dir, "many"), under(dir, "one.c")}, ExtensionTable::Defaults(), 4);
    EXPECT_EQ(in.files, Files{under(dir, "one.c")});
    ASSERT_EQ(in.errors.size(), 1u);
    EXPECT_EQ(in.errors[0], under(dir, "many") +
                                ": more than 4 files of known kinds below this folder; choose a "
                                "smaller one");
    EXPECT_EQ(CollectInputs({under(dir, "many")}, ExtensionTable::Defaults(), 5).files.size(), 5u);
    EXPECT_NE(JapaneseText("%s: more than %d files of known kinds below this folder; choose a "
                           "smaller one"),
              nullptr);
}

} // namespace
} // namespace lumbra
