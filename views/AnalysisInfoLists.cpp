// Rows of the analysis-information lists.
#include "AnalysisInfoLists.h"

#include "AnalysisReports.h"
#include "CodePage.h"
#include "Lang.h"
#include "ReportText.h"
#include "TextInput.h"

namespace lumbra {
namespace {

std::string number(long value) {
    return Format("%ld", value);
}

// Paths are file-system bytes: only made valid UTF-8 for display.
std::string pathText(const std::string& path) {
    std::string s = path;
    SanitizeUtf8(s);
    return s;
}

} // namespace

std::array<InfoColumn, kFileColumnCount> FileListColumns(bool japanese) {
    return {{{"No", 0, false},
             {"File name", 1, false},
             {"Last Update", 10, !japanese},
             {"Size", 11, japanese},
             {"Total", 2, true},
             {"Define", 3, true},
             {"Exec", 4, true},
             {"Comment", 5, true},
             {"Space", 6, true},
             {"Other", 7, true},
             {"Path numb", 8, true},
             {"Path ratio", 9, true}}};
}

std::array<InfoColumn, kModuleColumnCount> ModuleListColumns() {
    return {{{"No", 0, false},
             {"Name", 1, false},
             {"Function", 2, false},
             {"Exec", 3, true},
             {"Upper", 4, true},
             {"Lower", 5, true},
             {"Path numb", 6, true},
             {"Path ratio", 7, true},
             {"Exec(Inc.)", 8, true},
             {"Path numb(inc.)", 9, true}}};
}

InfoTable BuildFileList(const NFileAnly& engine, bool fileNamesOnly, bool japanese) {
    InfoTable table(kFileColumnCount);
    FileInfo info;
    for (int i = 0; i < engine.GetFileCount(); ++i) {
        if (!engine.GetFileInfo(i, info))
            continue;
        const long total = info.define + info.exec + info.comment + info.space + info.other;
        table.addRow({number(i + 1), pathText(fileNamesOnly ? info.name : info.path),
                      FileDateText(info.timeStamp, japanese), FormatFileSize(info.size),
                      number(total), number(info.define), number(info.exec), number(info.comment),
                      number(info.space), number(info.other), number(info.pathNumb),
                      number(PathRatio(info.pathNumb, info.exec))});
    }
    const FileTotals t = SumFiles(engine);
    const std::string rule = "==================";
    table.addRow({tr("Total"), rule, rule, FormatFileSize(t.size), number(t.total),
                  number(t.define), number(t.exec), number(t.comment), number(t.space),
                  number(t.other), number(t.pathNumb), number(PathRatio(t.pathNumb, t.exec))});
    return table;
}

InfoTable BuildModuleList(const NFileAnly& engine) {
    InfoTable table(kModuleColumnCount);
    const bool analysed = engine.GetState() == kStateAnalysed;
    const int codePage = engine.GetTextReadSettings().codePage;
    for (int id = 1; id <= engine.GetModuleCount(); ++id) {
        const ModuleRecord* m = engine.GetModule(id);
        if (!m)
            continue;
        std::string name = InternalToUtf8(m->name, codePage);
        if (!analysed) {
            table.addRow({number(id), std::move(name), tr("Not Analyze")});
            continue;
        }
        table.addRow({number(id), std::move(name),
                      m->hasFunctionText ? InternalToUtf8(m->functionText, codePage) : "",
                      number(m->exec), number(m->upperCount()), number(m->lowerCount()),
                      number(m->pathNumb), number(PathRatio(m->pathNumb, m->exec)),
                      number(m->execInc), number(m->pathInc)});
    }
    return table;
}

} // namespace lumbra
