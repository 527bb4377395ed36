// Defaults, loading and saving of the settings sections.
#include "Settings.h"

#include <span>
#include <type_traits>

#include "Lang.h"
#include "Records.h"
#include "TProfile2.h"

namespace lumbra {
namespace {

// --- defaults as data ---------------------------------------------------------------------------

struct FilterDefault {
    const char* name; // English; the Japanese name comes from the string table
    std::string_view extensions;
    int tabWidth;
};
// The extensions of Linux C++ code fill the free places of the C/C++ kind.
constexpr std::array<FilterDefault, kFilterCount> kFilterDefaults = {{
    {"All Files", "*", 4},
    {"Assembler", "asm,src", 8},
    {"Basic", "bas,frm,cls,vb", 4},
    {"C/C++", "h,c,cpp,java,cs,jsl,cc,cxx,hpp,hh", 4},
    {"Pascal", "pas", 4},
    {"Other", "exe,com,bat", 8},
}};
// The older layout held five extensions per kind.
constexpr std::size_t kOldFilterExtensions = 5;

constexpr const char* kCommentDefault =
    "No.,Name,Function,Remarks,:=,Format,Parameter,Return,Call,Common";

constexpr std::string_view kSectionSetup = "Setup";
constexpr std::string_view kSectionFile = "File";
constexpr std::string_view kSectionAnalyze = "Analyze";
constexpr std::string_view kSectionAnalyzeOld = "Analize";
constexpr std::string_view kSectionTreeView = "TreeView";
constexpr std::string_view kSectionFont = "Font";
constexpr std::string_view kSectionColor = "Color";
constexpr std::string_view kSectionModuleList = "ModuleList";
constexpr std::string_view kSectionWindow = "Window";
constexpr std::string_view kSectionRecent = "MRU";

// Pane shares: the value that replaces 0 and the upper limit.
constexpr int kRangeLimit = 90;
// A window placed further out than this starts at 0.
constexpr int kPlacementLimit = 6000;

// --- list helpers -------------------------------------------------------------------------------

template <std::size_t N> std::array<ProfileField, N> fieldsOf(std::string_view text) {
    std::array<ProfileField, N> f{};
    TProfile2::SplitList(text, f);
    return f;
}

template <typename T, std::size_t N>
std::array<ProfileField, N> fieldsOf(const std::array<T, N>& numbers) {
    std::array<ProfileField, N> f{};
    for (std::size_t i = 0; i < N; ++i) {
        f[i].text = std::to_string(numbers[i]);
        f[i].integer = static_cast<int>(numbers[i]);
        f[i].longValue = static_cast<long>(numbers[i]);
    }
    return f;
}

// Reads a list of numbers over per-field defaults.
template <typename T, std::size_t N>
std::array<T, N> readNumbers(const TProfile2& store, std::string_view key,
                             std::string_view keyDefault, const std::array<T, N>& defaults) {
    std::array<ProfileField, N> f = fieldsOf(defaults);
    TProfile2::SplitList(store.ReadString(key, keyDefault), f);
    std::array<T, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        if constexpr (std::is_same_v<T, long>)
            out[i] = f[i].longValue;
        else
            out[i] = f[i].integer;
    }
    return out;
}

template <typename T> std::string joinNumbers(std::span<const T> numbers) {
    std::string out;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i)
            out += ',';
        out += std::to_string(numbers[i]);
    }
    return out;
}

template <typename T, std::size_t N> std::string joinNumbers(const std::array<T, N>& numbers) {
    return joinNumbers(std::span<const T>(numbers));
}

std::string joinTexts(std::span<const std::string> texts) {
    std::string out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i)
            out += ',';
        out += texts[i];
    }
    return out;
}

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// A language-dependent default text in the internal code page.
std::string localized(const char* english, bool japanese, int codePage) {
    if (!japanese)
        return english;
    const char* ja = JapaneseText(english);
    return ja ? Utf8ToInternal(ja, codePage) : std::string(english);
}

