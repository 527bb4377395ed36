// lumbra32-cli search: every line of the analysed files that matches a regular expression, as
// the module-information pane's search output writes them.
#include <cstdio>
#include <memory>

#include "Commands.h"
#include "Lang.h"
#include "ModuleInfoReports.h"
#include "OutputOptions.h"
#include "SourceSearch.h"

namespace lumbra::cli {
namespace {

struct SearchOptions {
    std::string pattern;
    bool matchCase = false;
    bool enableLineOnly = false;
    OutputOptions output; // only --full-path, --crlf and -o apply
};

int runSearch(CliContext& ctx, const SearchOptions& o) {
    ctx.ApplyLanguage();
    // A pattern that cannot be used is reported before any file is read.
    if (LineMatcher check(PrepareSearchPattern(o.pattern), o.matchCase); !check.ok()) {
        std::fprintf(stderr, "lumbra32-cli: %s\n", check.error().c_str());
        return kExitUsage;
    }
    ctx.RegisterInputs();
    ctx.Analyze();
    const SearchOutcome outcome =
        RunSearch(MakeSearchRequest(ctx.engine, o.pattern, o.matchCase, o.enableLineOnly));
    if (outcome.unreadable > 0) {
        std::fprintf(stderr, "lumbra32-cli: %s\n",
                     Format(tr("%d files could not be read again."), outcome.unreadable).c_str());
        ctx.exitStatus = kExitInputFailed;
    }
    if (outcome.skippedLines > 0)
        std::fprintf(stderr, "lumbra32-cli: %s\n",
                     Format(tr("%ld lines were too complex for the pattern and were skipped."),
                            outcome.skippedLines)
                         .c_str());
    return WriteReport(
        ctx, o.output,
        SearchResultText(outcome.results, ctx.engine, o.output.Format(ctx.settings)));
}

} // namespace

void AddSearchCommand(CLI::App& app, CliContext& ctx, int& status) {
    auto o = std::make_shared<SearchOptions>();
    CLI::App* cmd = app.add_subcommand(
        "search", "Search the lines of the analysed files with a regular expression");
    cmd->add_option("pattern", o->pattern, "Regular expression (ECMAScript-like syntax)")
        ->required();
    AddCommonOptions(*cmd, ctx);
    cmd->add_flag("--match-case", o->matchCase, "Letters must match in case");
    cmd->add_flag("--enable-line-only", o->enableLineOnly,
                  "Test only active lines that are not comment lines");
    cmd->add_flag("--full-path", o->output.fullPath,
                  "Name files by full path instead of file name");
    cmd->add_flag("--crlf", o->output.crlf, "End lines with CR+LF as the clipboard texts do");
    cmd->add_option("-o,--output", o->output.outFile, "Write to this file instead of stdout");
    cmd->callback([&ctx, &status, o] { status = runSearch(ctx, *o); });
}

} // namespace lumbra::cli
