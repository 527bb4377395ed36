// Project Save: the name rule, "[Files]" before the settings, and a write that either happens
// whole or leaves the old project alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "EngineProjectHost.h"
#include "NFileAnly.h"
#include "ProjectSave.h"
#include "ProjectSettings.h"
#include "Sinks.h"
#include "TempDir.h"

namespace lumbra {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// Appends its sections the way an ini writer would, after checking the file list is there.
class FakeSettings : public ProjectSettingsStore {
public:
    bool fail = false;
    std::vector<std::string> savedTo;
    std::string seenWhenSaving;
    std::vector<std::string> loadedFrom;

    void LoadFromProject(const std::string& path) override { loadedFrom.push_back(path); }
    bool SaveToProject(const std::string& path) override {
        savedTo.push_back(path);
        seenWhenSaving = test::ReadFile(path);
        if (fail)
            return false;
        std::ofstream(path, std::ios::app) << "[Setup]\nCpuset=2\n[Analyze]\nAnlyOpt=1\n";
        return true;
    }
};

TEST(ProjectSave, PrjIsAppendedUnlessTheExtensionIsAlreadyPrj) {
    EXPECT_EQ(ProjectSaveName("proj"), "proj.prj");
    EXPECT_EQ(ProjectSaveName("proj.PRJ"), "proj.PRJ");
    EXPECT_EQ(ProjectSaveName("proj.txt"), "proj.txt.prj");
    EXPECT_EQ(ProjectSaveName("/d/a.prj.d/proj"), "/d/a.prj.d/proj.prj");
}

TEST(ProjectSave, FilesSectionComesFirstThenTheSettings) {
    TempDir dir;
    FakeSettings settings;
    ProjectSaveResult r =
        SaveProject((dir.path() / "proj").string(), {"/src/a.c", "/src/b.c"}, &settings);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.path, (dir.path() / "proj.prj").string());
    EXPECT_EQ(test::ReadFile(r.path),
              "[Files]\n/src/a.c\n/src/b.c\n[Setup]\nCpuset=2\n[Analyze]\nAnlyOpt=1\n");
    // The settings went into the file being assembled, not into the target.
    ASSERT_EQ(settings.savedTo.size(), 1u);
    EXPECT_NE(settings.savedTo[0], r.path);
    EXPECT_EQ(settings.seenWhenSaving, "[Files]\n/src/a.c\n/src/b.c\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 1);
}

TEST(ProjectSave, SavedProjectOpensWithItsFilesAndSettings) {
    TempDir dir;
    NFileAnly engine;
    const std::string a = dir.write("src/a.c", "int a;\n"), b = dir.write("src/b.c", "int b;\n");
    ASSERT_EQ(engine.AddFile(a, kKindCFamily), 1);
    ASSERT_EQ(engine.AddFile(b, kKindCFamily), 1);
    FakeSettings settings;
    ProjectSaveResult r =
        SaveProject((dir.path() / "round").string(), RegisteredFiles(engine), &settings);
    ASSERT_TRUE(r.ok);

    NFileAnly reopened;
    NullMessageSink messages;
    FileInputOptions options;
    EngineProjectHost host(reopened, messages, options);
    host.settings = &settings;
    ProjectOpenResult opened = OpenProject(r.path, ProjectSource::Dialog, host);
    EXPECT_EQ(opened.loaded, 2);
    EXPECT_EQ(settings.loadedFrom, std::vector<std::string>{r.path});
    ASSERT_EQ(reopened.GetFileCount(), 2);
    EXPECT_STREQ(reopened.GetFilePath(0), a.c_str());
    EXPECT_STREQ(reopened.GetFilePath(1), b.c_str());
    EXPECT_TRUE(host.completed());
    EXPECT_EQ(host.projectFolder(), dir.path().string() + "/");
}

TEST(ProjectSave, FailureLeavesTheOldProjectAndNoLeftovers) {
    TempDir dir;
    const std::string old = dir.write("keep.prj", "[Files]\n/old/a.c\n");
    FakeSettings settings;
    settings.fail = true;
    ProjectSaveResult r = SaveProject(old, {"/new/b.c"}, &settings);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(test::ReadFile(old), "[Files]\n/old/a.c\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 1);

    ProjectSaveResult missing = SaveProject((dir.path() / "no/such/dir/p").string(), {}, nullptr);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());
}

TEST(ProjectSave, OverwriteKeepsPermissionsAndWritesThroughALink) {
    TempDir dir;
    const std::string real = dir.write("real.prj", "[Files]\n/old.c\n");
    ::chmod(real.c_str(), 0640);
    fs::create_symlink("real.prj", dir.path() / "link.prj");
    ProjectSaveResult r = SaveProject((dir.path() / "link.prj").string(), {"/new.c"}, nullptr);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.prj"));
    EXPECT_EQ(test::ReadFile(real), "[Files]\n/new.c\n");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

} // namespace
} // namespace lumbra
