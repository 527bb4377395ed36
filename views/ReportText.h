// What every clipboard report shares: the header, the comma- or tab-separated field form, and
// the derived values (path ratio, date text).
#pragma once

#include <string>
#include <string_view>

#include "Records.h"
#include "Settings.h"

namespace lumbra {

// The output settings: [ModuleList] "ClipboardOut" and "ClipboardPathName".
struct ReportFormat {
    bool tabSeparated = true;  // "ClipboardOut" != 0; else every field quoted and comma-separated
    bool fileNamesOnly = true; // "ClipboardPathName" != 0; else files are named by full path
};

ReportFormat ReportFormatFrom(const Settings& settings);

// First line of every report.
inline constexpr const char* kReportHeader = "Lumbrascope for WIN32\r\n";

// Path number x 100 / executable lines, rounded half up; 0 without executable lines.
int PathRatio(long pathNumb, long exec);

// Last-write time: month/day/year in English, year/month/day in Japanese.
std::string FileDateText(const FileTime& time, bool japanese);

// Appends the fields of one report line to a text.
class ReportLine {
public:
    ReportLine(std::string& out, bool tabSeparated) : out_(out), tabs_(tabSeparated) {}

    // A text field: quoted in the comma form (a quote inside is doubled); tabs and line breaks
    // become blanks so that a field never splits a line or a column.
    ReportLine& field(std::string_view text);
    // A field written as it is (the bare empty fields of the comma form's totals line).
    ReportLine& bare(std::string_view text);
    // Ends the line with "\r\n".
    void end();

private:
    void separate();

    std::string& out_;
    bool tabs_;
    bool first_ = true;
};

} // namespace lumbra
