// The subcommands of lumbra32-cli.
#pragma once

#include <CLI/CLI.hpp>

#include "CliContext.h"

namespace lumbra::cli {

// --lang and the input paths.
void AddCommonOptions(CLI::App& cmd, CliContext& ctx);

const char* KindName(int kind);

void AddFilesCommand(CLI::App& app, CliContext& ctx, int& status);
void AddModulesCommand(CLI::App& app, CliContext& ctx, int& status);

} // namespace lumbra::cli
