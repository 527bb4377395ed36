// The calling tree as indented text ("Structural Drawing Text Output"): one line per row with
// level prefixes, connectors, the name, the omitted mark, the module number and the function
// text.
#pragma once

#include <string>

#include "NFileAnly.h"
#include "Settings.h"
#include "TreeRowList.h"

namespace lumbra {

// What the text shows: [TreeView] "ViewOpt" items 0, 1 and 6.
struct StructureTextOptions {
    bool moduleNumbers = false; // item 0 "View Module No.": "(%4d) " of the module id
    bool functionText = false;  // item 1 "View Module Function": the second-line text
    bool shortenNames = true;   // item 6 "Except namespace or class name"
};

StructureTextOptions StructureTextOptionsFrom(const Settings& settings);

// Column the name part is filled to before the module number.
inline constexpr int kStructureTextColumn = 50;

// Every row, folded ones included, in list order; UTF-8, lines ended by "\r\n". The Japanese
// interface draws the lines with box-drawing characters. Renumbers the rows.
std::string StructureText(TreeRowList& rows, const NFileAnly& engine,
                          const StructureTextOptions& options);

} // namespace lumbra