// --- per-section defaults -----------------------------------------------------------------------

std::string filterDefaultText(int k, bool oldLayout, bool japanese, int codePage) {
    const FilterDefault& d = kFilterDefaults[static_cast<std::size_t>(k)];
    auto ext = fieldsOf<kFilterExtensions>(d.extensions);
    const std::size_t count = oldLayout ? kOldFilterExtensions : kFilterExtensions;
    std::string out = localized(d.name, japanese, codePage);
    for (std::size_t i = 0; i < count; ++i)
        out += "," + ext[i].text;
    return out + "," + std::to_string(d.tabWidth);
}

FileFilter filterFrom(std::string_view text, const std::string& defaultText, bool oldLayout) {
    const std::size_t count = oldLayout ? kOldFilterExtensions : kFilterExtensions;
    std::array<ProfileField, kFilterExtensions + 2> f{};
    std::span<ProfileField> used(f.data(), count + 2);
    TProfile2::SplitList(defaultText, used);
    TProfile2::SplitList(text, used);
    FileFilter filter;
    filter.name = f[0].text;
    for (std::size_t i = 0; i < count; ++i)
        filter.extensions[i] = lowerAscii(f[i + 1].text);
    int tab = f[count + 1].integer;
    filter.tabWidth = (tab <= 0 || tab > 100) ? 4 : tab;
    return filter;
}

std::string fontDefaultText(const Environment& env, bool japanese, int codePage) {
    std::string face = Utf8ToInternal(env.fixedFontFace, codePage);
    return japanese ? Format("%s,13,400,0,100,128,49", face.c_str())
                    : Format("%s,15,400,0,100,0,1", face.c_str());
}

FontSetting fontFrom(std::string_view text, const std::string& defaultText) {
    auto f = fieldsOf<7>(defaultText);
    TProfile2::SplitList(text, f);
    return FontSetting{f[0].text,    f[1].integer, f[2].integer, f[3].integer,
                       f[4].integer, f[5].integer, f[6].integer};
}

std::string fontText(const FontSetting& f) {
    return Format("%s,%d,%d,%d,%d,%d,%d", f.face.c_str(), f.height, f.weight, f.italic,
                  f.pointTenths, f.charSet, f.pitchFamily);
}

std::string instructionDefaultText(int set) {
    std::array<std::string, kInstructionGroupCount> groups;
    for (int g = 0; g < kInstructionGroupCount; ++g)
        groups[static_cast<std::size_t>(g)] = std::string(
            kDefaultInstructions[static_cast<std::size_t>(set)][static_cast<std::size_t>(g)]);
    return InstructionText(groups);
}

// Odd fields continue the word group of the even field before them.
std::array<std::string, kInstructionGroupCount> instructionsFrom(std::string_view text, int set) {
    auto f = fieldsOf<kInstructionFieldCount>(instructionDefaultText(set));
    TProfile2::SplitList(text, f);
    std::array<std::string, kInstructionGroupCount> groups;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        groups[g] = f[2 * g].text;
        const std::string& extra = f[2 * g + 1].text;
        if (!extra.empty())
            groups[g] += groups[g].empty() ? extra : " " + extra;
    }
    return groups;
}

struct WindowDefaults {
    std::array<int, 5> attrMain;
    std::array<int, 4> attrXref;
    std::array<int, 4> attrProg;
};

WindowDefaults windowDefaults(const Environment& env) {
    const int w = env.workAreaWidth, h = env.workAreaHeight;
    const int bars = env.menuBarHeight + env.captionHeight;
    return {{w, h, 0, 0, 0}, {w, h / 5, 0, h * 4 / 5}, {w, h - bars, 0, bars}};
}

constexpr std::array<int, 12> kColumnFileDefaults = {32, 224, 112, 56, 56, 56,
                                                     56, 56,  56,  56, 56, 56};
constexpr std::array<int, 10> kColumnFuncDefaults = {32, 160, 160, 56, 56, 56, 56, 56, 56, 56};
constexpr int kColumnWidth = 56;

