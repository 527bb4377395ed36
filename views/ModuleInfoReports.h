// The reports of the module-information pane and the call-information window: the module
// with its upper and lower modules (and the constants of its file), and the search results.
#pragma once

#include <string>
#include <vector>

#include "NFileAnly.h"
#include "ReportText.h"

namespace lumbra {

// What a pane shows, as UTF-8 display texts.
struct ModuleListContent {
    std::string title;
    // The call-information window frames its title in brackets; the pane writes it as it is.
    bool crossReference = false;
    std::vector<std::string> hierarchy; // the module is the last entry
    std::vector<std::string> upper;
    std::vector<std::string> lower;
    // Constants of the module's file as "name = value" (pane only); others are skipped.
    std::vector<std::string> definitions;
};

// The module-list output; UTF-8, lines ended by "\r\n".
std::string ModuleListText(const ModuleListContent& content, const ReportFormat& format);

// The search output: each result line "%d, %d:  text" (1-based file number, line number)
// becomes "file(line):  text". Lines that name no analysed file are left out.
std::string SearchResultText(const std::vector<std::string>& results, const NFileAnly& engine,
                             const ReportFormat& format);

} // namespace lumbra
