// The external editor's command lines for the three origins and the template's escapes, built
// without starting anything, and where the bundled manual is looked for.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "DataDirectory.h"
#include "EditorCommand.h"
#include "Settings.h"
#include "SettingsSession.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace lumbra {
namespace {

using Words = std::vector<std::string>;
using Outcome = EditorLaunch::Outcome;

TEST(EditorTemplate, EscapesFillInPathLineAndBothAndDropUnknownPairs) {
    EXPECT_EQ(ExpandEditorTemplate("%F", "/src/a.c", 12), (Words{"/src/a.c"}));
    EXPECT_EQ(ExpandEditorTemplate("+%l %f", "/src/a.c", 12), (Words{"+12", "/src/a.c"}));
    EXPECT_EQ(ExpandEditorTemplate("+%L %F", "/src/a.c", 7), (Words{"+7", "/src/a.c"}));
    EXPECT_EQ(ExpandEditorTemplate("%m", "/src/a.c", 40), (Words{"/src/a.c+40"}));
    EXPECT_EQ(ExpandEditorTemplate("%M", "/src/a.c", 3), (Words{"/src/a.c+3"}));
    // Unknown escapes vanish with their letter; "%%" is one of them.
    EXPECT_EQ(ExpandEditorTemplate("-n%x %q%f", "/a", 1), (Words{"-n", "/a"}));
    EXPECT_EQ(ExpandEditorTemplate("%%l", "/a", 5), (Words{"l"}));
    // Text glued to an escape stays in the same word.
    EXPECT_EQ(ExpandEditorTemplate("--goto=%f:%l", "/a.c", 9), (Words{"--goto=/a.c:9"}));
    // Blanks separate words, however many; an empty template gives none.
    EXPECT_EQ(ExpandEditorTemplate("  -a \t -b  ", "/a", 1), (Words{"-a", "-b"}));
    EXPECT_TRUE(ExpandEditorTemplate("", "/a", 1).empty());
    // A trailing percent sign has nothing to escape and is kept.
    EXPECT_EQ(ExpandEditorTemplate("%f %", "/a", 1), (Words{"/a", "%"}));
}

TEST(EditorTemplate, PathsWithBlanksAndQuotesStayOneWordAndQuotesGroupTheTemplate) {
    const std::string odd = "/home/u/my src/\"quoted\" it's.c";
    EXPECT_EQ(ExpandEditorTemplate("%F", odd, 1), (Words{odd}));
    EXPECT_EQ(ExpandEditorTemplate("+%l \"%f\"", odd, 2), (Words{"+2", odd}));
    EXPECT_EQ(ExpandEditorTemplate("%m", odd, 3), (Words{odd + "+3"}));
    // Quotes written in the template group blanks and are removed; "" is an empty word.
    EXPECT_EQ(ExpandEditorTemplate("--title \"Lumbra view\" %f", "/a", 1),
              (Words{"--title", "Lumbra view", "/a"}));
    EXPECT_EQ(ExpandEditorTemplate("\"\" %f", "/a", 1), (Words{"", "/a"}));
}

class EditorLaunchTest : public ::testing::Test {
protected:
    EditorLaunchTest() {
        settings.editorOpen = 1;
        settings.editorName = "/usr/bin/my editor";
        settings.editorOption = "+%l %F";
    }
    Settings settings;
};

TEST_F(EditorLaunchTest, TheModuleTreeOpensItsFileWithoutTheTemplate) {
    EditorRequest r;
    r.origin = EditorOrigin::ModuleTree;
    r.treePath = "/src/a b.c";
    r.modulePath = "/src/other.c";
    r.moduleLine = 10;
    EditorLaunch launch = BuildEditorLaunch(settings, r);
    EXPECT_EQ(launch.outcome, Outcome::Start);
    EXPECT_EQ(launch.argv, (Words{"/usr/bin/my editor", "/src/a b.c"}));
    r.treePath.clear();
    EXPECT_EQ(BuildEditorLaunch(settings, r).outcome, Outcome::Nothing);
}

TEST_F(EditorLaunchTest, TheSourcePaneTakesTheEntryThenTheModuleThenTheShownFile) {
    EditorRequest r;
    r.origin = EditorOrigin::SourcePane;
    r.shownPath = "/src/shown.c";
    r.shownLine = 30;
    EXPECT_EQ(BuildEditorLaunch(settings, r).argv,
              (Words{"/usr/bin/my editor", "+30", "/src/shown.c"}));
    r.modulePath = "/src/module.c";
    r.moduleLine = 12;
    EXPECT_EQ(BuildEditorLaunch(settings, r).argv,
              (Words{"/usr/bin/my editor", "+12", "/src/module.c"}));
    r.entryPath = "/src/entry.c";
    r.entryLine = 99;
    EXPECT_EQ(BuildEditorLaunch(settings, r).argv,
              (Words{"/usr/bin/my editor", "+99", "/src/entry.c"}));
    // A pane that shows no file and no selection: nothing is started, and nothing is said.
    EditorRequest empty;
    empty.origin = EditorOrigin::SourcePane;
    EXPECT_EQ(BuildEditorLaunch(settings, empty).outcome, Outcome::Nothing);
}

TEST_F(EditorLaunchTest, TheStructurePaneNeedsASelectedModule) {
    EditorRequest r;
    r.origin = EditorOrigin::StructurePane;
    r.shownPath = "/src/shown.c"; // not used by the chart
    EXPECT_EQ(BuildEditorLaunch(settings, r).outcome, Outcome::NoModuleChosen);
    // The message comes even without an external editor.
    settings.editorOpen = 0;
    EXPECT_EQ(BuildEditorLaunch(settings, r).outcome, Outcome::NoModuleChosen);
    settings.editorOpen = 1;
    r.modulePath = "/src/m.c";
    r.moduleLine = 4;
    EXPECT_EQ(BuildEditorLaunch(settings, r).argv, (Words{"/usr/bin/my editor", "+4", "/src/m.c"}));
}

TEST_F(EditorLaunchTest, NoExternalEditorStartsNothingAndAnEmptyNameFallsBackToTheDesktopOpener) {
    EditorRequest r;
    r.origin = EditorOrigin::SourcePane;
    r.modulePath = "/src/m.c";
    r.moduleLine = 4;
    settings.editorOpen = 0;
    EXPECT_EQ(BuildEditorLaunch(settings, r).outcome, Outcome::Nothing);
    settings.editorOpen = 1;
    settings.editorName = "   ";
    settings.editorOption = "%F";
    EXPECT_EQ(BuildEditorLaunch(settings, r).argv, (Words{"xdg-open", "/src/m.c"}));
}

TEST(DataDirectory, AnInstalledProgramLooksInShareBesideItsPrefixFirst) {
    test::TempDir root;
    const fs::path prefix = root.path() / "usr";
    fs::create_directories(prefix / "bin");
    const std::string program = (prefix / "bin" / "lumbra32").string();
    const std::vector<std::string> candidates = DataDirectoryCandidates(program);
    ASSERT_FALSE(candidates.empty());
    EXPECT_EQ(candidates.front(), (prefix / "share" / "lumbra32").string());

    // Installed, the English and the Japanese page are found there.
    fs::create_directories(prefix / "share/lumbra32/help");
    std::ofstream(prefix / "share/lumbra32/help/index.html") << "<html></html>";
    EXPECT_EQ(DataDirectory(program), (prefix / "share" / "lumbra32").string());
    EXPECT_EQ(HelpManualPath(program, true),
              (prefix / "share/lumbra32/help/index.html").string()); // no Japanese page yet
    std::ofstream(prefix / "share/lumbra32/help/index-ja.html") << "<html></html>";
    EXPECT_EQ(HelpManualPath(program, true),
              (prefix / "share/lumbra32/help/index-ja.html").string());
    EXPECT_EQ(HelpAnchor(2001), "cmd-2001");
}

TEST(DataDirectory, AProgramInItsBuildTreeFindsTheStagedManual) {
    // The tests run from the build tree, one folder below its staged share folder.
    const std::string program = RunningProgramPath();
    const std::string manual = HelpManualPath(program, false);
    ASSERT_FALSE(manual.empty());
    EXPECT_TRUE(fs::is_regular_file(manual)) << manual;
    // Every command of the Help menu has its section in both pages.
    for (bool japanese : {false, true}) {
        std::ifstream in(HelpManualPath(program, japanese));
        const std::string page((std::istreambuf_iterator<char>(in)), {});
        for (int id : {2001, 2009, 24337, 24340, 55531, 24364})
            EXPECT_NE(page.find("id=\"" + HelpAnchor(id) + "\""), std::string::npos)
                << japanese << " " << id;
    }
}

} // namespace
} // namespace lumbra
