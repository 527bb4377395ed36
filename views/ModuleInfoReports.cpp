// Module-list and search outputs.
#include "ModuleInfoReports.h"

#include <algorithm>
#include <cstdio>

#include "CodePage.h"
#include "DisplayWidth.h"
#include "Lang.h"

namespace lumbra {

std::string ModuleListText(const ModuleListContent& c, const ReportFormat& format) {
    const bool tabs = format.tabSeparated;
    const std::size_t lines = std::max(c.upper.size(), c.lower.size());
    std::string out;
    out.reserve((lines + c.definitions.size() + 6) * 256);
    out += kReportHeader;
    out += c.crossReference ? "\r\n[" + c.title + "]\r\n" : "\r\n" + c.title + "\r\n";

    out += "\r\n";
    ReportLine line(out, tabs);
    line.field(PadToWidth(tr("Module"), 6))
        .field(PadToWidth(tr("Upper"), 10))
        .field(PadToWidth(tr("Lower"), 10))
        .end();
    line.field("------").field("----------").field("----------").end();
    for (std::size_t j = 0; j < lines; ++j) {
        line.field(j == 0 && !c.hierarchy.empty() ? c.hierarchy.back() : "");
        line.field(j < c.upper.size() ? c.upper[j] : "");
        line.field(j < c.lower.size() ? c.lower[j] : "");
        line.end();
    }

    if (!c.crossReference && !c.definitions.empty()) {
        out += "\r\n";
        line.field(tr("Define")).field(PadToWidth(tr("value"), 6)).end();
        line.field("------").field("------").end();
        for (const std::string& entry : c.definitions) {
            // "name = value": the name is what precedes the blank before "=".
            std::string_view text = entry;
            const std::size_t eq = text.find('=');
            if (eq == std::string_view::npos)
                continue;
            std::string_view name = text.substr(0, eq);
            if (!name.empty() && name.back() == ' ')
                name.remove_suffix(1);
            std::string_view value = text.substr(eq + 1);
            if (!value.empty() && value.front() == ' ')
                value.remove_prefix(1);
            line.field(name).field(value).end();
        }
    }
    return out;
}

std::string SearchResultText(const std::vector<std::string>& results, const NFileAnly& engine,
                             const ReportFormat& format) {
    std::string out;
    out.reserve(results.size() * 128 + 32);
    out += kReportHeader;
    out += "\r\n";
    for (const std::string& result : results) {
        int fileNumber = 0;
        int lineNumber = 0;
        if (std::sscanf(result.c_str(), "%d, %d", &fileNumber, &lineNumber) != 2)
            continue;
        if (fileNumber < 1 || fileNumber > engine.GetFileCount())
            continue;
        const char* file = format.fileNamesOnly ? engine.GetFileName(fileNumber - 1)
                                                : engine.GetFilePath(fileNumber - 1);
        if (!file)
            continue;
        std::string name = file;
        SanitizeUtf8(name);
        const std::size_t colon = result.find(':');
        const std::string rest = colon == std::string::npos ? ": " : result.substr(colon);
        out += name + Format("(%d)", lineNumber) + rest + "\r\n";
    }
    return out;
}

} // namespace lumbra