// Zero (or less) takes the replacement, values above the limit the limit.
int clampRange(int value, int zeroValue) {
    if (value <= 0)
        return zeroValue;
    return value > kRangeLimit ? kRangeLimit : value;
}

int inRange(int value, int low, int high, int fallback) {
    return (value < low || value > high) ? fallback : value;
}

} // namespace

// --- public helpers
// -------------------------------------------------------------------------------

bool InterfaceIsJapanese(int locale, const Environment& env) {
    if (locale == 1)
        return true;
    if (locale == 2)
        return false;
    return env.japaneseLocale;
}

int EffectiveCodePage(int stored, const Environment& env) {
    if (IsCodePageSupported(stored))
        return stored;
    const int ansi = env.ansiCodePage == 0 ? 1252 : env.ansiCodePage;
    return IsCodePageSupported(ansi) ? ansi : kDefaultCodePage;
}

std::array<std::string, kInstructionFieldCount>
InstructionFields(const std::array<std::string, kInstructionGroupCount>& groups) {
    std::array<std::string, kInstructionFieldCount> fields;
    for (std::size_t g = 0; g < groups.size(); ++g)
        fields[2 * g] = groups[g];
    return fields;
}

std::string InstructionText(const std::array<std::string, kInstructionGroupCount>& groups) {
    auto fields = InstructionFields(groups);
    return joinTexts(fields);
}

Settings Settings::Defaults(const Environment& env, bool japaneseUi) {
    Settings s;
    s.codePage = EffectiveCodePage(env.ansiCodePage, env);
    for (std::size_t i = 0; i < kInstructionSetCount; ++i) {
        s.cpuNames[i] = std::string(kDefaultCpuNames[i]);
        for (std::size_t g = 0; g < kInstructionGroupCount; ++g)
            s.instructions[i][g] = std::string(kDefaultInstructions[i][g]);
    }
    for (int k = 0; k < kFilterCount; ++k) {
        std::string text = filterDefaultText(k, false, japaneseUi, s.codePage);
        s.filters[static_cast<std::size_t>(k)] = filterFrom(text, text, false);
    }
    auto comment = fieldsOf<10>(localized(kCommentDefault, japaneseUi, s.codePage));
    for (std::size_t i = 0; i < comment.size(); ++i)
        s.comment[i] = comment[i].text;
    const std::string font = fontDefaultText(env, japaneseUi, s.codePage);
    for (FontSetting& f : s.fonts)
        f = fontFrom(font, font);
    s.editorName = std::string(kDefaultEditor);
    WindowDefaults w = windowDefaults(env);
    s.attrMain = w.attrMain;
    s.attrXref = w.attrXref;
    s.attrProg = w.attrProg;
    s.columnFile = kColumnFileDefaults;
    s.columnFunc = kColumnFuncDefaults;
    return s;
}

// --- Load all / Save all ------------------------------------------------------------------------

