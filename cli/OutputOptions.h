// Options and steps shared by the report commands: output form and destination, progress,
// analysis options, and the tree building every report starts from.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "CliContext.h"
#include "ReportText.h"
#include "TreeBuilder.h"
#include "TreeRowList.h"

namespace CLI {
class App;
}

namespace lumbra::cli {

struct OutputOptions {
    bool csv = false;
    bool tsv = false;
    bool fullPath = false;
    bool crlf = false;
    std::string outFile;
    bool progress = false;
    // Empty or 0: the value of the settings.
    std::string sort;
    bool lowerOmit = false;
    int layer = 0;
    int boxes = 0;
    std::string root;
    std::vector<std::string> options;      // "N=V" engine analysis options
    std::vector<std::string> countOptions; // "N=V" count options

    // The settings' values with the options given on the command line in their place.
    ReportFormat Format(const Settings& settings) const;
    TreeBuildSettings TreeSettings(const Settings& settings) const;
};

// Adds the input paths, --lang and every option above to a report command.
void AddOutputOptions(CLI::App& cmd, CliContext& ctx, OutputOptions& options);

// Registers and analyses the inputs and builds the calling trees (all, or those of --root).
// Returns kExitOk, or kExitUsage when --root names no module.
int PrepareReport(CliContext& ctx, const OutputOptions& options, TreeRowList& rows);

// Writes a report (lines ended by "\r\n") to stdout or -o, with "\n" line ends unless --crlf.
// Returns the context's exit status, or kExitInputFailed when the output cannot be written.
int WriteReport(CliContext& ctx, const OutputOptions& options, const std::string& text);

// The text of one report, made once the trees are built.
using ReportWriter =
    std::function<std::string(CliContext& ctx, const OutputOptions& options, TreeRowList& rows)>;

// A report command: the shared options, then prepare, write and set the exit status.
void AddReportCommand(CLI::App& app, CliContext& ctx, int& status, const std::string& name,
                      const std::string& description, ReportWriter writer);

} // namespace lumbra::cli
