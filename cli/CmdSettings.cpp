// lumbra32-cli settings: the effective settings as the ini text a save would write, and the
// options every command takes to choose its settings.
#include <cstdio>

#include "Commands.h"
#include "TProfile2.h"

namespace lumbra::cli {

void AddSettingsOptions(CLI::App& cmd, CliContext& ctx) {
    CLI::Option* ini =
        cmd.add_option("--ini", ctx.common.ini,
                       "Take the settings from FILE (a settings file or a .prj project); "
                       "default: the built-in settings")
            ->option_text("FILE")
            ->check(CLI::ExistingFile);
    cmd.add_flag("--user-settings", ctx.common.userSettings,
                 "Take the settings from the user's own settings file")
        ->excludes(ini);
}

int RunSettings(CliContext& ctx) {
    ctx.ApplyLanguage();
    TProfile2 store; // in memory only
    SaveAllSettings(store, ctx.settings);
    const std::string text = store.Text();
    std::fwrite(text.data(), 1, text.size(), stdout);
    return ctx.exitStatus;
}

void AddSettingsCommand(CLI::App& app, CliContext& ctx, int& status) {
    CLI::App* cmd = app.add_subcommand(
        "settings", "Print the effective settings as ini text, as a save would write them");
    cmd->add_option("--lang", ctx.common.lang, "Interface language of the texts")
        ->check(CLI::IsMember({"en", "ja"}));
    AddSettingsOptions(*cmd, ctx);
    cmd->callback([&ctx, &status] { status = RunSettings(ctx); });
}

} // namespace lumbra::cli
