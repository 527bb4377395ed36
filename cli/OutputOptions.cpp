// Shared options and steps of the report commands.
#include "OutputOptions.h"

#include <CLI/CLI.hpp>
#include <climits>
#include <cstdio>
#include <memory>

#include "CodePage.h"
#include "Commands.h"
#include "Lang.h"

namespace lumbra::cli {
namespace {

// "N=V" with N in [0, count): the index and value, or false.
bool parseSetting(const std::string& text, int count, int& index, int& value) {
    const std::size_t eq = text.find('=');
    if (eq == std::string::npos || eq == 0 || eq + 1 == text.size())
        return false;
    try {
        std::size_t used = 0;
        index = std::stoi(text.substr(0, eq), &used);
        if (used != eq)
            return false;
        value = std::stoi(text.substr(eq + 1), &used);
        if (used != text.size() - eq - 1)
            return false;
    } catch (const std::exception&) {
        return false;
    }
    return index >= 0 && index < count;
}

CLI::Validator settingValidator(int count) {
    return CLI::Validator(
        [count](std::string& text) {
            int index = 0, value = 0;
            if (parseSetting(text, count, index, value))
                return std::string();
            return "expected N=V with N from 0 to " + std::to_string(count - 1) + ": " + text;
        },
        "N=V");
}

// A bar on stderr that is redrawn only when its text changes.
class ProgressBar {
public:
    ~ProgressBar() { finish(); }
    void show(const char* phase, int position, int count) {
        // Redraw at each whole percent only: the module loop reports every one of its steps.
        const int percent =
            count > 0 ? static_cast<int>(static_cast<long long>(position) * 100 / count) : 0;
        if (phase == phase_ && percent == percent_ && position != count)
            return;
        percent_ = percent;
        constexpr int kWidth = 30;
        const int filled =
            count > 0 ? static_cast<int>(static_cast<long long>(position) * kWidth / count) : 0;
        std::string text = Format(
            "\r%-12s [%s%s] %d/%d", phase,
            std::string(static_cast<std::size_t>(filled), '#').c_str(),
            std::string(static_cast<std::size_t>(kWidth - filled), ' ').c_str(), position, count);
        if (text == last_)
            return;
        if (phase != phase_)
            finish(); // each phase keeps its own line
        phase_ = phase;
        last_ = text;
        std::fputs(text.c_str(), stderr);
        std::fflush(stderr);
    }
    void finish() {
        if (last_.empty())
            return;
        std::fputc('\n', stderr);
        last_.clear();
    }

private:
    std::string last_;
    const char* phase_ = nullptr;
    int percent_ = -1;
};

int sortOrder(const std::string& name) {
    if (name == "name")
        return kSortName;
    if (name == "exec")
        return kSortExec;
    if (name == "path")
        return kSortPath;
    return kSortCode;
}

} // namespace

ReportFormat OutputOptions::Format(const Settings& settings) const {
    ReportFormat f = ReportFormatFrom(settings);
    if (csv || tsv)
        f.tabSeparated = tsv;
    if (fullPath)
        f.fileNamesOnly = false;
    return f;
}

TreeBuildSettings OutputOptions::TreeSettings(const Settings& settings) const {
    TreeBuildSettings t = TreeBuildSettingsFrom(settings);
    if (layer > 0)
        t.layerLimit = layer;
    if (boxes > 0)
        t.boxLimit = boxes;
    t.lowerOmit = t.lowerOmit || lowerOmit;
    if (!sort.empty())
        t.sortOrder = sortOrder(sort);
    return t;
}

void AddOutputOptions(CLI::App& cmd, CliContext& ctx, OutputOptions& o) {
    AddCommonOptions(cmd, ctx);
    CLI::Option* csv = cmd.add_flag(
        "--csv", o.csv,
        "Comma-separated fields in double quotes (default: the settings' \"ClipboardOut\")");
    cmd.add_flag("--tsv", o.tsv, "Tab-separated fields")->excludes(csv);
    cmd.add_flag("--full-path", o.fullPath, "Name files by full path instead of file name");
    cmd.add_flag("--crlf", o.crlf, "End lines with CR+LF as the clipboard texts do");
    cmd.add_option("-o,--output", o.outFile, "Write to this file instead of stdout");
    cmd.add_flag("--progress", o.progress, "Show progress on stderr");
    cmd.add_option("--sort", o.sort,
                   "Order of the callees under each caller (default: the settings, code)")
        ->check(CLI::IsMember({"code", "name", "exec", "path"}));
    cmd.add_flag("--lower-omit", o.lowerOmit,
                 "Expand a module with calls only where it first appears");
    cmd.add_option("--layer", o.layer,
                   "Greatest call depth of the trees (default: the settings, 32)")
        ->check(CLI::Range(1, INT_MAX));
    cmd.add_option("--boxes", o.boxes,
                   "Greatest number of rows of all trees (default: the settings, 10000000)")
        ->check(CLI::Range(1, INT_MAX));
    cmd.add_option("--root", o.root, "Build only the tree of this module");
    cmd.add_option("--opt", o.options, "Analysis option N set to V (repeatable)")
        ->check(settingValidator(kOptionCount));
    cmd.add_option("--count-opt", o.countOptions, "Count option N set to V (repeatable)")
        ->check(settingValidator(kCountOptionCount));
}

int PrepareReport(CliContext& ctx, const OutputOptions& o, TreeRowList& rows) {
    int index = 0, value = 0;
    for (const std::string& s : o.options)
        if (parseSetting(s, kOptionCount, index, value))
            ctx.optionOverrides.emplace_back(index, value);
    for (const std::string& s : o.countOptions)
        if (parseSetting(s, kCountOptionCount, index, value))
            ctx.countOptionOverrides.emplace_back(index, value);
    ctx.ApplyLanguage();

    auto bar = std::make_shared<ProgressBar>();
    if (o.progress) {
        ctx.inputProgress = [bar](int position, int count) {
            bar->show(tr("Reading"), position, count);
        };
        ctx.analysisProgress = [bar](const RunProgress& p, int count) {
            bar->show(tr("Analysing"), p.finishedFiles, count);
        };
    }
    ctx.RegisterInputs();
    ctx.Analyze();
    if (o.progress)
        bar->show(tr("Analysing"), ctx.engine.GetFileCount(), ctx.engine.GetFileCount());

    TreeBuilder builder(ctx.engine, rows);
    builder.SetSettings(o.TreeSettings(ctx.settings));
    TreeBuildHooks hooks;
    hooks.messages = &ctx.messages;
    if (o.progress)
        hooks.progress = [bar](int position, int count) {
            bar->show(tr("Linking"), position, count);
        };
    builder.SetHooks(hooks);
    // Names in the engine are in the internal code page; the command line is UTF-8.
    const bool found =
        builder.BuildTrees(Utf8ToInternal(o.root, ctx.engine.GetTextReadSettings().codePage));
    bar->finish();
    if (!found) {
        std::fprintf(stderr, "lumbra32-cli: %s\n",
                     Format(tr("No module is named %s."), o.root.c_str()).c_str());
        return kExitUsage;
    }
    return kExitOk;
}

int WriteReport(CliContext& ctx, const OutputOptions& o, const std::string& text) {
    std::string converted;
    const std::string* out = &text;
    if (!o.crlf) {
        converted.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i)
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
                converted += text[i];
        out = &converted;
    }
    std::FILE* f = o.outFile.empty() ? stdout : std::fopen(o.outFile.c_str(), "wb");
    bool ok = f != nullptr;
    if (f) {
        ok = std::fwrite(out->data(), 1, out->size(), f) == out->size();
        ok = (f == stdout ? std::fflush(f) : std::fclose(f)) == 0 && ok;
    }
    if (!ok) {
        std::fprintf(
            stderr, "lumbra32-cli: %s\n",
            Format(tr("Cannot write %s."), o.outFile.empty() ? "stdout" : o.outFile.c_str())
                .c_str());
        return kExitInputFailed;
    }
    return ctx.exitStatus;
}

void AddReportCommand(CLI::App& app, CliContext& ctx, int& status, const std::string& name,
                      const std::string& description, ReportWriter writer) {
    auto options = std::make_shared<OutputOptions>();
    CLI::App* cmd = app.add_subcommand(name, description);
    AddOutputOptions(*cmd, ctx, *options);
    cmd->callback([&ctx, &status, options, writer = std::move(writer)] {
        TreeRowList rows;
        status = PrepareReport(ctx, *options, rows);
        if (status == kExitOk)
            status = WriteReport(ctx, *options, writer(ctx, *options, rows));
    });
}

} // namespace lumbra::cli
