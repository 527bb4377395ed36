// lumbra32-cli analyze: the files and modules with their line counts and path numbers.
#include "AnalysisReports.h"
#include "Commands.h"
#include "OutputOptions.h"

namespace lumbra::cli {

void AddAnalyzeCommand(CLI::App& app, CliContext& ctx, int& status) {
    AddReportCommand(app, ctx, status, "analyze",
                     "Write the files and modules with their line counts and path numbers",
                     [](CliContext& c, const OutputOptions& o, TreeRowList&) {
                         return AnalyzeOutText(c.engine, o.Format(c.settings));
                     });
}

} // namespace lumbra::cli
