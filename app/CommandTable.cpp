// The command, menu and toolbar tables of the main window.
#include "CommandTable.h"

#include <array>
#include <string>

#include "Lang.h"

namespace lumbra {
namespace {

using enum CommandCheck;

constexpr std::array kCommands{
    CommandInfo{kCmdNew, "New(&N)", "New", ""},
    CommandInfo{kCmdOpen, "Open(&O)...", "Open", ""},
    CommandInfo{kCmdOpenFolder, "Open Folder(&D)...", "Open Folder", ""},
    CommandInfo{kCmdSave, "Save", "Save", ""},
    CommandInfo{kCmdAnalyze, "Analyze(&E)", "Analyze", ""},
    CommandInfo{kCmdAnalyzeInfo, "Analyze Information(&I)", "View Analyze Information", ""},
    CommandInfo{kCmdCallingInfo, "Calling Information(&F)", "View Up/Down Module", ""},
    CommandInfo{kCmdProjectOpen, "Project Open(&P)", "Open Project", ""},
    CommandInfo{kCmdProjectSave, "Project Save(&U)", "Save project", ""},
    CommandInfo{kCmdPrintPreview, "Print Preview(&V)...", "Printer Preview", ""},
    CommandInfo{kCmdPrint, "Print(&P)...", "Print", ""},
    CommandInfo{kCmdPrinterSetup, "Printer Setup(&R)...", "Printer Setup", ""},
    CommandInfo{kCmdExit, "Exit(&X)", "Exit", "Alt+F4"},

    CommandInfo{kCmdEditor, "Editor(&E)", "", "Ctrl+E"},
    CommandInfo{kCmdStructureText, "Structure Text Output", "Copy to Clipboard", "Ctrl+Ins"},
    CommandInfo{kCmdSourceCopy, "Source Copy(&C)", "", "Ctrl+C"},
    CommandInfo{kCmdSourceSelectAll, "Source All Select(&A)", "", "Ctrl+A"},
    CommandInfo{kCmdSourceLineOutput, "Source Enable Line Output", "", ""},
    CommandInfo{kCmdDel, "Del(&A)", "Clear", "Ctrl+Del"},

    CommandInfo{kCmdSplitWindow, "Split Window(&T)", "Change Split Method", "Ctrl+T", Toggle},
    CommandInfo{kCmdSelectMode, "Select(&S)", "Change Select Type", "Ctrl+S", Toggle},
    CommandInfo{kCmdLowerOmit, "Lower Omit(&E)", "Change View Mode", "", Toggle},
    CommandInfo{kCmdHistoryBack, "Select Pre(&P)", "History Back", ""},
    CommandInfo{kCmdHistoryForward, "Select Next(&N)", "History Foward", ""},

    CommandInfo{kCmdSortDefine, "Define", "", "", Radio, kCmdSortDefine},
    CommandInfo{kCmdSortName, "Name", "", "", Radio, kCmdSortDefine},
    CommandInfo{kCmdSortExec, "Exec", "", "", Radio, kCmdSortDefine},
    CommandInfo{kCmdSortPath, "Path", "", "", Radio, kCmdSortDefine},

    CommandInfo{kCmdMoveUpper, "Upper(&U)", "Move to Upper", ""},
    CommandInfo{kCmdMoveSameUpper, "Same-Upper", "Move Foward", ""},
    CommandInfo{kCmdMoveSameLower, "Same-Lower", "Move Back", ""},

    CommandInfo{kCmdFolding, "Folding", "", ""},
    CommandInfo{kCmdLowerFolding, "Lower Folding", "", ""},
    CommandInfo{kCmdLowerExpand, "Lower Expand", "", ""},
    CommandInfo{kCmdExpand, "Expand", "", ""},

    CommandInfo{kCmdDistNone, "None", "", "", Radio, kCmdDistNone},
    CommandInfo{kCmdDistExec, "Execute", "", "", Radio, kCmdDistNone},
    CommandInfo{kCmdDistExecPercent, "Execute[%]", "", "", Radio, kCmdDistNone},
    CommandInfo{kCmdDistPath, "Path", "", "", Radio, kCmdDistNone},
    CommandInfo{kCmdDistPathPercent, "Path[%]", "", "", Radio, kCmdDistNone},

    CommandInfo{kCmdLineNumber, "Line Number", "", "", Toggle},
    CommandInfo{kCmdBlockNumber, "Block Number", "", "", Toggle},
    CommandInfo{kCmdBlockNone, "None", "", "", Toggle}, // checked while the figures are off
    CommandInfo{kCmdHorizonLine, "Horizon Line", "", "", Toggle},
    CommandInfo{kCmdLinkage, "Linkage", "", "", Toggle},
    CommandInfo{kCmdFlowchart, "Flowchart Like", "", "", Toggle},

    CommandInfo{kCmdSourceFoldAll, "Folding All", "", ""},
    CommandInfo{kCmdSourceLowerFold, "Lower Folding", "", ""},
    CommandInfo{kCmdSourceLowerExpand, "Lower Expand", "", ""},
    CommandInfo{kCmdSourceExpandAll, "Expand All", "", ""},

    CommandInfo{kCmdOption, "Option(&S)", "Option", ""},
    CommandInfo{kCmdDefaultSetup, "Default Setup", "", ""},

    CommandInfo{kCmdHelpIndex, "Index(&C)", "", ""},
    CommandInfo{kCmdUsingHelp, "Using HELP(&U)", "", ""},
    CommandInfo{kCmdVersion, "Version(&A)...", "", ""},
};

constexpr std::array kMenu{
    MenuEntry{"File(&F)", kCmdNew},
    MenuEntry{"File(&F)", kCmdOpen},
    MenuEntry{"File(&F)", kCmdOpenFolder},
    MenuEntry{"File(&F)", kCmdAnalyze},
    MenuEntry{"File(&F)", 0},
    MenuEntry{"File(&F)", kCmdAnalyzeInfo},
    MenuEntry{"File(&F)", kCmdCallingInfo},
    MenuEntry{"File(&F)", 0},
    MenuEntry{"File(&F)", kCmdProjectOpen},
    MenuEntry{"File(&F)", kCmdProjectSave},
    MenuEntry{"File(&F)", 0},
    MenuEntry{"File(&F)", kCmdPrintPreview},
    MenuEntry{"File(&F)", kCmdPrint},
    MenuEntry{"File(&F)", kCmdPrinterSetup},
    MenuEntry{"File(&F)", 0},
    MenuEntry{"File(&F)", kCmdExit},

    MenuEntry{"Edit(&E)", kCmdEditor},
    MenuEntry{"Edit(&E)", 0},
    MenuEntry{"Edit(&E)", kCmdStructureText},
    MenuEntry{"Edit(&E)", kCmdSourceCopy},
    MenuEntry{"Edit(&E)", kCmdSourceSelectAll},
    MenuEntry{"Edit(&E)", kCmdSourceLineOutput},
    MenuEntry{"Edit(&E)", 0},
    MenuEntry{"Edit(&E)", kCmdDel},

    MenuEntry{"View(&V)", kCmdSplitWindow},
    MenuEntry{"View(&V)", 0},
    MenuEntry{"View(&V)", kCmdSelectMode},
    MenuEntry{"View(&V)", kCmdLowerOmit},
    MenuEntry{"View(&V)", 0},
    MenuEntry{"View(&V)", kCmdHistoryBack},
    MenuEntry{"View(&V)", kCmdHistoryForward},
    MenuEntry{"View(&V)", 0},
    MenuEntry{"View(&V)/Tree - Sort", kCmdSortDefine},
    MenuEntry{"View(&V)/Tree - Sort", kCmdSortName},
    MenuEntry{"View(&V)/Tree - Sort", kCmdSortExec},
    MenuEntry{"View(&V)/Tree - Sort", kCmdSortPath},
    MenuEntry{"View(&V)/Tree - Select", kCmdMoveUpper},
    MenuEntry{"View(&V)/Tree - Select", kCmdMoveSameUpper},
    MenuEntry{"View(&V)/Tree - Select", kCmdMoveSameLower},
    MenuEntry{"View(&V)/Tree - Fold", kCmdFolding},
    MenuEntry{"View(&V)/Tree - Fold", kCmdLowerFolding},
    MenuEntry{"View(&V)/Tree - Fold", kCmdLowerExpand},
    MenuEntry{"View(&V)/Tree - Fold", kCmdExpand},
    MenuEntry{"View(&V)/Tree - Distribute", kCmdDistNone},
    MenuEntry{"View(&V)/Tree - Distribute", kCmdDistExec},
    MenuEntry{"View(&V)/Tree - Distribute", kCmdDistExecPercent},
    MenuEntry{"View(&V)/Tree - Distribute", kCmdDistPath},
    MenuEntry{"View(&V)/Tree - Distribute", kCmdDistPathPercent},
    MenuEntry{"View(&V)", 0},
    MenuEntry{"View(&V)/Source - Display", kCmdLineNumber},
    MenuEntry{"View(&V)/Source - Display", kCmdBlockNumber},
    MenuEntry{"View(&V)/Source - Display/Block Figure", kCmdBlockNone},
    MenuEntry{"View(&V)/Source - Display/Block Figure", kCmdHorizonLine},
    MenuEntry{"View(&V)/Source - Display/Block Figure", kCmdLinkage},
    MenuEntry{"View(&V)/Source - Display/Block Figure", kCmdFlowchart},
    MenuEntry{"View(&V)/Source - Folding", kCmdSourceFoldAll},
    MenuEntry{"View(&V)/Source - Folding", kCmdSourceLowerFold},
    MenuEntry{"View(&V)/Source - Folding", kCmdSourceLowerExpand},
    MenuEntry{"View(&V)/Source - Folding", kCmdSourceExpandAll},

    MenuEntry{"Option(&O)", kCmdOption},
    MenuEntry{"Option(&O)", kCmdDefaultSetup},

    MenuEntry{"Help(&H)", kCmdHelpIndex},
    MenuEntry{"Help(&H)", kCmdUsingHelp},
    MenuEntry{"Help(&H)", 0},
    MenuEntry{"Help(&H)", kCmdVersion},
};

constexpr std::array<int, 30> kToolbar{
    kCmdNew,
    kCmdOpen,
    kCmdSave,
    kCmdProjectOpen,
    kCmdProjectSave,
    0,
    kCmdAnalyze,
    kCmdAnalyzeInfo,
    kCmdCallingInfo,
    kCmdOption,
    0,
    kCmdStructureText,
    0,
    kCmdSplitWindow,
    kCmdHistoryBack,
    kCmdHistoryForward,
    kCmdMoveUpper,
    kCmdMoveSameUpper,
    kCmdMoveSameLower,
    kCmdFolding,
    kCmdExpand,
    0,
    kCmdHorizonLine,
    kCmdLinkage,
    kCmdFlowchart,
    0,
    kCmdPrint,
    kCmdPrintPreview,
    0,
    kCmdHelpIndex,
};

} // namespace

std::span<const CommandInfo> Commands() {
    return kCommands;
}

const CommandInfo* FindCommand(int id) {
    for (const CommandInfo& c : kCommands)
        if (c.id == id)
            return &c;
    return nullptr;
}

std::span<const MenuEntry> MenuLayout() {
    return kMenu;
}

std::span<const int> ToolbarLayout() {
    return kToolbar;
}

std::string RecentFileCaption(int index, std::string_view path) {
    return Format("&%d %.*s", index + 1, static_cast<int>(path.size()), path.data());
}

} // namespace lumbra
