// lumbra32-cli structure: the calling trees as indented text.
#include "Commands.h"
#include "OutputOptions.h"
#include "StructureText.h"

namespace lumbra::cli {

void AddStructureCommand(CLI::App& app, CliContext& ctx, int& status) {
    AddReportCommand(app, ctx, status, "structure",
                     "Write the calling trees of all root modules (or of --root) as text",
                     [](CliContext& c, const OutputOptions&, TreeRowList& rows) {
                         return StructureText(rows, c.engine, StructureTextOptionsFrom(c.settings));
                     });
}

} // namespace lumbra::cli
