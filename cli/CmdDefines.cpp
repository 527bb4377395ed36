// lumbra32-cli defines: the constants each file knows after its registration, and the options
// that add constants and include folders for every command.
#include <cstdio>

#include "CodePage.h"
#include "Commands.h"
#include "Lang.h"

namespace lumbra::cli {

void AddDefineOptions(CLI::App& cmd, CliContext& ctx) {
    cmd.add_option("--define", ctx.common.defines,
                   "Add a constant as if the constant define file held it (repeatable)")
        ->option_text("NAME[=VALUE]")
        ->allow_extra_args(false)
        ->check([](const std::string& define) {
            return define.empty() || define.front() == '=' ? tr("A constant needs a name.")
                                                           : std::string();
        });
    cmd.add_option("--include-path", ctx.common.includePaths,
                   "Also look for quoted include files in DIR (repeatable)")
        ->option_text("DIR")
        ->allow_extra_args(false);
}

int RunDefines(CliContext& ctx) {
    ctx.ApplyLanguage();
    ctx.RegisterInputs();
    const int codePage = ctx.engine.GetTextReadSettings().codePage;
    for (int i = 0; i < ctx.engine.GetFileCount(); ++i) {
        std::printf("%s\n", InternalToUtf8(ctx.engine.GetFilePath(i), codePage).c_str());
        for (std::string text = ctx.engine.NextConstantText(i, 0); !text.empty();
             text = ctx.engine.NextConstantText(i, 1))
            std::printf("\t%s\n", InternalToUtf8(text, codePage).c_str());
    }
    return ctx.exitStatus;
}

void AddDefinesCommand(CLI::App& app, CliContext& ctx, int& status) {
    CLI::App* cmd = app.add_subcommand(
        "defines", "List per file the constants it knows: the global ones, then its own");
    AddCommonOptions(*cmd, ctx);
    cmd->callback([&ctx, &status] { status = RunDefines(ctx); });
}

} // namespace lumbra::cli
