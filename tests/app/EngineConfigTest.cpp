// What the engine holds after it was configured from the settings: options, words, labels,
// reading settings, include paths, define files and the system version.
#include <gtest/gtest.h>

#include "EngineConfig.h"
#include "Lang.h"
#include "NFileAnly.h"
#include "Sinks.h"
#include "TempDir.h"

namespace lumbra {
namespace {

using test::TempDir;

class RecordingSink final : public MessageSink {
public:
    bool Message(const std::string& text, const std::string& caption, MessageKind) override {
        shown.push_back(caption + ": " + text);
        return true;
    }
    std::vector<std::string> shown;
};

class EngineConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUiLanguage(UiLanguage::English);
        engine.SetMessageSink(&sink);
    }
    void configure() { ConfigureEngine(engine, settings, input); }

    NFileAnly engine;
    RecordingSink sink;
    Settings settings = Settings::Defaults({}, false);
    FileInputOptions input;
};

TEST_F(EngineConfigTest, AnlyOptPositionsFeedTheirOptions) {
    settings.anlyOpt.fill(0);
    // position -> option, as the setup dialog lays them out
    const std::pair<int, int> map[] = {{0, 0},   {1, 4},   {2, 1},   {3, 2},   {4, 3},
                                       {5, 5},   {9, 9},   {16, 16}, {19, 17}, {20, 18},
                                       {23, 19}, {10, 10}, {11, 11}, {7, 7}};
    for (auto [position, option] : map) {
        settings.anlyOpt.fill(0);
        settings.anlyOpt[static_cast<std::size_t>(position)] = 1;
        settings.anlyOpt[kAnlyLayerLimit] = 32;
        configure();
        for (int o = 0; o < kOptionCount; ++o)
            EXPECT_EQ(engine.GetOption(o), o == option ? 1 : 0)
                << "position " << position << ", option " << o;
    }
    settings.countOpt = {1, 0, 1};
    configure();
    EXPECT_EQ(engine.GetCountOption(0), 1);
    EXPECT_EQ(engine.GetCountOption(1), 0);
    EXPECT_EQ(engine.GetCountOption(2), 1);
}

TEST_F(EngineConfigTest, TheSelectedInstructionSetGivesTheWords) {
    settings.cpuSet = 2;
    configure();
    EXPECT_EQ(engine.LookupKeyword("call"), kInsCall);
    EXPECT_EQ(engine.LookupKeyword("DD"), kInsWordDefine);
    EXPECT_EQ(engine.LookupKeyword("jnc"), kInsBranchCondition);
    EXPECT_EQ(engine.LookupKeyword("bsr"), -1) << "a word of another set";
    EXPECT_EQ(engine.ConditionKeywords()[5], "ENDIF");

    settings.cpuSet = 3;
    settings.instructions[2][kInsCall] = "jsr bsr far";
    configure();
    EXPECT_EQ(engine.LookupKeyword("call"), -1) << "the words are replaced, not added";
    EXPECT_EQ(engine.LookupKeyword("FAR"), kInsCall);
    EXPECT_EQ(engine.ConditionKeywords()[5], ".AENDI");
}

TEST_F(EngineConfigTest, LabelsReadingSettingsFoldsAndPaths) {
    settings.comment[1] = "Title";
    settings.comment[4] = "#=!";
    settings.nameHead = "@";
    settings.mojiCode = kEncEucJp;
    settings.mojiCodeAuto = 0;
    settings.codePage = 932;
    settings.viewOpt[kViewTreeFolding] = 2;
    settings.viewOpt[kViewSourceFolding] = 0;
    settings.viewOpt[kViewSort] = 3;
    settings.includePath = "/usr/include;/opt/x/";
    SetUiLanguage(UiLanguage::Japanese);
    configure();
    SetUiLanguage(UiLanguage::English);
    EXPECT_EQ(engine.GetCommentKeyword(1), "Title");
    EXPECT_EQ(engine.GetCommentKeyword(2), "Function");
    EXPECT_EQ(engine.GetSeparators(), "#=") << "two separator characters count";
    EXPECT_EQ(engine.GetDecorationChars(), "@");
    const TextReadSettings& read = engine.GetTextReadSettings();
    EXPECT_EQ(read.defaultEncoding, kEncEucJp);
    EXPECT_EQ(read.autoDetect, 0);
    EXPECT_EQ(read.codePage, 932);
    EXPECT_TRUE(read.japaneseUi);
    EXPECT_EQ(engine.GetDefaultFoldState(), 2);
    EXPECT_EQ(engine.GetSourceFolding(), 0);
    EXPECT_EQ(engine.GetTreeSortOrder(), 3);
    EXPECT_EQ(engine.GetIncludePaths(), (std::vector<std::string>{"/usr/include/", "/opt/x/"}));

    settings.anlyOpt[kAnlyDecorationChars] = 0;
    configure();
    EXPECT_EQ(engine.GetDecorationChars(), "") << "the characters only count when switched on";
}

