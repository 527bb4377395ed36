// The settings over a run: where the file lives, start-up and exit, Default Setup, and settings
// carried by project files.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "AtomicFile.h"
#include "Lang.h"
#include "SettingsSession.h"
#include "Sinks.h"
#include "TempDir.h"

namespace lumbra {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// Answers questions as told and remembers what it was shown.
class ScriptedSink final : public MessageSink {
public:
    explicit ScriptedSink(bool answer) : answer_(answer) {}
    bool Message(const std::string& text, const std::string& caption, MessageKind kind) override {
        texts.push_back(text);
        captions.push_back(caption);
        kinds.push_back(kind);
        return kind == MessageKind::Question ? answer_ : true;
    }
    std::vector<std::string> texts;
    std::vector<std::string> captions;
    std::vector<MessageKind> kinds;

private:
    bool answer_;
};

// Points the settings location at a scratch folder for one test.
class SettingsSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            savedXdg_ = old;
        if (const char* home = std::getenv("HOME"))
            savedHome_ = home;
        ::setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
        SetUiLanguage(UiLanguage::English);
    }
    void TearDown() override {
        if (savedXdg_)
            ::setenv("XDG_CONFIG_HOME", savedXdg_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        if (savedHome_)
            ::setenv("HOME", savedHome_->c_str(), 1);
        SetAtomicWriteFault(std::nullopt);
        SetUiLanguage(UiLanguage::English);
    }
    std::string iniPath() const { return (dir_.path() / "Nuvex/Lumbra32/Lumbra32.ini").string(); }

    TempDir dir_;
    std::optional<std::string> savedXdg_;
    std::optional<std::string> savedHome_;
};

TEST_F(SettingsSessionTest, TheFileLivesInTheConfigFolderUnlessOldiniIsAsked) {
    std::optional<std::string> path = CurrentSettingsPath(false);
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, iniPath());
    EXPECT_FALSE(fs::exists(dir_.path() / "Nuvex")) << "nothing created unless asked";
    CurrentSettingsPath(true);
    EXPECT_TRUE(fs::is_directory(dir_.path() / "Nuvex/Lumbra32"));

    const std::string program = "/opt/lumbra/Lumbra32.exe";
    EXPECT_EQ(OlderSettingsPath(program), "/opt/lumbra/Lumbra32.ini");
    EXPECT_EQ(OlderSettingsPath("/usr/bin/lumbra32"), "/usr/bin/lumbra32.ini");
    SettingsLocation older = LocateSettingsFile({"lumbra32", "/OLDINI"}, program, false);
    EXPECT_TRUE(older.older) << "the word in capitals";
    EXPECT_EQ(older.path, "/opt/lumbra/Lumbra32.ini");
    EXPECT_TRUE(WantsOlderLocation({"lumbra32", "x/OldIni.prj"}));
    EXPECT_FALSE(WantsOlderLocation({"lumbra32"}));
    EXPECT_FALSE(WantsOlderLocation({"lumbra32", "a.prj", "/oldini"})) << "only the first word";
    EXPECT_FALSE(LocateSettingsFile({"lumbra32", "a.prj"}, program, false).older);

    ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
    ::setenv("HOME", dir_.path().c_str(), 1);
    EXPECT_EQ(CurrentSettingsPath(false),
              (dir_.path() / ".config/Nuvex/Lumbra32/Lumbra32.ini").string());
}

