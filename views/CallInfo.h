// The call information of the current calling-tree row, as the module-information pane and the
// "Call Information" window show it: the module's file and counts, the path from the root
// ("Nest"), its upper and lower modules and the constants of its file.
#pragma once

#include <string>
#include <vector>

#include "ModuleInfoReports.h"
#include "NFileAnly.h"
#include "TreeRowList.h"

namespace lumbra {

struct CallInfo {
    int moduleId = 0; // 0: nothing to show
    std::string name; // the module's name
    // "%s\r\n%ldLine\r\nExec Lines = %ld\r\nPath numb = %ld" (the "Info." page).
    std::string infoText;
    // "%s : %ldLine, Exec Lines = %ld, Path numb = %ld" (the window's file line).
    std::string fileLine;
    int levels = 0; // the row's level + 1
    // Module names in the internal code page: what a double click roots the tree at.
    std::vector<std::string> hierarchy; // the root first, the module last
    std::vector<std::string> upper;
    std::vector<std::string> lower;
    // "name = value" texts of the constants of the module's file (UTF-8).
    std::vector<std::string> definitions;
    int codePage = 0; // of the names above
};

// The call-information update for a row of the calling tree (nothing for no row or a leaf that
// stands for no module). Not while an analysis runs: it reads the engine.
CallInfo BuildCallInfo(NFileAnly& engine, const TreeRowList& rows, int rowIndex);

// A list of names in the internal code page as UTF-8 display texts.
std::vector<std::string> DisplayNames(const std::vector<std::string>& names, int codePage);

// What the "Clip" buttons write (the module-list output). The pane writes its title as it is
// and adds the definitions; the window frames its title in brackets and has none.
ModuleListContent ModuleListOf(const CallInfo& info, const std::string& title, bool crossReference);

// The titles: "Call Information(%s)" for the window, "Module Information(%s)" for the pane.
std::string CallInfoWindowTitle(const CallInfo& info);
std::string ModuleInfoTitle(const CallInfo& info);

} // namespace lumbra