SettingsLoadResult LoadAllSettings(TProfile2& store, Settings& s, const Environment& env) {
    SettingsLoadResult result;

    store.SetSection(kSectionSetup);
    s.cpuSet = inRange(store.ReadInt("Cpuset", 1), 1, kInstructionSetCount, 1);
    std::array<ProfileField, kInstructionSetCount> names{};
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i].text = std::string(kDefaultCpuNames[i]);
    TProfile2::SplitList(store.ReadString("Cpu", "680x0,80x86,H8"), names);
    for (std::size_t i = 0; i < names.size(); ++i)
        s.cpuNames[i] = names[i].text;
    s.mojiCode = inRange(store.ReadInt("MojiCode", 0), kEncAnsi, kEncUtf16Be, kEncAnsi);
    s.mojiCodeAuto = store.ReadInt("MojiCodeAuto", 1);
    s.codePage = store.ReadInt("CodePage", env.ansiCodePage);
    s.locale = store.ReadInt("Locale", 0);
    s.flatToolBar = store.ReadInt("FlatToolBar", 1);

    for (int set = 0; set < kInstructionSetCount; ++set) {
        const std::string& name = s.cpuNames[static_cast<std::size_t>(set)];
        std::string text = instructionDefaultText(set);
        if (!name.empty()) {
            store.SetSection(name);
            text = store.ReadString("Instruction", text);
        }
        s.instructions[static_cast<std::size_t>(set)] = instructionsFrom(text, set);
    }

    const bool japanese = InterfaceIsJapanese(s.locale, env);
    result.japaneseUi = japanese;
    s.codePage = EffectiveCodePage(s.codePage, env);

    store.SetSection(kSectionFile);
    s.path = store.ReadString("Path", "");
    s.language = inRange(store.ReadInt("Language", 4), 0, 4, 4);
    s.dialogType = store.ReadInt("DialogType", 0);
    const bool oldLayout = store.ReadInt("Rev", 0) == 0 && !store.ReadString("Filter0").empty();
    for (int k = 0; k < kFilterCount; ++k) {
        std::string def = filterDefaultText(k, oldLayout, japanese, s.codePage);
        std::string text = store.ReadString("Filter" + std::to_string(k), def);
        s.filters[static_cast<std::size_t>(k)] = filterFrom(text, def, oldLayout);
    }
    result.changed = oldLayout;
    s.fileDialogType = store.ReadInt("FileDialogType", 0);
    s.projectDialogType = store.ReadInt("ProjectDialogType", 0);

    // An "Analyze" section without "AnlyOpt" is read from its older name; the next save writes
    // it under the current name (and only then removes the old one, so nothing is lost).
    store.SetSection(kSectionAnalyze);
    if (store.ReadString("AnlyOpt").empty()) {
        store.SetSection(kSectionAnalyzeOld);
        if (!store.ReadString("AnlyOpt").empty())
            result.changed = true;
    }
    s.selectedFunction = store.ReadString("SelectedFunction", "");
    s.includePath = store.ReadString("IncludePath", "");
    s.countOpt = readNumbers(store, "CountOpt", "0,0,0", std::array<int, 3>{});
    s.anlyOpt = readNumbers(store, "AnlyOpt", "1", kAnlyOptDefaults);
    for (int limit : {kAnlyLayerLimit, kAnlyModuleLimit})
        if (s.anlyOpt[static_cast<std::size_t>(limit)] < 1)
            s.anlyOpt[static_cast<std::size_t>(limit)] = 1;
    const std::string commentDefault = localized(kCommentDefault, japanese, s.codePage);
    auto comment = fieldsOf<10>(commentDefault);
    TProfile2::SplitList(store.ReadString("Comment", commentDefault), comment);
    for (std::size_t i = 0; i < comment.size(); ++i)
        s.comment[i] = comment[i].text;
    s.nameHead = store.ReadString("NameHead", "!#@");
    s.exceptMdl = store.ReadString("ExceptMdl", "");
    s.constDef = store.ReadString("ConstDef", "");

    store.SetSection(kSectionTreeView);
    s.viewOpt = readNumbers(store, "ViewOpt", "0", kViewOptDefaults);
    s.screen = readNumbers(store, "Screen", "28,6,3,10,10", kTreeLayoutDefaults);
    s.print = readNumbers(store, "Print", "28,6,3,10,10", kTreeLayoutDefaults);
    // Characters in a box and the two divisors: 0 would divide by zero in the views.
    for (auto* layout : {&s.screen, &s.print})
        for (std::size_t i = 0; i < 3; ++i)
            if ((*layout)[i] < 1)
                (*layout)[i] = 1;

    store.SetSection(kSectionFont);
    const std::string fontDefault = fontDefaultText(env, japanese, s.codePage);
    for (std::size_t i = 0; i < s.fonts.size(); ++i)
        s.fonts[i] = fontFrom(store.ReadString(kFontKeys[i], fontDefault), fontDefault);

    store.SetSection(kSectionColor);
    s.treeColors = readNumbers(store, "Tree", "0", kTreeColorDefaults);
    s.penSize = store.ReadInt("PenSize", 1);
    if (s.penSize < 1)
        s.penSize = 1;

    store.SetSection(kSectionModuleList);
    s.moduleListOption = readNumbers(store, "Option", "0", kModuleListDefaults);
    s.editorName = store.ReadString("EditorName", kDefaultEditor);
    s.editorOption = store.ReadString("EditorOption", "%F");
    s.editorOpen = store.ReadInt("EditorOpen", 1);
    s.clipboardOut = store.ReadInt("ClipboardOut", 1);
    s.clipboardPathName = store.ReadInt("ClipboardPathName", 1);
    return result;
}