TEST_F(SettingsSessionTest, ExitWritesTheLayoutAlwaysAndTheRestWhenChanged) {
    Environment env;
    env.workAreaWidth = 1280;
    SettingsSession session(env);
    session.StartUp({"lumbra32"}, "/usr/bin/lumbra32");
    EXPECT_EQ(session.Location().path, iniPath());
    EXPECT_FALSE(fs::exists(iniPath())) << "a first start reads nothing and writes nothing";
    EXPECT_EQ(session.settings.attrMain[0], 1280);

    session.settings.attrMain[2] = 33;
    session.settings.recentFiles[0] = "/w/app.prj";
    session.settings.fileDialogType = 2;
    session.settings.language = 1; // not written: the flag is not set
    ASSERT_TRUE(session.Exit());
    std::string text = test::ReadFile(iniPath());
    EXPECT_NE(text.find("[File]\nRev=1\nPath=\nFileDialogType=2\nProjectDialogType=0\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("AttrMain=1280,768,33,0,0\n"), std::string::npos);
    EXPECT_NE(text.find("Range=1\n"), std::string::npos);
    EXPECT_NE(text.find("[MRU]\nMRU0=/w/app.prj\n"), std::string::npos);
    EXPECT_EQ(text.find("Language="), std::string::npos);

    SettingsSession next(env);
    next.StartUp({"lumbra32"}, "/usr/bin/lumbra32");
    EXPECT_EQ(next.settings.attrMain[2], 33);
    EXPECT_EQ(next.settings.recentFiles[0], "/w/app.prj");
    EXPECT_EQ(next.settings.language, 4);
    next.settings.language = 1;
    next.settings.locale = 1;
    next.MarkChanged(204);
    ASSERT_TRUE(next.Exit());

    SettingsSession third(env);
    third.StartUp({"lumbra32"}, "/usr/bin/lumbra32");
    EXPECT_EQ(third.settings.language, 1);
    EXPECT_TRUE(third.JapaneseUi());
    EXPECT_TRUE(IsJapaneseUi()) << "start-up sets the interface language";
}

TEST_F(SettingsSessionTest, AFailedExitReportsAndKeepsTheOldFile) {
    SettingsSession session;
    session.StartUp({"lumbra32"}, "");
    ASSERT_TRUE(session.Exit());
    const std::string before = test::ReadFile(iniPath());
    session.settings.attrMain[0] = 10;
    SetAtomicWriteFault(AtomicWriteFault{AtomicWriteFault::Stage::Write, ENOSPC, 5});
    ScriptedSink sink(true);
    EXPECT_FALSE(session.Exit(&sink));
    EXPECT_EQ(test::ReadFile(iniPath()), before);
    ASSERT_EQ(sink.texts.size(), 1u);
    EXPECT_EQ(sink.captions[0], "Caution");
    EXPECT_NE(sink.texts[0].find(std::strerror(ENOSPC)), std::string::npos) << sink.texts[0];
}

TEST_F(SettingsSessionTest, DefaultSetupAsksAndOnYesReturnsEveryDefault) {
    SettingsSession session;
    session.StartUp({"lumbra32"}, "");
    session.settings.language = 2;
    session.settings.attrMain[2] = 40;
    session.MarkChanged();
    ASSERT_TRUE(session.Exit());
    const std::string before = test::ReadFile(iniPath());

    int cleared = 0;
    ScriptedSink no(false);
    EXPECT_FALSE(session.DefaultSetup(no, [&] { ++cleared; }));
    ASSERT_EQ(no.texts.size(), 1u);
    EXPECT_EQ(no.texts[0], "Setup is returned to default.\nAre yuou ready?");
    EXPECT_EQ(no.captions[0], "Caution");
    EXPECT_EQ(no.kinds[0], MessageKind::Question);
    EXPECT_EQ(cleared, 0);
    EXPECT_EQ(session.settings.language, 2) << "No changes nothing";
    EXPECT_EQ(test::ReadFile(iniPath()), before);

    ScriptedSink yes(true);
    EXPECT_TRUE(session.DefaultSetup(yes, [&] { ++cleared; }));
    EXPECT_EQ(cleared, 1);
    EXPECT_FALSE(fs::exists(iniPath()));
    EXPECT_EQ(session.settings.language, 4);
    EXPECT_EQ(session.settings.attrMain[2], 40) << "the window layout stays";
}

TEST_F(SettingsSessionTest, ProjectsCarryTheSettingsAndKeepTheirFileList) {
    TempDir work;
    const std::string files = "[Files]\r\n/src/main.c\r\n/src/a=b.c\r\n; skipped\r\n\r\n";
    const std::string prj = work.write("app.prj", files + "[Setup]\r\nCpuset=2\r\n"
                                                          "[Analyze]\r\nAnlyOpt=0\r\n");
    SettingsSession session;
    session.StartUp({"lumbra32"}, "");
    session.LoadFromProject(prj);
    EXPECT_EQ(session.settings.cpuSet, 2);
    EXPECT_EQ(session.settings.anlyOpt[0], 0);

    // Settings written into the project leave its file list exactly as it was.
    session.settings.cpuSet = 3;
    TProfile2& store = session.ProjectStore();
    ASSERT_TRUE(SaveAllSettings(store, session.settings));
    std::string text = test::ReadFile(prj);
    EXPECT_EQ(text.substr(0, files.size()), files);
    EXPECT_NE(text.find("[Setup]\r\nCpuset=3\r\n"), std::string::npos);

    const std::string saved = (work.path() / "new.prj").string();
    ASSERT_TRUE(session.SaveToProject(saved, {"/src/one.c", "/src/two.c"}));
    text = test::ReadFile(saved);
    EXPECT_EQ(text.rfind("[Files]\n/src/one.c\n/src/two.c\n[Setup]\nCpuset=3\n", 0), 0u) << text;
    EXPECT_EQ(text.find("[Window]"), std::string::npos);
    EXPECT_EQ(text.find("[MRU]"), std::string::npos);
    EXPECT_FALSE(fs::exists(iniPath())) << "the user's file is not touched";
}

} // namespace
} // namespace lumbra