TEST_F(EngineConfigTest, FileKindsComeFromTheFilters) {
    configure();
    EXPECT_EQ(input.language, 4);
    const ExtensionTable builtIn = ExtensionTable::Defaults();
    EXPECT_EQ(input.extensions.extensions, builtIn.extensions)
        << "the default filters and the engine's built-in table agree";

    settings.filters[4].extensions = {"pas", "dpr", "", "pp"};
    settings.language = 3;
    configure();
    EXPECT_EQ(input.language, 3);
    EXPECT_EQ(input.extensions.extensions[3], (std::vector<std::string>{"pas", "dpr", "pp"}));
    EXPECT_EQ(LookupExtension(input.extensions, "/x/unit.PP"), 3 + 2);
    EXPECT_EQ(LookupExtension(input.extensions, "/x/all.exe"), 0) << "other kinds are no language";
}

TEST_F(EngineConfigTest, DefineFilesFillTheirListsWhenSwitchedOn) {
    TempDir dir;
    settings.anlyOpt[kAnlyUseDefineConstant] = 0;
    settings.anlyOpt[kAnlyExceptModule] = 1;
    settings.anlyOpt[kAnlyDefineConstant] = 1;
    settings.exceptMdl = dir.write("mods.exc", "Before\n; comment\n[Except]\nSkipMe\n"
                                               "[Other]\nAlsoTaken\n;Not\n");
    settings.constDef = dir.write("const.def", "#define A 0x10\r\n#define B\r\n"
                                               "#define C 12 // twelve\r\n#define A 5\r\n"
                                               " #define D 1\r\n#defineE 2\r\nint x;\r\n");
    configure();
    EXPECT_EQ(engine.GetExceptModules(), (std::vector<std::string>{"SkipMe", "AlsoTaken"}));
    EXPECT_EQ(engine.IsNotExcepted("SkipMe"), 0);
    EXPECT_EQ(engine.IsNotExcepted("Before"), 1);
    const ConstantList& c = engine.GetGlobalConstants();
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c.find("A")->value, 16) << "the first definition stays";
    EXPECT_EQ(c.find("B")->value, 1) << "an empty value counts 1";
    EXPECT_EQ(c.find("C")->value, 12);
    EXPECT_EQ(engine.GetOption(kOptDefineConstantFile), 1);
    EXPECT_TRUE(sink.shown.empty());

    // Switched off, the lists are emptied; missing files are reported once each.
    settings.anlyOpt[kAnlyExceptModule] = 0;
    settings.anlyOpt[kAnlyDefineConstant] = 0;
    configure();
    EXPECT_TRUE(engine.GetExceptModules().empty());
    EXPECT_EQ(engine.GetGlobalConstants().size(), 0u);

    settings.anlyOpt[kAnlyExceptModule] = 1;
    settings.anlyOpt[kAnlyDefineConstant] = 1;
    settings.exceptMdl = (dir.path() / "none.exc").string();
    settings.constDef = "";
    configure();
    EXPECT_EQ(sink.shown, (std::vector<std::string>{"Caution: Exception define file not found.",
                                                    "Caution: Constant define file not found."}));
}

TEST_F(EngineConfigTest, WinverFollowsUsingDefineConstant) {
    settings.anlyOpt[kAnlyUseDefineConstant] = 1;
    settings.anlyOpt[kAnlyDefineConstant] = 0;
    configure();
    const ConstantRecord* winver = engine.GetGlobalConstants().find("WINVER");
    ASSERT_NE(winver, nullptr);
    EXPECT_EQ(winver->value, RunningSystemVersion());
    EXPECT_GT(winver->value, 2 * 256) << "a kernel of version 2 or later";
    EXPECT_EQ(engine.GetOption(kOptDefineConstantFile), 0) << "set back to the setting";

    settings.anlyOpt[kAnlyUseDefineConstant] = 0;
    configure();
    EXPECT_EQ(engine.GetGlobalConstants().find("WINVER"), nullptr);

    EXPECT_EQ(SystemVersionFromRelease("6.1.0-18-amd64"), 6 * 256 + 1);
    EXPECT_EQ(SystemVersionFromRelease("5.10.0"), 5 * 256 + 10);
    EXPECT_EQ(SystemVersionFromRelease("4.300"), 4 * 256 + (300 & 255));
    EXPECT_EQ(SystemVersionFromRelease("7"), 7 * 256);
    EXPECT_EQ(SystemVersionFromRelease(""), 0);
}

} // namespace
} // namespace lumbra
