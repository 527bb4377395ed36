// Loading and saving the settings sections: defaults, old layouts, clamps, language-dependent
// defaults and a round trip of every key.
#include <gtest/gtest.h>

#include "Lang.h"
#include "Settings.h"
#include "TProfile2.h"

namespace lumbra {
namespace {

// A store in memory holding this ini text.
TProfile2 storeWith(std::string_view text) {
    TProfile2 store;
    store.SetFileName("");
    store.ResetContents(text);
    return store;
}

struct Loaded {
    Settings settings;
    SettingsLoadResult result;
};

Loaded loadAll(std::string_view text, const Environment& env = Environment{}) {
    TProfile2 store = storeWith(text);
    Loaded l{Settings::Defaults(env, false), {}};
    l.result = LoadAllSettings(store, l.settings, env);
    LoadWindowSettings(store, l.settings, env);
    LoadRecentFiles(store, l.settings);
    return l;
}

TEST(SettingsLoad, FirstStartWithoutAFileGivesTheDefaults) {
    Environment env;
    env.workAreaWidth = 1600;
    env.workAreaHeight = 900;
    Loaded l = loadAll("", env);
    const Settings& s = l.settings;
    EXPECT_EQ(s.language, 4);
    EXPECT_EQ(s.cpuSet, 1);
    EXPECT_EQ(s.viewOpt[kViewLineDigits], 6);
    EXPECT_EQ(s.viewOpt[kViewSourceFolding], 2);
    EXPECT_EQ(s.attrMain, (std::array<int, 5>{1600, 900, 0, 0, 0}));
    EXPECT_EQ(s.attrXref, (std::array<int, 4>{1600, 180, 0, 720}));
    EXPECT_EQ(s.attrProg, (std::array<int, 4>{1600, 900 - 42, 0, 42}));
    EXPECT_EQ(s.anlyOpt, kAnlyOptDefaults);
    EXPECT_EQ(s.codePage, 65001);
    EXPECT_EQ(s.fonts[kFontSource].face, "Monospace");
    EXPECT_EQ(s.fonts[kFontSource].height, 15);
    EXPECT_EQ(s.instructions[1][kInsWordDefine], "dw dd");
    EXPECT_FALSE(l.result.changed);
    EXPECT_EQ(s, Settings::Defaults(env, false)) << "loading nothing changes nothing";
}

TEST(SettingsLoad, ShortListsTakePerFieldDefaults) {
    Loaded l = loadAll("[Analyze]\nAnlyOpt=0\n[TreeView]\nViewOpt=1,1\n"
                       "[Window]\nColumnFile=40\nColumnFunc=40,0\n");
    const Settings& s = l.settings;
    EXPECT_EQ(s.anlyOpt[0], 0);
    for (std::size_t i = 1; i < kAnlyOptDefaults.size(); ++i)
        EXPECT_EQ(s.anlyOpt[i], kAnlyOptDefaults[i]) << "position " << i;
    EXPECT_EQ(s.anlyOpt[kAnlyUnused17], 255);
    EXPECT_EQ(s.anlyOpt[kAnlyUnused18], 100000000);
    EXPECT_EQ(s.viewOpt[1], 1);
    EXPECT_EQ(s.viewOpt[kViewLineDigits], 6);
    EXPECT_EQ(s.columnFile[0], 40);
    EXPECT_EQ(s.columnFile[1], 56);
    EXPECT_EQ(s.columnFile[10], 112);
    EXPECT_EQ(s.columnFunc[1], 56) << "a zero width";
    EXPECT_EQ(s.columnFunc[2], 56) << "a missing width";
}

TEST(SettingsLoad, RangesAndPlacementsAreClamped) {
    Loaded l = loadAll("[Window]\nCallRange=95\nTreeRange=0\nStructRange=0\n"
                       "AttrMain=800,600,7000,-7000,1\n");
    EXPECT_EQ(l.settings.callRange, 90);
    EXPECT_EQ(l.settings.treeRange, 50);
    EXPECT_EQ(l.settings.structRange, 45);
    EXPECT_EQ(l.settings.attrMain, (std::array<int, 5>{800, 600, 0, 0, 1}));
    EXPECT_EQ(loadAll("[Window]\nCallRange=0\n").settings.treeRange, 15) << "missing";
    EXPECT_EQ(loadAll("[Window]\nCallRange=0\n").settings.callRange, 50);
    EXPECT_EQ(loadAll("[Window]\nAttrMain=1,1,6000,-6000\n").settings.attrMain[2], 6000);

    // Values the views would divide by or index with fall back to safe ones.
    Loaded bad = loadAll("[Setup]\nCpuset=7\nMojiCode=9\n[File]\nLanguage=-1\n"
                         "[TreeView]\nScreen=0,0,-1,10,10\n[Color]\nPenSize=0\n"
                         "[Analyze]\nAnlyOpt=1,1,1,1,1,1,1,0,1,1,0,0,1,0,1,1,0,0,0,0,0,0,0,0\n");
    EXPECT_EQ(bad.settings.cpuSet, 1);
    EXPECT_EQ(bad.settings.mojiCode, 0);
    EXPECT_EQ(bad.settings.language, 4);
    EXPECT_EQ(bad.settings.screen, (std::array<int, 5>{1, 1, 1, 10, 10}));
    EXPECT_EQ(bad.settings.penSize, 1);
    EXPECT_EQ(bad.settings.anlyOpt[kAnlyLayerLimit], 1);
    EXPECT_EQ(bad.settings.anlyOpt[kAnlyModuleLimit], 1);
}

TEST(SettingsLoad, InstructionOddFieldsJoinTheGroupBefore) {
    Loaded l = loadAll("[Setup]\nCpu=68k,80x86,H8\n[68k]\nInstruction=call,far,,ret\n"
                       "[80x86]\nInstruction=,near\n");
    EXPECT_EQ(l.settings.instructions[0][kInsCall], "call far");
    EXPECT_EQ(l.settings.instructions[0][kInsReturn], "ret") << "an empty field 2, field 3 ret";
    EXPECT_EQ(l.settings.instructions[0][kInsMove], "mov") << "fields beyond keep defaults";
    EXPECT_EQ(l.settings.instructions[1][kInsCall], "near");
    EXPECT_EQ(l.settings.cpuNames[0], "68k");

    TProfile2 store = storeWith("");
    SaveAllSettings(store, l.settings);
    store.SetSection("68k");
    EXPECT_EQ(store.ReadString("Instruction").substr(0, 16), "call far,,ret,,m");
}

TEST(SettingsLoad, TheOldFilterLayoutIsReadAndMarkedForRewriting) {
    Loaded old = loadAll("[File]\nFilter0=Every,*,,,,,4\nFilter3=C/C++,H,C,Cpp,java,cs,0\n");
    const FileFilter& c = old.settings.filters[3];
    EXPECT_EQ(c.extensions[0], "h") << "held in lower case";
    EXPECT_EQ(c.extensions[2], "cpp");
    EXPECT_EQ(c.extensions[5], "") << "only five places in the old layout";
    EXPECT_EQ(c.tabWidth, 4) << "a tab width of 0";
    EXPECT_EQ(old.settings.filters[1].tabWidth, 8) << "old-layout default";
    EXPECT_EQ(old.settings.filters[1].extensions[1], "src");
    EXPECT_TRUE(old.result.changed);

    Loaded current = loadAll("[File]\nRev=1\nFilter2=Basic,bas,,,,,,,,,,101\n");
    EXPECT_FALSE(current.result.changed);
    EXPECT_EQ(current.settings.filters[2].tabWidth, 4) << "above 100";
    EXPECT_EQ(current.settings.filters[3].extensions[5], "jsl");
}

TEST(SettingsLoad, TheOlderAnalyzeSectionIsReadAndReplacedByTheNextSave) {
    const char* text = "[Analize]\nAnlyOpt=0,0\nIncludePath=/inc;\n[Other]\nX=1\n";
    TProfile2 store = storeWith(text);
    Settings s = Settings::Defaults({}, false);
    SettingsLoadResult r = LoadAllSettings(store, s, {});
    EXPECT_EQ(s.anlyOpt[1], 0);
    EXPECT_EQ(s.includePath, "/inc;");
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(store.Text(), text) << "loading alone deletes nothing";

    ASSERT_TRUE(SaveAllSettings(store, s));
    const std::string saved = store.Text();
    EXPECT_EQ(saved.find("[Analize]"), std::string::npos);
    EXPECT_NE(saved.find("[Analyze]\nSelectedFunction="), std::string::npos);
    EXPECT_NE(saved.find("[Other]\nX=1\n"), std::string::npos);

    Loaded both = loadAll("[Analyze]\nAnlyOpt=1\n[Analize]\nAnlyOpt=0\nNameHead=$\n");
    EXPECT_EQ(both.settings.anlyOpt[0], 1);
    EXPECT_EQ(both.settings.nameHead, "!#@") << "a current section ignores the old one";
}

TEST(SettingsLoad, CodePageMustBeOneTheConversionsSupport) {
    Environment env;
    EXPECT_EQ(loadAll("[Setup]\nCodePage=12345\n", env).settings.codePage, 65001);
    env.ansiCodePage = 1252;
    EXPECT_EQ(loadAll("[Setup]\nCodePage=12345\n", env).settings.codePage, 1252);
    EXPECT_EQ(loadAll("", env).settings.codePage, 1252) << "the system's by default";
    EXPECT_EQ(loadAll("[Setup]\nCodePage=932\n", env).settings.codePage, 932);
    env.ansiCodePage = 0;
    EXPECT_EQ(EffectiveCodePage(1, env), 1252) << "a system that reports 0 means 1252";
}

TEST(SettingsLoad, JapaneseDefaultsFollowTheInterfaceLanguage) {
    Environment japan;
    japan.japaneseLocale = true;
    japan.fixedFontFace = "Noto Sans Mono CJK JP";
    Loaded ja = loadAll("", japan);
    EXPECT_TRUE(ja.result.japaneseUi);
    EXPECT_STREQ(ja.settings.filters[5].name.c_str(), JapaneseText("Other"));
    EXPECT_EQ(ja.settings.filters[5].extensions[0], "exe") << "the same extensions";
    EXPECT_EQ(ja.settings.comment[1], "\xe5\x90\x8d\xe7\xa7\xb0"); // "Name"
    EXPECT_EQ(ja.settings.comment[4], ":=");
    const FontSetting& f = ja.settings.fonts[kFontTree];
    EXPECT_EQ(f, (FontSetting{"Noto Sans Mono CJK JP", 13, 400, 0, 100, 128, 49}));

    // Texts that are matched in sources are held in the internal code page.
    Loaded sjis = loadAll("[Setup]\nCodePage=932\n", japan);
    EXPECT_EQ(sjis.settings.filters[5].name, "\x82\xbb\x82\xcc\x91\xbc");

    EXPECT_FALSE(loadAll("[Setup]\nLocale=2\n", japan).result.japaneseUi);
    EXPECT_EQ(loadAll("[Setup]\nLocale=2\n", japan).settings.filters[5].name, "Other");
    Loaded forced = loadAll("[Setup]\nLocale=1\n");
    EXPECT_TRUE(forced.result.japaneseUi);
    EXPECT_STREQ(forced.settings.filters[0].name.c_str(), JapaneseText("All Files"));
}

// Every key with a value different from its default.
Settings everyKeyChanged() {
    Settings s = Settings::Defaults({}, false);
    s.cpuSet = 3;
    s.cpuNames = {"m68k", "x86", "h8s"};
    s.mojiCode = 5;
    s.mojiCodeAuto = 0;
    s.codePage = 1252;
    s.locale = 2;
    s.flatToolBar = 0;
    for (std::size_t set = 0; set < s.instructions.size(); ++set)
        for (std::size_t g = 0; g < s.instructions[set].size(); ++g)
            s.instructions[set][g] = "w" + std::to_string(set) + std::to_string(g) + " x";
    s.path = "/home/u/project";
    s.language = 2;
    s.dialogType = 1;
    for (std::size_t k = 0; k < s.filters.size(); ++k) {
        s.filters[k].name = "Kind " + std::to_string(k);
        for (std::size_t e = 0; e < s.filters[k].extensions.size(); ++e)
            s.filters[k].extensions[e] = "e" + std::to_string(k) + std::to_string(e);
        s.filters[k].tabWidth = 90 + static_cast<int>(k);
    }
    s.fileDialogType = 3;
    s.projectDialogType = 4;
    s.selectedFunction = "main";
    s.includePath = "/usr/include;/opt/inc;";
    s.countOpt = {1, 1, 1};
    for (std::size_t i = 0; i < s.anlyOpt.size(); ++i)
        s.anlyOpt[i] = 1 - kAnlyOptDefaults[i] % 2 + static_cast<int>(i);
    for (std::size_t i = 0; i < s.comment.size(); ++i)
        s.comment[i] = "label" + std::to_string(i);
    s.nameHead = "$%";
    s.exceptMdl = "/cfg/except.exc";
    s.constDef = "/cfg/const.def";
    for (std::size_t i = 0; i < s.viewOpt.size(); ++i)
        s.viewOpt[i] = 10 + static_cast<int>(i);
    s.screen = {30, 7, 4, 11, 12};
    s.print = {31, 8, 5, 13, 14};
    for (std::size_t i = 0; i < s.fonts.size(); ++i)
        s.fonts[i] =
            FontSetting{"Face " + std::to_string(i), 10 + static_cast<int>(i), 700, 1, 90, 128, 49};
    for (std::size_t i = 0; i < s.treeColors.size(); ++i)
        s.treeColors[i] = 1000 + static_cast<long>(i);
    s.penSize = 3;
    s.moduleListOption = {1, 1, 1, 1, 1, 1, 3, 0, 0};
    s.editorName = "/usr/bin/vim";
    s.editorOption = "+%l %F";
    s.editorOpen = 0;
    s.clipboardOut = 0;
    s.clipboardPathName = 0;
    s.attrMain = {900, 700, -10, 20, 1};
    s.attrXref = {500, 100, 1, 2};
    s.attrProg = {600, 400, 3, 4};
    for (std::size_t i = 0; i < s.columnFile.size(); ++i)
        s.columnFile[i] = 40 + static_cast<int>(i);
    for (std::size_t i = 0; i < s.columnFunc.size(); ++i)
        s.columnFunc[i] = 70 + static_cast<int>(i);
    s.splitDir = 1;
    s.callRange = 60;
    s.callSelect = 1;
    s.treeRange = 20;
    s.structRange = 55;
    s.range = 1;
    for (std::size_t i = 0; i < s.recentFiles.size(); ++i)
        s.recentFiles[i] = "/p/recent" + std::to_string(i) + ".prj";
    return s;
}

TEST(SettingsRoundTrip, EveryKeySurvivesSaveAndLoad) {
    const Settings saved = everyKeyChanged();
    TProfile2 store = storeWith("");
    ASSERT_TRUE(SaveAllSettings(store, saved));
    ASSERT_TRUE(SaveWindowSettings(store, saved));
    ASSERT_TRUE(SaveRecentFiles(store, saved));

    Settings loaded = Settings::Defaults({}, false);
    LoadAllSettings(store, loaded, {});
    LoadWindowSettings(store, loaded, {});
    LoadRecentFiles(store, loaded);

    Settings expected = saved;
    expected.anlyOpt[kAnlyUnused17] = 0; // not used: written as 0
    expected.anlyOpt[kAnlyUnused18] = 0;
    expected.viewOpt[2] = 0;
    expected.viewOpt[3] = 0;
    EXPECT_EQ(loaded.anlyOpt, expected.anlyOpt);
    EXPECT_EQ(loaded, expected);

    // Save all leaves the window layout, the recent files and the dialog indexes to the exit.
    TProfile2 project = storeWith("");
    SaveAllSettings(project, saved);
    for (const char* absent : {"[Window]", "[MRU]", "FileDialogType", "ProjectDialogType"})
        EXPECT_EQ(project.Text().find(absent), std::string::npos) << absent;
    project.SetSection("Window");
    EXPECT_EQ(project.ReadInt("Range", 0), 0);
    store.SetSection("Window");
    EXPECT_EQ(store.ReadInt("Range", 0), 1) << "the exit writes Range as 1";
}

} // namespace
} // namespace lumbra
