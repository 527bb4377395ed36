// lumbra32-cli json: files and modules with their counts and calls as one JSON document, for
// tools and dashboards.
#include <nlohmann/json.hpp>

#include "CodePage.h"
#include "Commands.h"
#include "Lang.h"
#include "OutputOptions.h"

namespace lumbra::cli {
namespace {

using nlohmann::json;

std::string pathText(const std::string& path) {
    std::string s = path;
    SanitizeUtf8(s);
    return s;
}

std::string isoTime(const FileTime& t) {
    return Format("%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
}

std::string dump(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

// The document is written one element at a time: a whole tree of JSON values for every module
// of a large code base would take many times the memory of its text.
void appendFiles(const NFileAnly& engine, std::string& out) {
    FileInfo f;
    for (int i = 0; i < engine.GetFileCount(); ++i) {
        if (!engine.GetFileInfo(i, f))
            continue;
        if (out.back() != '[')
            out += ',';
        out += dump({{"index", f.index},
                     {"path", pathText(f.path)},
                     {"name", pathText(f.name)},
                     {"kind", f.kind},
                     {"encoding", f.encoding},
                     {"lineEnd", f.lineEnd},
                     {"lines", f.lineCount},
                     {"size", f.size},
                     {"modified", isoTime(f.timeStamp)},
                     {"define", f.define},
                     {"exec", f.exec},
                     {"comment", f.comment},
                     {"space", f.space},
                     {"other", f.other},
                     {"pathNumb", f.pathNumb}});
    }
}

void appendModules(const NFileAnly& engine, std::string& out) {
    const int codePage = engine.GetTextReadSettings().codePage;
    for (int id = 1; id <= engine.GetModuleCount(); ++id) {
        const ModuleRecord* m = engine.GetModule(id);
        if (!m)
            continue;
        json lower = json::array();
        for (const CallRecord& c : m->calls)
            lower.push_back({{"name", InternalToUtf8(c.name, codePage)},
                             {"target", c.targetId},
                             {"line", c.targetLine}});
        if (out.back() != '[')
            out += ',';
        out +=
            dump({{"id", m->id},
                  {"name", InternalToUtf8(m->name, codePage)},
                  {"file", m->fileIndex},
                  {"line", m->line},
                  {"container", m->containerKind},
                  {"recursive", m->recursive},
                  {"define", m->define},
                  {"exec", m->exec},
                  {"comment", m->comment},
                  {"space", m->space},
                  {"other", m->other},
                  {"pathNumb", m->pathNumb},
                  {"execInc", m->execInc},
                  {"pathInc", m->pathInc},
                  {"function", m->hasFunctionText ? InternalToUtf8(m->functionText, codePage) : ""},
                  {"upper", m->callers},
                  {"lower", std::move(lower)}});
    }
}

} // namespace

void AddJsonCommand(CLI::App& app, CliContext& ctx, int& status) {
    AddReportCommand(app, ctx, status, "json",
                     "Write the files and modules with their counts and calls as JSON",
                     [](CliContext& c, const OutputOptions&, TreeRowList&) {
                         std::string out = "{\"files\":[";
                         appendFiles(c.engine, out);
                         out += "],\"modules\":[";
                         appendModules(c.engine, out);
                         return out + "]}\n";
                     });
}

} // namespace lumbra::cli
