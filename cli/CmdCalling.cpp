// lumbra32-cli calling: every module that calls or is called, with its upper and lower modules.
#include "AnalysisReports.h"
#include "Commands.h"
#include "OutputOptions.h"

namespace lumbra::cli {

void AddCallingCommand(CLI::App& app, CliContext& ctx, int& status) {
    AddReportCommand(app, ctx, status, "calling",
                     "Write every module with its calling (upper) and called (lower) modules",
                     [](CliContext& c, const OutputOptions& o, TreeRowList&) {
                         return CallingOutText(c.engine, o.Format(c.settings));
                     });
}

} // namespace lumbra::cli
