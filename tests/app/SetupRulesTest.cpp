// The setup dialog's rules without widgets: number fields and their limits, the meaningless
// zeros, extension and list texts, lower-casing, code-page entries, enabling rules, the include
// path's "Add" and the font chooser's result.
#include <gtest/gtest.h>

#include "CodePage.h"
#include "Lang.h"
#include "SetupRules.h"
#include "Sinks.h"

namespace lumbra {
namespace {

class RecordingSink final : public MessageSink {
public:
    bool Message(const std::string& text, const std::string& caption, MessageKind) override {
        shown.push_back(caption + ": " + text);
        return true;
    }
    std::vector<std::string> shown;
};

TEST(SetupNumbers, TextReadsAsANumberOnlyWithinItsLimits) {
    const NumberLimits limits{0, 999, true};
    EXPECT_EQ(CheckNumberText("12", limits), NumberState::Acceptable);
    EXPECT_EQ(CheckNumberText(" 7 ", limits), NumberState::Acceptable);
    EXPECT_EQ(CheckNumberText("0", limits), NumberState::Acceptable);
    // Empty or too large text may still be corrected by typing: not refused at the keystroke.
    EXPECT_EQ(CheckNumberText("", limits), NumberState::Intermediate);
    EXPECT_EQ(CheckNumberText("1000", limits), NumberState::Intermediate);
    EXPECT_EQ(CheckNumberText("99999999999999999999999", limits), NumberState::Intermediate);
    // Letters, signs and inner blanks are never a number here.
    EXPECT_EQ(CheckNumberText("1a", limits), NumberState::Invalid);
    EXPECT_EQ(CheckNumberText("-1", limits), NumberState::Invalid);
    EXPECT_EQ(CheckNumberText("1 2", limits), NumberState::Invalid);

    EXPECT_EQ(ParseNumberText(" 42", limits), 42);
    EXPECT_EQ(ParseNumberText("", limits), std::nullopt);
    EXPECT_EQ(ParseNumberText("1000", limits), std::nullopt);
    EXPECT_EQ(ParseNumberText("x", limits), std::nullopt);
    EXPECT_EQ(ParseNumberText("0", kTabWidthLimits), std::nullopt); // a tab of 0 is refused
}

TEST(SetupNumbers, MeaninglessZerosAreStoredAsOne) {
    Settings s = Settings::Defaults({}, false);
    s.screen = {0, 0, 0, 0, 0};
    s.print = {0, 0, 0, 0, 0};
    s.penSize = 0;
    s.anlyOpt[kAnlyLayerLimit] = 0;
    s.anlyOpt[kAnlyModuleLimit] = 0;
    s.viewOpt[kViewLineDigits] = 0;
    s.moduleListOption[kListContextLines] = 0;
    NormalizeSetupNumbers(s);
    const std::array<int, 5> layout = {1, 1, 1, 0, 0}; // positions may be 0
    EXPECT_EQ(s.screen, layout);
    EXPECT_EQ(s.print, layout);
    EXPECT_EQ(s.penSize, 1);
    EXPECT_EQ(s.anlyOpt[kAnlyLayerLimit], 1);
    EXPECT_EQ(s.anlyOpt[kAnlyModuleLimit], 1);
    EXPECT_EQ(s.viewOpt[kViewLineDigits], 0);
    EXPECT_EQ(s.moduleListOption[kListContextLines], 0);

    s.screen[0] = 40;
    s.anlyOpt[kAnlyLayerLimit] = 7;
    NormalizeSetupNumbers(s);
    EXPECT_EQ(s.screen[0], 40);
    EXPECT_EQ(s.anlyOpt[kAnlyLayerLimit], 7);
}

TEST(SetupTexts, ExtensionFieldSplitsAtBlanksIntoAtMostTen) {
    auto three = SplitExtensions("  c\tcpp   h ");
    EXPECT_EQ(three[0], "c");
    EXPECT_EQ(three[1], "cpp");
    EXPECT_EQ(three[2], "h");
    EXPECT_EQ(three[3], "");
    EXPECT_EQ(JoinExtensions(three), "c cpp h");

    auto ten = SplitExtensions("a b c d e f g h i j k l");
    EXPECT_EQ(ten[9], "j");
    EXPECT_EQ(JoinExtensions(ten), "a b c d e f g h i j");

    std::array<std::string, kFilterExtensions> gaps{"asm", "", "src"};
    EXPECT_EQ(JoinExtensions(gaps), "asm src");
}

TEST(SetupTexts, ListValuesRefuseCommasAndOverlongExtensions) {
    EXPECT_TRUE(IsListSafeText("C/C++ files"));
    EXPECT_FALSE(IsListSafeText("a,b"));
    EXPECT_TRUE(IsExtensionFieldText("cpp 12345678901"));
    EXPECT_FALSE(IsExtensionFieldText("cpp 123456789012"));
    EXPECT_FALSE(IsExtensionFieldText("c,h"));
    EXPECT_TRUE(IsExtensionFieldText(""));
}

TEST(SetupTexts, LowerCasingLeavesShiftJisTrailBytesAlone) {
    // 0x83 0x41 is one double-byte character whose trail byte reads as 'A'.
    std::string sjis = "\x83\x41"
                       "BSR.W";
    LowerCaseText(sjis, kCodePageShiftJis);
    EXPECT_EQ(sjis, "\x83\x41"
                    "bsr.w");

    std::string utf8 = "JSR \xE3\x82\xA2";
    LowerCaseText(utf8, kCodePageUtf8);
    EXPECT_EQ(utf8, "jsr \xE3\x82\xA2");
}

TEST(SetupTexts, CodePageEntriesStartWithTheirNumber) {
    EXPECT_EQ(CodePageOfEntry("932 shift_jis Japanese (Shift-JIS)"), 932);
    EXPECT_EQ(CodePageOfEntry("  65001 utf-8"), 65001);
    EXPECT_EQ(CodePageOfEntry("utf-8"), 0);
    const auto entries = CodePageList();
    ASSERT_FALSE(entries.empty());
    for (const std::string& entry : entries)
        EXPECT_TRUE(IsCodePageSupported(CodePageOfEntry(entry))) << entry;

    Environment env;
    env.ansiCodePage = kCodePageUtf8;
    EXPECT_EQ(DefaultCodePage(env), kCodePageUtf8);
    env.ansiCodePage = 999999; // unknown to this machine
    EXPECT_TRUE(IsCodePageSupported(DefaultCodePage(env)));
}

struct DependentCase {
    const char* name;
    SetupDependent control;
    int* (*field)(Settings&);
    bool enabledWhenOn;
};

const DependentCase kDependents[] = {
    {"DottedLineNeedsBoxLines", SetupDependent::DottedUndefined,
     [](Settings& s) { return &s.viewOpt[kViewViewlessBoxLine]; }, false},
    {"DigitsNeedLineNumbers", SetupDependent::LineDigits,
     [](Settings& s) { return &s.viewOpt[kViewLineNo]; }, true},
    {"FiguresNeedTheChart", SetupDependent::BlockFigures,
     [](Settings& s) { return &s.viewOpt[kViewBlockChart]; }, true},
    {"DecorationCharacters", SetupDependent::NameHead,
     [](Settings& s) { return &s.anlyOpt[kAnlyDecorationChars]; }, true},
    {"IncludeFileConstants", SetupDependent::IncludeFileConstants,
     [](Settings& s) { return &s.anlyOpt[kAnlyUseDefineConstant]; }, true},
    {"MemberLink", SetupDependent::MemberLink,
     [](Settings& s) { return &s.anlyOpt[kAnlyMemberSearch]; }, true},
    {"ExceptModuleFile", SetupDependent::ExceptModuleFile,
     [](Settings& s) { return &s.anlyOpt[kAnlyExceptModule]; }, true},
    {"DefineConstantFile", SetupDependent::DefineConstantFile,
     [](Settings& s) { return &s.anlyOpt[kAnlyDefineConstant]; }, true},
    {"ClassOptions", SetupDependent::ClassOptions,
     [](Settings& s) { return &s.anlyOpt[kAnlyCombineClass]; }, true},
    {"EditorFields", SetupDependent::EditorFields, [](Settings& s) { return &s.editorOpen; }, true},
};

class SetupEnabling : public ::testing::TestWithParam<DependentCase> {};

TEST_P(SetupEnabling, FollowsItsSwitch) {
    const DependentCase& c = GetParam();
    Settings s = Settings::Defaults({}, false);
    *c.field(s) = 1;
    EXPECT_EQ(IsDependentEnabled(c.control, s), c.enabledWhenOn);
    *c.field(s) = 0;
    EXPECT_EQ(IsDependentEnabled(c.control, s), !c.enabledWhenOn);
}

INSTANTIATE_TEST_SUITE_P(Rules, SetupEnabling, ::testing::ValuesIn(kDependents),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SetupDefineFiles, EditorIsTheExternalOneOnlyWhenEnabledAndNamed) {
    Settings s = Settings::Defaults({}, false);
    s.editorName = "/usr/bin/gedit";
    s.editorOpen = 1;
    EXPECT_EQ(DefineFileEditor(s), "/usr/bin/gedit");
    s.editorOpen = 0;
    EXPECT_EQ(DefineFileEditor(s), kDefaultEditor);
    s.editorOpen = 1;
    s.editorName = "  ";
    EXPECT_EQ(DefineFileEditor(s), kDefaultEditor);
}

TEST(SetupIncludePath, AddAppendsTheFolderUntilTheTextLimit) {
    SetUiLanguage(UiLanguage::English);
    RecordingSink sink;
    std::string text = "/usr/include;";
    EXPECT_TRUE(AppendIncludeFolder(text, "/opt/inc", sink));
    EXPECT_EQ(text, "/usr/include;/opt/inc;");

    // Exactly at the limit still fits; one more character does not.
    std::string full(kIncludePathLength - 4, 'x');
    EXPECT_TRUE(AppendIncludeFolder(full, "/ab", sink));
    EXPECT_EQ(full.size(), static_cast<std::size_t>(kIncludePathLength));
    EXPECT_TRUE(sink.shown.empty());
    std::string over(kIncludePathLength - 3, 'x');
    EXPECT_FALSE(AppendIncludeFolder(over, "/ab", sink));
    EXPECT_EQ(over.size(), static_cast<std::size_t>(kIncludePathLength - 3));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0], "Caution: Path Size Limit Over");
}

TEST(SetupFonts, ChosenFontTakesSizeStyleAndPitchAndKeepsTheCharacterSet) {
    const FontSetting old{"Monospace", 13, 400, 0, 100, 128, 0x31};
    FontSetting f = ChosenFont(old, "Serif", 12.0, 700, true, false, 96);
    EXPECT_EQ(f.face, "Serif");
    EXPECT_EQ(f.pointTenths, 120);
    EXPECT_EQ(f.height, 16);
    EXPECT_EQ(f.weight, 700);
    EXPECT_EQ(f.italic, 1);
    EXPECT_EQ(f.charSet, 128);
    EXPECT_EQ(f.pitchFamily, 0x32); // family kept, variable pitch
    EXPECT_EQ(FontPoints(f), 12);

    FontSetting fixed = ChosenFont(old, "Mono", 10.5, 400, false, true, 96);
    EXPECT_EQ(fixed.pointTenths, 105);
    EXPECT_EQ(fixed.height, 14);
    EXPECT_EQ(fixed.pitchFamily, 0x31);
    EXPECT_EQ(FontPoints(fixed), 10);
}

} // namespace
} // namespace lumbra
