// Shared pieces of the clipboard reports.
#include "ReportText.h"

#include "Lang.h"

namespace lumbra {

ReportFormat ReportFormatFrom(const Settings& s) {
    return {s.clipboardOut != 0, s.clipboardPathName != 0};
}

int PathRatio(long pathNumb, long exec) {
    if (exec == 0)
        return 0;
    return static_cast<int>(static_cast<double>(pathNumb) * 100.0 / static_cast<double>(exec) +
                            0.5);
}

std::string FileDateText(const FileTime& t, bool japanese) {
    if (japanese)
        return Format("%04d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                      t.second);
    return Format("%02d/%02d/%04d %02d:%02d:%02d", t.month, t.day, t.year, t.hour, t.minute,
                  t.second);
}

void ReportLine::separate() {
    if (!first_)
        out_ += tabs_ ? '\t' : ',';
    first_ = false;
}

ReportLine& ReportLine::field(std::string_view text) {
    separate();
    if (!tabs_)
        out_ += '"';
    for (char c : text) {
        if (c == '\t' || c == '\r' || c == '\n')
            out_ += ' ';
        else if (c == '"' && !tabs_)
            out_ += "\"\"";
        else
            out_ += c;
    }
    if (!tabs_)
        out_ += '"';
    return *this;
}

ReportLine& ReportLine::bare(std::string_view text) {
    separate();
    out_ += text;
    return *this;
}

void ReportLine::end() {
    out_ += "\r\n";
    first_ = true;
}

} // namespace lumbra
