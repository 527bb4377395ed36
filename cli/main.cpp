// lumbra32-cli: the headless front end. Reads source files, analyses them and writes reports.
#include <cstdio>

#include "BuildInfo.h"
#include "Commands.h"

namespace lumbra::cli {

void AddCommonOptions(CLI::App& cmd, CliContext& ctx) {
    cmd.add_option("--lang", ctx.common.lang, "Interface language of the texts")
        ->check(CLI::IsMember({"en", "ja"}));
    AddSettingsOptions(cmd, ctx);
    AddDefineOptions(cmd, ctx);
    cmd.add_option("paths", ctx.common.paths, "Source files, folders or project files")->required();
}

} // namespace lumbra::cli

int main(int argc, char** argv) {
    using namespace lumbra::cli;
    CLI::App app{"Lumbra32 command-line front end: analyse source code and write its reports",
                 "lumbra32-cli"};
    app.set_version_flag("--version", std::string("lumbra32-cli ") + lumbra::build::kVersion);
    app.require_subcommand(1);

    CliContext ctx;
    int status = kExitOk;
    AddFilesCommand(app, ctx, status);
    AddSettingsCommand(app, ctx, status);
    AddAnalyzeCommand(app, ctx, status);
    AddCallingCommand(app, ctx, status);
    AddStructureCommand(app, ctx, status);
    AddJsonCommand(app, ctx, status);
    AddSaveProjectCommand(app, ctx, status);
    AddModulesCommand(app, ctx, status);
    AddDefinesCommand(app, ctx, status);
    AddSearchCommand(app, ctx, status);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::fprintf(stderr, "lumbra32-cli: %s\n", e.what());
        return kExitUsage;
    }
    return status;
}
