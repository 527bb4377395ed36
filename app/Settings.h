// Every persistent setting of the program in one plain struct, with its defaults and the loading
// and saving of its sections through a settings store.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "CodePage.h"

namespace lumbra {

class TProfile2;

// What the desktop tells the settings about the machine; the defaults are those of a headless
// run.
struct Environment {
    int workAreaWidth = 1024;
    int workAreaHeight = 768;
    int menuBarHeight = 20;
    int captionHeight = 22;
    std::string fixedFontFace = "Monospace"; // the system's fixed-width face
    bool japaneseLocale = false;             // the system's locale is Japanese
    int ansiCodePage = kDefaultCodePage;     // the system's multibyte code page (0: unknown)
};

// --- instruction sets of the assembler ------------------------------------------------------

inline constexpr int kInstructionSetCount = 3;
inline constexpr int kInstructionGroupCount = 13;
inline constexpr int kInstructionFieldCount = 2 * kInstructionGroupCount;

// Word groups, in the order of the "Instruction" list.
enum InstructionGroup : int {
    kInsCall = 0,
    kInsReturn = 1,
    kInsMove = 2,
    kInsExport = 3,
    kInsImport = 4,
    kInsByteDefine = 5,
    kInsWordDefine = 6,
    kInsDefineStorage = 7,
    kInsEquate = 8,
    kInsCondition = 9,
    kInsInclude = 10,
    kInsBranchCondition = 11,
    kInsBranchAlways = 12,
};

using InstructionGroups = std::array<std::string_view, kInstructionGroupCount>;

// The default set names and their word groups (blank-separated mnemonics).
inline constexpr std::array<std::string_view, kInstructionSetCount> kDefaultCpuNames = {
    "680x0", "80x86", "H8"};
inline constexpr std::array<InstructionGroups, kInstructionSetCount> kDefaultInstructions = {{
    {"bsr jsr", "rts", "mov", "pub xdef", "ext xref", "dc.b", "dc.w dc.l", "ds", "equ", "if",
     "include", "beq bne bcs bcc", "bra"},
    {"call invoke", "ret", "mov", "public global", "extern extrn", "db", "dw dd", "dt dq", "equ",
     "if", "include", "jz jnz je jne jc jnc", "jmp"},
    {"jsr bsr", "rts rte", "mov.w", ".export", ".import", ".data.b", ".data.w",
     ".res.b .res.w .sdatac", ".equ", ".aif", ".include",
     "beq bne bcs bcc bpl bmi bhi bls bgt bge blt ble", "bra jmp"},
}};

// --- "AnlyOpt" ----------------------------------------------------------------------------

inline constexpr int kAnlyOptCount = 24;
// Position of each engine option (index) in "AnlyOpt".
inline constexpr std::array<int, 20> kOptionPositions = {0,  2,  3,  4,  1,  5,  6,  7,  8,  9,
                                                         10, 11, 12, 13, 14, 15, 16, 19, 20, 23};
enum AnlyOptPosition : int {
    kAnlyDecorationChars = 1, // "Delete Addr. Decoration Char :"
    kAnlyUseDefineConstant = 2,
    kAnlyExceptModule = 7,
    kAnlyDefineConstant = 11,
    kAnlyUnused17 = 17,    // not used; written as 0
    kAnlyUnused18 = 18,    // not used; written as 0
    kAnlyLayerLimit = 21,  // greatest call depth followed
    kAnlyModuleLimit = 22, // greatest number of modules
};
inline constexpr std::array<int, kAnlyOptCount> kAnlyOptDefaults = {
    1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 0, 0, 1, 0, 1, 1, 0, 255, 100000000, 0, 0, 32, 10000000, 0};

// --- "ViewOpt" ----------------------------------------------------------------------------

inline constexpr int kViewOptCount = 21;
enum ViewOptItem : int {
    kViewModuleNo = 0,
    kViewModuleFunction = 1,
    kViewAllCallParts = 4,
    kViewDottedUndefined = 5,
    kViewExceptNamespace = 6,
    kViewBlockLevel = 7,
    kViewTreeFolding = 8, // 0 Disable, 1 Folding, 2 Expand
    kViewBlockChart = 9,
    kViewOpenCallInfo = 10,
    kViewHorizontalLine = 11,
    kViewLineNo = 12,
    kViewLineDigits = 13,
    kViewLinkage = 14,
    kViewExceptViewed = 15,
    kViewSourceFolding = 16, // 0 Disable, 1 Folding, 2 Expand
    kViewFlowchart = 17,
    kViewSort = 18, // 0 Code, 1 Name, 2 Exec, 3 Path
    kViewViewlessBoxLine = 19,
    kViewDistribute = 20, // 0 Nothing, 1 Execute, 2 Execute[%], 3 Path, 4 Path[%]
};
inline constexpr std::array<int, kViewOptCount> kViewOptDefaults = {0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0,
                                                                    1, 1, 6, 0, 0, 2, 1, 0, 0, 1};

// "Screen" and "Print": characters in a box, box shift divisor, connection-position divisor,
// position X, position Y.
inline constexpr std::array<int, 5> kTreeLayoutDefaults = {28, 6, 3, 10, 10};

// --- fonts and colours ----------------------------------------------------------------------

enum FontIndex : int { kFontTree = 0, kFontTreePrint = 1, kFontSource = 2, kFontSourcePrint = 3 };
inline constexpr std::array<std::string_view, 4> kFontKeys = {"TreeFont", "PrtFont", "SrcFont",
                                                              "SrcPrtFont"};

struct FontSetting {
    std::string face;
    int height = 15;
    int weight = 400;
    int italic = 0;
    int pointTenths = 100;
    int charSet = 0;
    int pitchFamily = 1;
    bool operator==(const FontSetting&) const = default;
};

inline constexpr int kTreeColorCount = 14;
enum TreeColor : int {
    kColorBack = 0,
    kColorText = 1,
    kColorSelect = 2,
    kColorUnselect = 3,
    kColorLine = 4,
    kColorModule = 5,
    kColorComment = 6,
    kColorPreProc = 7,
    kColorSelLine = 8,
    kColorDisable = 9,
    kColorUndefined = 10,
    kColorCall = 11,
    kColorBlock = 12,
    kColorDistribute = 13,
};
// 0x00BBGGRR values.
inline constexpr std::array<long, kTreeColorCount> kTreeColorDefaults = {
    0,     16777215, 8421504,  0,        16777215, 65535,   16776960,
    65280, 33023,    12632256, 12632256, 8454016,  8421504, 0};

// --- "ModuleList" "Option" ----------------------------------------------------------------

inline constexpr int kModuleListOptionCount = 9;
enum ModuleListItem : int {
    kListOpenModuleList = 0,
    kListOpenAllModuleList = 1,
    kListSortByName = 2,
    kListAllPrint = 3,
    kListNotViewUndefined = 5,
    kListContextLines = 6, // "Display Start Offset:"
    kListLineColumnSelect = 7,
    kListAutoFocus = 8,
};
inline constexpr std::array<int, kModuleListOptionCount> kModuleListDefaults = {0, 0, 0, 0, 0,
                                                                                0, 8, 1, 1};

// --- file kinds -------------------------------------------------------------------------------

inline constexpr int kFilterCount = 6;
inline constexpr int kFilterExtensions = 10;
// One source-file kind of the Open dialog: "Filter0" all files, "Filter1" to "Filter4" the
// language kinds 0 to 3, "Filter5" other files.
struct FileFilter {
    std::string name;
    std::array<std::string, kFilterExtensions> extensions; // lower case, "" when unused
    int tabWidth = 4;
    bool operator==(const FileFilter&) const = default;
};

inline constexpr int kRecentFileCount = 10;

// --- the settings --------------------------------------------------------------------------

struct Settings {
    // "Setup"
    int cpuSet = 1; // 1-based index into cpuNames
    std::array<std::string, kInstructionSetCount> cpuNames;
    int mojiCode = 0;     // default encoding of source files
    int mojiCodeAuto = 1; // automatic encoding detection
    int codePage = kDefaultCodePage;
    int locale = 0; // 0 system, 1 Japanese, 2 English
    int flatToolBar = 1;

