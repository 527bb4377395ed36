// The two lists of the "Analyze Information" window as data: their columns (captions, width
// settings, alignment) and their rows filled from the engine, the file list ending with the
// "Total" row.
#pragma once

#include <array>
#include <string>

#include "InfoTable.h"
#include "NFileAnly.h"

namespace lumbra {

struct InfoColumn {
    const char* caption; // English; shown through tr()
    int widthIndex;      // position in "ColumnFile" or "ColumnFunc"
    bool rightAligned;
};

inline constexpr int kFileColumnCount = 12;
inline constexpr int kModuleColumnCount = 10;

// Left to right. "Last Update" and "Size" swap their alignment in the Japanese interface.
std::array<InfoColumn, kFileColumnCount> FileListColumns(bool japanese);
std::array<InfoColumn, kModuleColumnCount> ModuleListColumns();

// One row per file (number from 1, name or full path, date, size and line counts), then the
// "Total" row. fileNamesOnly: "ClipboardPathName".
InfoTable BuildFileList(const NFileAnly& engine, bool fileNamesOnly, bool japanese);

// One row per module id. Until the analysis has run the function column reads "Not Analyze"
// and the numbers are empty.
InfoTable BuildModuleList(const NFileAnly& engine);

} // namespace lumbra
