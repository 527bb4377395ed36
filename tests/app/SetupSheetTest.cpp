// The setup sheet's working copy (apply, cancel, the changed flag, texts in a new code page)
// and what the "Option" command does once the sheet closed: lower-casing, the engine
// configuration with define files and "WINVER", the source pane's notifications and the
// language message.
#include <gtest/gtest.h>

#include "AppCore.h"
#include "CodePage.h"
#include "EngineConfig.h"
#include "FileInput.h"
#include "Lang.h"
#include "OptionCommand.h"
#include "SettingsSession.h"
#include "SetupSheet.h"
#include "TempDir.h"

namespace lumbra {
namespace {

using test::TempDir;

class RecordingShell final : public AppShell {
public:
    class Sink final : public MessageSink {
    public:
        bool Message(const std::string& text, const std::string& caption, MessageKind) override {
            shown.push_back(caption + ": " + text);
            return true;
        }
        std::vector<std::string> shown;
    };
    MessageSink& Messages() override { return sink; }
    void SettingsApplied() override { ++applied; }
    void SourceCodePageChanged() override { ++codePage; }
    void SourceFoldingChanged() override { ++folding; }

    Sink sink;
    int applied = 0;
    int codePage = 0;
    int folding = 0;
};

class SetupSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        session.StartUpAt((dir.path() / "Lumbra32.ini").string());
        SetUiLanguage(UiLanguage::English);
    }
    TempDir dir;
    SettingsSession session;
};

TEST_F(SetupSheetTest, CancelledSheetLeavesSettingsAndFlagUntouched) {
    const Settings original = session.settings;
    {
        SetupSheet sheet(session);
        sheet.Draft().language = 0;
        sheet.Draft().penSize = 5;
        sheet.Draft().filters[3].name = "Changed";
        EXPECT_FALSE(sheet.Applied());
    } // closed without Apply
    EXPECT_EQ(session.settings, original);
    EXPECT_EQ(session.ChangedFlag(), 0);
}

TEST_F(SetupSheetTest, ApplyStoresTheCopyAndFlagsThePage) {
    SetupSheet sheet(session);
    sheet.Draft().cpuSet = 2;
    sheet.Draft().viewOpt[kViewSort] = 3;
    sheet.Apply(4);
    EXPECT_TRUE(sheet.Applied());
    EXPECT_EQ(session.settings.cpuSet, 2);
    EXPECT_EQ(session.settings.viewOpt[kViewSort], 3);
    EXPECT_EQ(session.ChangedFlag(), kSetupChangedBase + 4);
    // What the sheet opened with stays for the comparisons after it closes.
    EXPECT_EQ(sheet.Before().cpuSet, 1);

    // A later Apply from another page carries on from the same copy.
    sheet.Draft().locale = 2;
    sheet.Apply(2);
    EXPECT_EQ(session.settings.cpuSet, 2);
    EXPECT_EQ(session.settings.locale, 2);
    EXPECT_EQ(session.ChangedFlag(), kSetupChangedBase + 2);
}

TEST_F(SetupSheetTest, TextsFollowANewCodePage) {
    if (!IsCodePageSupported(kCodePageShiftJis))
        GTEST_SKIP() << "no Shift-JIS conversion on this machine";
    session.settings.codePage = kCodePageUtf8;
    SetupSheet sheet(session);
    const std::string name = "\xE5\x90\x8D\xE7\xA7\xB0"; // "name" in Japanese, UTF-8
    sheet.Draft().comment[1] = name;
    sheet.Draft().includePath = "/src/\xE5\x90\x8D;";
    sheet.Draft().codePage = kCodePageShiftJis;
    sheet.Apply(0);
    EXPECT_EQ(session.settings.comment[1], "\x96\xBC\x8F\xCC"); // the same in Shift-JIS
    EXPECT_EQ(session.settings.comment[0], sheet.Draft().comment[0]) << "ASCII stays";
    EXPECT_EQ(session.settings.includePath, "/src/\xE5\x90\x8D;") << "file names stay";
    // The pages keep editing in the code page they opened with.
    EXPECT_EQ(sheet.Draft().comment[1], name);
}

// --- after the sheet ---------------------------------------------------------------------------

class OptionCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        core.SetShell(&shell);
        core.StartUpAt((dir.path() / "Lumbra32.ini").string(), true);
        SetUiLanguage(UiLanguage::English);
        before = core.GetSettings();
        shell.applied = 0;
    }
    void TearDown() override { core.SetShell(nullptr); }

    TempDir dir;
    RecordingShell shell;
    AppCore core;
    Settings before;
};

TEST_F(OptionCommandTest, WordsAndExtensionsGoToLowerCase) {
    Settings& s = core.GetSettings();
    s.filters[3].extensions = {"C", "CPP", "Hxx"};
    s.instructions[1][kInsCall] = "CALL FarCall";
    s.cpuSet = 2;
    FinishOptionCommand(core, shell, before);
    EXPECT_EQ(s.filters[3].extensions[0], "c");
    EXPECT_EQ(s.filters[3].extensions[2], "hxx");
    EXPECT_EQ(s.instructions[1][kInsCall], "call farcall");
    // The engine took the lower-cased words of the chosen set and the new extensions.
    EXPECT_EQ(core.Engine().LookupKeyword("farcall"), kInsCall);
    EXPECT_EQ(LookupExtension(core.InputOptions().extensions, "a.hxx"), 2 + 2) << "C/C++";
}

TEST_F(OptionCommandTest, EngineTakesOptionsDefineFilesAndWinver) {
    Settings& s = core.GetSettings();
    const std::string exc = dir.write("mods.exc", "[Except]\nskip_me\n");
    s.anlyOpt.fill(0);
    s.anlyOpt[kAnlyLayerLimit] = 32;
    s.anlyOpt[kAnlyModuleLimit] = 100;
    s.anlyOpt[kAnlyExceptModule] = 1;
    s.anlyOpt[kAnlyUseDefineConstant] = 1;
    s.exceptMdl = exc;
    s.countOpt = {0, 1, 0};
    s.viewOpt[kViewTreeFolding] = 2;
    s.includePath = "/usr/include;";
    FinishOptionCommand(core, shell, before);

    NFileAnly& engine = core.Engine();
    EXPECT_EQ(engine.GetOption(7), 1);
    EXPECT_EQ(engine.GetOption(1), 1);
    EXPECT_EQ(engine.GetOption(0), 0);
    EXPECT_EQ(engine.GetCountOption(1), 1);
    EXPECT_EQ(engine.GetDefaultFoldState(), 2);
    ASSERT_EQ(engine.GetIncludePaths().size(), 1u);
    EXPECT_EQ(engine.GetIncludePaths()[0], "/usr/include/");
    EXPECT_EQ(engine.GetExceptModules(), std::vector<std::string>{"skip_me"});
    const ConstantRecord* winver = engine.LookupConstant("WINVER");
    ASSERT_NE(winver, nullptr);
    EXPECT_EQ(winver->value, RunningSystemVersion());
    EXPECT_EQ(shell.applied, 1) << "the views were told to redraw";
    EXPECT_TRUE(shell.sink.shown.empty());
}

TEST_F(OptionCommandTest, CodePageFoldingAndLanguageChangesAreAnnounced) {
    FinishOptionCommand(core, shell, before);
    EXPECT_EQ(shell.codePage, 0);
    EXPECT_EQ(shell.folding, 0);
    EXPECT_TRUE(shell.sink.shown.empty()) << "nothing changed, nothing said";

    Settings& s = core.GetSettings();
    s.codePage = s.codePage == kCodePageUtf8 ? 28591 : kCodePageUtf8;
    s.viewOpt[kViewSourceFolding] = (s.viewOpt[kViewSourceFolding] + 1) % 3;
    s.locale = (s.locale + 1) % 3;
    const SetupEffects effects = FinishOptionCommand(core, shell, before);
    EXPECT_TRUE(effects.codePageChanged);
    EXPECT_TRUE(effects.sourceFoldingChanged);
    EXPECT_TRUE(effects.localeChanged);
    EXPECT_EQ(shell.codePage, 1);
    EXPECT_EQ(shell.folding, 1);
    ASSERT_EQ(shell.sink.shown.size(), 1u);
    EXPECT_EQ(shell.sink.shown[0],
              "Caution: Please reboot a program, in order to validate language change.");
    EXPECT_EQ(core.Engine().GetTextReadSettings().codePage, s.codePage);
}

} // namespace
} // namespace lumbra
