// The analysis reports over all files and modules: "Analyze Out", "Calling Out" and the totals
// line of the analysis-information window.
#pragma once

#include <string>

#include "NFileAnly.h"
#include "ReportText.h"

namespace lumbra {

// Line counts of all files together.
struct FileTotals {
    unsigned long long size = 0;
    long total = 0;
    long define = 0;
    long exec = 0;
    long comment = 0;
    long space = 0;
    long other = 0;
    long pathNumb = 0;
};
FileTotals SumFiles(const NFileAnly& engine);

// "Analyze Out": the header, then one line per file with the totals line, then one line per
// module. UTF-8, lines ended by "\r\n". Run the tree building first: the inclusive columns are
// the values its walk stored.
std::string AnalyzeOutText(const NFileAnly& engine, const ReportFormat& format);

// "Calling Out": every module that has upper or lower modules, with the names of both lists
// side by side.
std::string CallingOutText(const NFileAnly& engine, const ReportFormat& format);

// The one-line totals text under the file list of the analysis-information window.
std::string FileTotalsText(const NFileAnly& engine);

} // namespace lumbra
