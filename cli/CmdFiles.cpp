// lumbra32-cli files: the registered files with their format descriptions, module counts, line
// counts and path numbers.
#include <cstdio>

#include "Commands.h"
#include "Lang.h"
#include "TextInput.h"

namespace lumbra::cli {

const char* KindName(int kind) {
    switch (kind) {
    case kKindAssembler:
        return "Assembler";
    case kKindBasic:
        return "Basic";
    case kKindCFamily:
        return "C/C++";
    case kKindPascal:
        return "Pascal";
    default:
        return "?";
    }
}

int RunFiles(CliContext& ctx) {
    ctx.ApplyLanguage();
    ctx.RegisterInputs();
    const bool ja = IsJapaneseUi();
    for (int i = 0; i < ctx.engine.GetFileCount(); ++i) {
        FileInfo info;
        if (!ctx.engine.GetFileInfo(i, info))
            continue;
        FileDescription d = DescribeFile(info, ja);
        std::printf("%d\t%s\t%s\t%s\t%d\t%d\t%d\t%d\t%d\t%d\t%d\n", i, d.nameDateSize.c_str(),
                    d.encodingLineEnd.c_str(), KindName(info.kind), info.moduleCount, info.exec,
                    info.comment, info.define, info.space, info.other, info.pathNumb);
    }
    return ctx.exitStatus;
}

void AddFilesCommand(CLI::App& app, CliContext& ctx, int& status) {
    CLI::App* cmd =
        app.add_subcommand("files", "List the registered files with encoding, line end and counts");
    AddCommonOptions(*cmd, ctx);
    cmd->callback([&ctx, &status] { status = RunFiles(ctx); });
}

} // namespace lumbra::cli
