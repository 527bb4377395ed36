// lumbra32-cli save-project: analyses the inputs and writes them as a ".prj" that the desktop
// program can open later.
#include <cstdio>

#include "Commands.h"
#include "ProjectSave.h"

namespace lumbra::cli {

namespace {

int RunSaveProject(CliContext& ctx, const std::string& out) {
    ctx.ApplyLanguage();
    ctx.RegisterInputs();
    ctx.Analyze();
    ProjectSaveResult r = SaveProject(out, RegisteredFiles(ctx.engine), &ctx.projectSettings);
    if (!r.ok) {
        std::fprintf(stderr, "lumbra32-cli: cannot write %s: %s\n", r.path.c_str(),
                     r.error.c_str());
        return kExitInputFailed;
    }
    std::printf("%s\n", r.path.c_str());
    return ctx.exitStatus;
}

} // namespace

void AddSaveProjectCommand(CLI::App& app, CliContext& ctx, int& status) {
    CLI::App* cmd = app.add_subcommand("save-project",
                                       "Analyse the inputs and save them as a project file (.prj)");
    auto out = std::make_shared<std::string>();
    cmd->add_option("out", *out, "Project file to write (\".prj\" is added when missing)")
        ->required();
    AddCommonOptions(*cmd, ctx);
    cmd->callback([&ctx, &status, out] { status = RunSaveProject(ctx, *out); });
}

} // namespace lumbra::cli