bool SaveAllSettings(TProfile2& store, const Settings& s) {
    ProfileUpdate update(store);

    store.SetSection(kSectionSetup);
    store.WriteInt("Cpuset", s.cpuSet);
    store.WriteString("Cpu", joinTexts(s.cpuNames));
    store.WriteInt("MojiCode", s.mojiCode);
    store.WriteInt("MojiCodeAuto", s.mojiCodeAuto);
    store.WriteInt("CodePage", s.codePage);
    store.WriteInt("Locale", s.locale);
    store.WriteInt("FlatToolBar", s.flatToolBar);

    for (std::size_t set = 0; set < kInstructionSetCount; ++set) {
        if (s.cpuNames[set].empty())
            continue;
        store.SetSection(s.cpuNames[set]);
        store.WriteString("Instruction", InstructionText(s.instructions[set]));
    }

    store.SetSection(kSectionFile);
    store.WriteString("Path", s.path);
    store.WriteInt("Language", s.language);
    store.WriteInt("DialogType", s.dialogType);
    store.WriteInt("Rev", 1);
    for (std::size_t k = 0; k < kFilterCount; ++k) {
        const FileFilter& f = s.filters[k];
        std::string text = f.name;
        for (const std::string& ext : f.extensions)
            text += "," + ext;
        store.WriteString("Filter" + std::to_string(k), text + "," + std::to_string(f.tabWidth));
    }

    store.SetSection(kSectionAnalyze);
    store.WriteString("SelectedFunction", s.selectedFunction);
    store.WriteString("IncludePath", s.includePath);
    store.WriteString("CountOpt", joinNumbers(s.countOpt));
    std::array<int, kAnlyOptCount> anly = s.anlyOpt;
    anly[kAnlyUnused17] = 0;
    anly[kAnlyUnused18] = 0;
    store.WriteString("AnlyOpt", joinNumbers(anly));
    store.WriteString("Comment", joinTexts(s.comment));
    store.WriteString("NameHead", s.nameHead);
    store.WriteString("ExceptMdl", s.exceptMdl);
    store.WriteString("ConstDef", s.constDef);
    store.DeleteSection(kSectionAnalyzeOld);

    store.SetSection(kSectionTreeView);
    std::array<int, kViewOptCount> view = s.viewOpt;
    view[2] = 0; // items 2 and 3 are not used
    view[3] = 0;
    store.WriteString("ViewOpt", joinNumbers(view));
    store.WriteString("Screen", joinNumbers(s.screen));
    store.WriteString("Print", joinNumbers(s.print));

    store.SetSection(kSectionFont);
    for (std::size_t i = 0; i < s.fonts.size(); ++i)
        store.WriteString(kFontKeys[i], fontText(s.fonts[i]));

    store.SetSection(kSectionColor);
    store.WriteString("Tree", joinNumbers(s.treeColors));
    store.WriteInt("PenSize", s.penSize);

    store.SetSection(kSectionModuleList);
    store.WriteString("Option", joinNumbers(s.moduleListOption));
    store.WriteString("EditorName", s.editorName);
    store.WriteString("EditorOption", s.editorOption);
    store.WriteInt("EditorOpen", s.editorOpen);
    store.WriteInt("ClipboardOut", s.clipboardOut);
    store.WriteInt("ClipboardPathName", s.clipboardPathName);

    return update.Commit();
}

