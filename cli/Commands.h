// The subcommands of lumbra32-cli.
#pragma once

#include <CLI/CLI.hpp>

#include "CliContext.h"

namespace lumbra::cli {

// --lang and the input paths.
void AddCommonOptions(CLI::App& cmd, CliContext& ctx);

const char* KindName(int kind);

void AddFilesCommand(CLI::App& app, CliContext& ctx, int& status);
void AddAnalyzeCommand(CLI::App& app, CliContext& ctx, int& status);
void AddCallingCommand(CLI::App& app, CliContext& ctx, int& status);
void AddStructureCommand(CLI::App& app, CliContext& ctx, int& status);
void AddJsonCommand(CLI::App& app, CliContext& ctx, int& status);
void AddSaveProjectCommand(CLI::App& app, CliContext& ctx, int& status);

// --ini and --user-settings (part of the common options).
void AddSettingsOptions(CLI::App& cmd, CliContext& ctx);
void AddSettingsCommand(CLI::App& app, CliContext& ctx, int& status);
void AddModulesCommand(CLI::App& app, CliContext& ctx, int& status);
// --define and --include-path (part of the common options).
void AddDefineOptions(CLI::App& cmd, CliContext& ctx);
void AddDefinesCommand(CLI::App& app, CliContext& ctx, int& status);
void AddSearchCommand(CLI::App& app, CliContext& ctx, int& status);

} // namespace lumbra::cli
