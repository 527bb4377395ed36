// lumbra32-cli modules: every module of an analysis with its counts, tab-separated.
#include <cstdio>

#include "CodePage.h"
#include "Commands.h"

namespace lumbra::cli {

int RunModules(CliContext& ctx) {
    ctx.ApplyLanguage();
    ctx.RegisterInputs();
    ctx.Analyze();
    const int codePage = ctx.engine.GetTextReadSettings().codePage;
    std::printf("Id\tFile\tLine\tKind\tName\tExec\tComment\tDefine\tSpace\tOther\tPath\tLower\t"
                "Upper\tRecursive\n");
    for (int id = 1; id <= ctx.engine.GetModuleCount(); ++id) {
        const ModuleRecord* m = ctx.engine.GetModule(id);
        if (!m)
            continue;
        std::printf("%d\t%s\t%d\t%d\t%s\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\n", m->id,
                    InternalToUtf8(ctx.engine.GetModuleFileName(id), codePage).c_str(), m->line,
                    m->containerKind, InternalToUtf8(m->name, codePage).c_str(), m->exec,
                    m->comment, m->define, m->space, m->other, m->pathNumb, m->lowerCount(),
                    m->upperCount(), m->recursive);
    }
    return ctx.exitStatus;
}

void AddModulesCommand(CLI::App& app, CliContext& ctx, int& status) {
    CLI::App* cmd = app.add_subcommand("modules", "Analyse and list every module with its counts");
    AddCommonOptions(*cmd, ctx);
    cmd->callback([&ctx, &status] { status = RunModules(ctx); });
}

} // namespace lumbra::cli
