// The commands of the main window as data: identifiers, captions, status-bar hints, shortcuts,
// the menu layout and the toolbar order. The desktop program builds its menus, toolbar and
// shortcuts from these tables; nothing else lists commands.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace lumbra {

// Command identifiers, shared by menu, toolbar, shortcuts and hints.
enum CommandId : int {
    kCmdNew = 24331,
    kCmdOpen = 24332,
    kCmdOpenFolder = 24334, // every known file below a chosen folder
    kCmdSave = 24333,       // toolbar only; no command serves it
    kCmdAnalyzeInfo = 24335,
    kCmdAnalyze = 24336,
    kCmdPrint = 24337,
    kCmdPrinterSetup = 24338,
    kCmdPrintPreview = 24340,
    kCmdCallingInfo = 24363,
    kCmdOption = 24364,
    kCmdProjectOpen = 24371,
    kCmdProjectSave = 24372,
    kCmdExit = 24310,

    kCmdEditor = 55531,
    kCmdStructureText = 24323,
    kCmdSourceCopy = 37826,
    kCmdSourceSelectAll = 40076,
    kCmdSourceLineOutput = 40074,
    kCmdDel = 24326,

    kCmdSplitWindow = 24365,
    kCmdSelectMode = 24366,
    kCmdLowerOmit = 24367,
    kCmdHistoryBack = 24368,
    kCmdHistoryForward = 24369,

    kCmdSortDefine = 40045,
    kCmdSortName = 40046,
    kCmdSortExec = 40070,
    kCmdSortPath = 40071,

    kCmdMoveUpper = 24375,
    kCmdMoveSameUpper = 24373,
    kCmdMoveSameLower = 24374,

    kCmdFolding = 25101,
    kCmdLowerFolding = 40005,
    kCmdLowerExpand = 40003,
    kCmdExpand = 25102,

    kCmdDistNone = 40033,
    kCmdDistExec = 40034,
    kCmdDistExecPercent = 40035,
    kCmdDistPath = 40036,
    kCmdDistPathPercent = 40037,

    kCmdLineNumber = 40053,
    kCmdBlockNumber = 40064,
    kCmdBlockNone = 40057,
    kCmdHorizonLine = 40001,
    kCmdLinkage = 40002,
    kCmdFlowchart = 40021,

    kCmdSourceFoldAll = 40008,
    kCmdSourceLowerFold = 40013,
    kCmdSourceLowerExpand = 40014,
    kCmdSourceExpandAll = 40015,

    kCmdDefaultSetup = 40066,

    kCmdHelpIndex = 2001,
    kCmdUsingHelp = 2002, // no command serves it
    kCmdVersion = 2009,

    kCmdRecentFirst = 31990, // recent files 31990 to 31999
    kCmdRecentLast = 31999,
};

// How a command shows its state in menus and on the toolbar.
enum class CommandCheck {
    None,   // a plain command
    Toggle, // an on/off switch
    Radio,  // one of a group (the group is the first command's id)
};

struct CommandInfo {
    int id;
    std::string_view caption;  // English; "&" marks the mnemonic
    std::string_view hint;     // English status-bar hint, "" when none
    std::string_view shortcut; // portable key text ("Ctrl+Ins"), "" when none
    CommandCheck check = CommandCheck::None;
    int group = 0; // radio group
};

// Every command, in menu order.
std::span<const CommandInfo> Commands();
// The command of an id, or nullptr.
const CommandInfo* FindCommand(int id);

// One entry of the menu bar: a command under a menu path ("View/Tree - Sort"; segments are
// English captions), or a separator (id 0).
struct MenuEntry {
    std::string_view path;
    int id;
};
std::span<const MenuEntry> MenuLayout();
// The place of the recent-file entries: after this command of the File menu.
inline constexpr int kRecentFilesAfter = kCmdPrinterSetup;

// The toolbar, left to right; 0 is a separator bar.
std::span<const int> ToolbarLayout();

// The caption of a recent-file entry: "&%d %s" with the 1-based number and the path.
std::string RecentFileCaption(int index, std::string_view path);

} // namespace lumbra