    // The "Instruction" key of each set: thirteen word groups.
    std::array<std::array<std::string, kInstructionGroupCount>, kInstructionSetCount> instructions;

    // "File"
    std::string path; // current project folder
    int language = 4; // 0 Assembler, 1 Basic, 2 C/C++, 3 Pascal, 4 Auto Select
    int dialogType = 0;
    std::array<FileFilter, kFilterCount> filters;
    int fileDialogType = 0;
    int projectDialogType = 0;

    // "Analyze"
    std::string selectedFunction;
    std::string includePath; // folders separated by ';'
    std::array<int, 3> countOpt{};
    std::array<int, kAnlyOptCount> anlyOpt = kAnlyOptDefaults;
    std::array<std::string, 10> comment; // labels, separators at 4
    std::string nameHead = "!#@";
    std::string exceptMdl;
    std::string constDef;

    // "TreeView"
    std::array<int, kViewOptCount> viewOpt = kViewOptDefaults;
    std::array<int, 5> screen = kTreeLayoutDefaults;
    std::array<int, 5> print = kTreeLayoutDefaults;

    // "Font"
    std::array<FontSetting, 4> fonts;

    // "Color"
    std::array<long, kTreeColorCount> treeColors = kTreeColorDefaults;
    int penSize = 1;

