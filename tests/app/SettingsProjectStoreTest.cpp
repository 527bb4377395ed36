// Settings travelling in a ".prj": saved after the file list, loaded back without touching it.
#include <gtest/gtest.h>

#include "ProjectSave.h"
#include "SettingsProjectStore.h"
#include "TempDir.h"

namespace lumbra {
namespace {

using test::TempDir;

TEST(SettingsProjectStore, SavedSettingsFollowTheFilesAndLoadBack) {
    TempDir dir;
    Environment env;
    Settings saved = Settings::Defaults(env, false);
    saved.cpuSet = 3;
    saved.language = 1;
    SettingsProjectStore out(saved, env);
    ProjectSaveResult r = SaveProject((dir.path() / "p").string(), {"/s/a.c", "/s/b.c"}, &out);
    ASSERT_TRUE(r.ok) << r.error;
    const std::string text = test::ReadFile(r.path);
    EXPECT_EQ(text.rfind("[Files]\n/s/a.c\n/s/b.c\n[Setup]\n", 0), 0u) << text;
    EXPECT_EQ(text.find("[Window]"), std::string::npos);
    EXPECT_EQ(text.find("[MRU]"), std::string::npos);

    Settings loaded = Settings::Defaults(env, false);
    int applied = 0;
    SettingsProjectStore in(loaded, env, [&applied] { ++applied; });
    in.LoadFromProject(r.path);
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(loaded.cpuSet, 3);
    EXPECT_EQ(loaded.language, 1);
    EXPECT_EQ(test::ReadFile(r.path), text); // loading never writes
}

TEST(SettingsProjectStore, UnreadableProjectIsNeitherLoadedNorOverwritten) {
    TempDir dir;
    Environment env;
    Settings settings = Settings::Defaults(env, false);
    int applied = 0;
    SettingsProjectStore store(settings, env, [&applied] { ++applied; });
    // UTF-16 text is nothing the store can read, so it neither loads it nor writes over it.
    const std::string utf16 = dir.write("wide.prj", std::string("\xff\xfe[\0F\0]\0", 8));
    store.LoadFromProject(utf16);
    EXPECT_EQ(applied, 0);
    EXPECT_FALSE(store.SaveToProject(utf16));
    EXPECT_EQ(test::ReadFile(utf16), std::string("\xff\xfe[\0F\0]\0", 8));
}

} // namespace
} // namespace lumbra
