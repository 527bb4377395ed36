// Finding the run-time data folder from the program's place, installed and in the build tree.
#include <gtest/gtest.h>

#include <filesystem>

#include "DataDirectory.h"
#include "TempDir.h"

namespace lumbra {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

TEST(DataDirectoryTest, FoundBesideTheInstalledAndTheBuiltPrograms) {
    TempDir dir;
    const fs::path root = dir.path();
    dir.write("opt/l32/bin/lumbra32", "");
    dir.write("opt/l32/share/lumbra32/help/index.html", "<html>");
    dir.write("build/cli/lumbra32-cli", "");
    dir.write("build/app/gui/lumbra32", "");
    dir.write("build/share/lumbra32/help/index.html", "<html>");

    EXPECT_EQ(ShareFolder(root / "opt/l32/bin/lumbra32"), root / "opt/l32/share");
    EXPECT_EQ(ShareFolder(root / "build/cli/lumbra32-cli"), root / "build/share");
    EXPECT_EQ(ShareFolder(root / "build/app/gui/lumbra32"), root / "build/share");
    EXPECT_EQ(FindDataFile("help/index.html", root / "opt/l32/bin/lumbra32"),
              root / "opt/l32/share/lumbra32/help/index.html");
    EXPECT_EQ(FindDataFile("help", root / "build/app/gui/lumbra32"),
              root / "build/share/lumbra32/help")
        << "folders are data too";
}

TEST(DataDirectoryTest, NearestShareWinsAndFarOnesAreNeverTaken) {
    TempDir dir;
    const fs::path root = dir.path();
    dir.write("usr/share/lumbra32/help/index.html", "system");
    dir.write("usr/local/share/lumbra32/help/index.html", "local");
    EXPECT_EQ(ShareFolder(root / "usr/local/bin/lumbra32"), root / "usr/local/share");

    // A share folder three levels up belongs to someone else.
    dir.write("far/share/lumbra32/x", "");
    EXPECT_EQ(ShareFolder(root / "far/a/b/c/lumbra32"), std::nullopt);
    // A share folder without our folder in it does not count.
    dir.write("plain/share/other/x", "");
    EXPECT_EQ(ShareFolder(root / "plain/bin/lumbra32"), std::nullopt);
    EXPECT_EQ(ShareFolder(fs::path()), std::nullopt);
    EXPECT_EQ(ShareFolder(fs::path("/lumbra32")), std::nullopt);
}

TEST(DataDirectoryTest, OnlyExistingNamesInsideTheDataFolderAreAnswered) {
    TempDir dir;
    const fs::path root = dir.path();
    const fs::path program = root / "p/bin/lumbra32";
    dir.write("p/share/lumbra32/help/index.html", "");
    dir.write("p/share/secret.txt", "");

    EXPECT_EQ(FindDataFile("help/missing.html", program), std::nullopt);
    EXPECT_EQ(FindDataFile("../secret.txt", program), std::nullopt);
    EXPECT_EQ(FindDataFile("help/../../secret.txt", program), std::nullopt);
    EXPECT_EQ(FindDataFile(root / "p/share/secret.txt", program), std::nullopt);
    EXPECT_EQ(FindDataFile("", program), std::nullopt);
    EXPECT_EQ(FindDataFile("help/index.html", root / "elsewhere/bin/lumbra32"), std::nullopt);
}

} // namespace
} // namespace lumbra