    // "ModuleList"
    std::array<int, kModuleListOptionCount> moduleListOption = kModuleListDefaults;
    std::string editorName;
    std::string editorOption = "%F";
    int editorOpen = 1;
    int clipboardOut = 1;      // 0 comma-separated, otherwise tab-separated
    int clipboardPathName = 1; // file names instead of full paths

    // "Window" (settings file only)
    std::array<int, 5> attrMain{}; // width, height, left, top, maximised
    std::array<int, 4> attrXref{}; // width, height, left, top
    std::array<int, 4> attrProg{}; // width, height, left, top
    std::array<int, 12> columnFile{};
    std::array<int, 10> columnFunc{};
    int splitDir = 0;
    int callRange = 50;
    int callSelect = 3;
    int treeRange = 15;
    int structRange = 45;
    int range = 0;

    // "MRU" (settings file only); "" for an unused entry.
    std::array<std::string, kRecentFileCount> recentFiles;

    // Every value at its default for this machine and interface language.
    static Settings Defaults(const Environment& env, bool japaneseUi);

    bool operator==(const Settings&) const = default;
};

// The default external editor.
inline constexpr std::string_view kDefaultEditor = "xdg-open";

// The interface language that a "Locale" value selects on this machine.
bool InterfaceIsJapanese(int locale, const Environment& env);

// A code page the conversions support: the stored one when supported, else the system's, else
// UTF-8.
int EffectiveCodePage(int stored, const Environment& env);

// The "Instruction" value of a set as written: 26 fields, the odd ones empty.
std::string InstructionText(const std::array<std::string, kInstructionGroupCount>& groups);
// The 26 fields of a set as the engine takes them (the odd ones empty).
std::array<std::string, kInstructionFieldCount>
InstructionFields(const std::array<std::string, kInstructionGroupCount>& groups);

// What loading found besides the values.
struct SettingsLoadResult {
    bool japaneseUi = false; // the interface language the values were defaulted for
    bool changed = false;    // an older layout was read: the file should be written again
};

// Reads "Setup", the instruction sets, "File", "Analyze", "TreeView", "Font", "Color" and
// "ModuleList"; every missing key takes its default. "Window" and "MRU" are left alone.
SettingsLoadResult LoadAllSettings(TProfile2& store, Settings& settings, const Environment& env);

// Writes the sections LoadAllSettings reads (without "FileDialogType" and "ProjectDialogType"),
// as one write of the file. False when the file could not be written.
bool SaveAllSettings(TProfile2& store, const Settings& settings);

// The window layout: "Window" and, at exit, the "File" keys written every time.
void LoadWindowSettings(TProfile2& store, Settings& settings, const Environment& env);
bool SaveWindowSettings(TProfile2& store, const Settings& settings);

// The recent-file list, section "MRU".
void LoadRecentFiles(TProfile2& store, Settings& settings);
bool SaveRecentFiles(TProfile2& store, const Settings& settings);

} // namespace lumbra
