// "Analyze Out", "Calling Out" and the file totals.
#include "AnalysisReports.h"

#include <algorithm>

#include "CodePage.h"
#include "DisplayWidth.h"
#include "Lang.h"
#include "TextInput.h"

namespace lumbra {
namespace {

// Paths are file-system bytes, not text of the internal code page: only made valid UTF-8.
std::string pathText(const char* path) {
    std::string s = path ? path : "";
    SanitizeUtf8(s);
    return s;
}

std::string fileLabel(const NFileAnly& engine, int index, const ReportFormat& format) {
    return pathText(format.fileNamesOnly ? engine.GetFileName(index) : engine.GetFilePath(index));
}

void headerLine(std::string& out, bool tabs, std::initializer_list<const char*> labels) {
    ReportLine line(out, tabs);
    for (const char* label : labels)
        line.field(tr(label));
    line.end();
}

// The column heads of the upper/lower listings: a word padded to the width of its dashes.
void listHeader(std::string& out, bool tabs, const char* first, int firstWidth) {
    out += "\r\n";
    ReportLine line(out, tabs);
    line.field(PadToWidth(tr(first), firstWidth))
        .field(PadToWidth(tr("Upper"), 10))
        .field(PadToWidth(tr("Lower"), 10))
        .end();
    line.field(std::string(static_cast<std::size_t>(firstWidth), '-'))
        .field("----------")
        .field("----------")
        .end();
}

// The line counts, path number and path ratio that file lines and the totals line share.
void countFields(ReportLine& line, long total, long define, long exec, long comment, long space,
                 long other, long pathNumb, long ratio) {
    for (long value : {total, define, exec, comment, space, other, pathNumb, ratio})
        line.field(Format("%7ld", value));
    line.end();
}

} // namespace

FileTotals SumFiles(const NFileAnly& engine) {
    FileTotals t;
    FileInfo info;
    for (int i = 0; i < engine.GetFileCount(); ++i) {
        if (!engine.GetFileInfo(i, info))
            continue;
        t.size += info.size;
        t.total += info.define + info.exec + info.comment + info.space + info.other;
        t.define += info.define;
        t.exec += info.exec;
        t.comment += info.comment;
        t.space += info.space;
        t.other += info.other;
        t.pathNumb += info.pathNumb;
    }
    return t;
}

std::string AnalyzeOutText(const NFileAnly& engine, const ReportFormat& format) {
    const bool tabs = format.tabSeparated;
    const bool japanese = IsJapaneseUi();
    const int codePage = engine.GetTextReadSettings().codePage;
    std::string out;
    out.reserve(static_cast<std::size_t>(engine.GetFileCount() + engine.GetModuleCount() + 6) *
                256);
    out += kReportHeader;

    out += "\r\n";
    ReportLine(out, tabs).field(tr(tabs ? "[File Information]" : "[file infomation]")).end();
    headerLine(out, tabs,
               {"No.", "File Name", "LastUpdate", "Size", "Total", "Define", "Exec", "Comment",
                "Space", "Other", "Path numb", "Path ratio"});
    FileInfo info;
    for (int i = 0; i < engine.GetFileCount(); ++i) {
        if (!engine.GetFileInfo(i, info))
            continue;
        const long total = info.define + info.exec + info.comment + info.space + info.other;
        ReportLine line(out, tabs);
        line.field(Format("%d", i + 1))
            .field(fileLabel(engine, i, format))
            .field(FileDateText(info.timeStamp, japanese))
            .field(FormatFileSize(info.size));
        countFields(line, total, info.define, info.exec, info.comment, info.space, info.other,
                    info.pathNumb, PathRatio(info.pathNumb, info.exec));
    }
    const FileTotals t = SumFiles(engine);
    ReportLine totals(out, tabs);
    totals.field(tr("Total Lines : ")).field(Format("%-26s", ""));
    if (!tabs)
        totals.bare("").bare(""); // the date and size columns stay empty
    // The comma form has always truncated the totals' ratio; the tab form rounds it.
    const long ratio =
        tabs ? PathRatio(t.pathNumb, t.exec) : (t.exec == 0 ? 0 : t.pathNumb * 100 / t.exec);
    countFields(totals, t.total, t.define, t.exec, t.comment, t.space, t.other, t.pathNumb, ratio);

    out += "\r\n";
    ReportLine(out, tabs).field(tr("[Module Information]")).end();
    headerLine(out, tabs,
               {"No.", "File Name", tabs ? "Lines" : "Line", "Name", "Function", "Exec", "Upper",
                "Lower", "Path numb", "Path ratio", "Exec(Inc.)", "Path(Inc.)"});
    for (int id = 1; id <= engine.GetModuleCount(); ++id) {
        const ModuleRecord* m = engine.GetModule(id);
        if (!m)
            continue;
        ReportLine(out, tabs)
            .field(Format("%d", id))
            .field(fileLabel(engine, m->fileIndex, format))
            .field(Format("%d", m->line))
            .field(InternalToUtf8(m->name, codePage))
            .field(m->hasFunctionText ? InternalToUtf8(m->functionText, codePage) : "")
            .field(Format("%d", m->exec))
            .field(Format("%d", m->upperCount()))
            .field(Format("%d", m->lowerCount()))
            .field(Format("%d", m->pathNumb))
            .field(Format("%d", PathRatio(m->pathNumb, m->exec)))
            .field(Format("%d", m->execInc))
            .field(Format("%d", m->pathInc))
            .end();
    }
    return out;
}

std::string CallingOutText(const NFileAnly& engine, const ReportFormat& format) {
    const bool tabs = format.tabSeparated;
    const int codePage = engine.GetTextReadSettings().codePage;
    std::string out;
    out.reserve(static_cast<std::size_t>(engine.GetModuleCount() + 6) * 256);
    out += kReportHeader;
    listHeader(out, tabs, "Name", 6);
    for (int id = 1; id <= engine.GetModuleCount(); ++id) {
        const ModuleRecord* m = engine.GetModule(id);
        if (!m)
            continue;
        const int upper = m->upperCount();
        const int lower = m->lowerCount();
        const int lines = std::max(upper, lower);
        for (int j = 0; j < lines; ++j) {
            ReportLine line(out, tabs);
            line.field(j == 0 ? InternalToUtf8(m->name, codePage) : "");
            const char* caller = j < upper ? engine.GetModuleName(m->callers[j]) : nullptr;
            line.field(caller ? InternalToUtf8(caller, codePage) : "");
            line.field(j < lower ? InternalToUtf8(m->calls[j].name, codePage) : "");
            line.end();
        }
    }
    return out;
}

std::string FileTotalsText(const NFileAnly& engine) {
    const FileTotals t = SumFiles(engine);
    return Format(tr("Tatal : %-30s  %7ld  %7ld  %7ld  %7ld  %7ld  %7ld  %7ld\t%7ld"), "", t.total,
                  t.define, t.exec, t.comment, t.space, t.other, t.pathNumb,
                  static_cast<long>(PathRatio(t.pathNumb, t.exec)));
}

} // namespace lumbra