// --- window layout and recent files
// ---------------------------------------------------------------

void LoadWindowSettings(TProfile2& store, Settings& s, const Environment& env) {
    const WindowDefaults w = windowDefaults(env);
    store.SetSection(kSectionWindow);
    s.attrMain = readNumbers(store, "AttrMain", joinNumbers(w.attrMain), w.attrMain);
    for (std::size_t i : {2u, 3u})
        s.attrMain[i] = inRange(s.attrMain[i], -kPlacementLimit, kPlacementLimit, 0);
    s.attrXref = readNumbers(store, "AttrXref", joinNumbers(w.attrXref), w.attrXref);
    s.attrProg = readNumbers(store, "AttrProg", joinNumbers(w.attrProg), w.attrProg);

    // Fields missing from a stored list are 56 wide, except the eleventh file column.
    std::array<int, 12> fileMissing;
    fileMissing.fill(kColumnWidth);
    fileMissing[10] = 112;
    auto fileFields = fieldsOf(fileMissing);
    TProfile2::SplitList(store.ReadString("ColumnFile", joinNumbers(kColumnFileDefaults)),
                         fileFields);
    for (std::size_t i = 0; i < s.columnFile.size(); ++i)
        s.columnFile[i] = fileFields[i].integer;
    std::array<int, 10> funcMissing;
    funcMissing.fill(kColumnWidth);
    s.columnFunc = readNumbers(store, "ColumnFunc", joinNumbers(kColumnFuncDefaults), funcMissing);
    for (int& width : s.columnFunc)
        if (width <= 0)
            width = kColumnWidth;

    s.splitDir = store.ReadInt("SplitDir", 0);
    s.callRange = clampRange(store.ReadInt("CallRange", 50), 50);
    s.callSelect = store.ReadInt("CallSelect", 3);
    s.treeRange = clampRange(store.ReadInt("TreeRange", 15), 50);
    s.structRange = clampRange(store.ReadInt("StructRange", 45), 45);
    s.range = store.ReadInt("Range", 0);
}

bool SaveWindowSettings(TProfile2& store, const Settings& s) {
    ProfileUpdate update(store);
    store.SetSection(kSectionFile);
    store.WriteInt("Rev", 1);
    store.WriteString("Path", s.path);
    store.WriteInt("FileDialogType", s.fileDialogType);
    store.WriteInt("ProjectDialogType", s.projectDialogType);

    store.SetSection(kSectionWindow);
    store.WriteString("AttrMain", joinNumbers(s.attrMain));
    store.WriteString("AttrXref", joinNumbers(s.attrXref));
    store.WriteString("AttrProg", joinNumbers(s.attrProg));
    store.WriteString("ColumnFile", joinNumbers(s.columnFile));
    store.WriteString("ColumnFunc", joinNumbers(s.columnFunc));
    store.WriteInt("SplitDir", s.splitDir);
    store.WriteInt("CallRange", s.callRange);
    store.WriteInt("CallSelect", s.callSelect);
    store.WriteInt("TreeRange", s.treeRange);
    store.WriteInt("StructRange", s.structRange);
    store.WriteInt("Range", 1);
    return update.Commit();
}

void LoadRecentFiles(TProfile2& store, Settings& s) {
    store.SetSection(kSectionRecent);
    for (std::size_t i = 0; i < s.recentFiles.size(); ++i)
        s.recentFiles[i] = store.ReadString(Format("%s%d", "MRU", static_cast<int>(i)), "");
}

bool SaveRecentFiles(TProfile2& store, const Settings& s) {
    ProfileUpdate update(store);
    store.SetSection(kSectionRecent);
    for (std::size_t i = 0; i < s.recentFiles.size(); ++i)
        store.WriteString(Format("%s%d", "MRU", static_cast<int>(i)), s.recentFiles[i]);
    return update.Commit();
}

} // namespace lumbra
