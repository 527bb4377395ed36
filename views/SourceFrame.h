// What the source pane shows and the figures of one page of it: the display options, the
// shown document, the column geometry, and the lines, shapes, texts and rows a painter draws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Records.h"

namespace lumbra {

class NFileAnly;
class SourceLines;
struct Settings;

// The characters of block levels and branch columns, by number.
inline constexpr char kSourceLevelChars[] =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
// Deeper levels and further branch columns are not drawn.
inline constexpr int kSourceMaxFigureColumns = 64;

// What the pane shows, from [TreeView] "ViewOpt" and [ModuleList] "Option".
struct SourceOptions {
    bool lineNumbers = true;   // item 12
    int digits = 6;            // item 13
    bool blockNumbers = false; // item 7
    bool figures = true;       // item 9
    bool horizon = true;       // item 11
    bool linkage = false;      // item 14
    bool flowchart = true;     // item 17 (excludes the other two)
    int folding = 2;           // item 16: 0 disabled, 1 heads start folded, 2 start expanded
    int contextLines = 8;      // "Display Start Offset": lines kept above the target
    bool moduleNumbers = true; // "Line column select": the current module's numbers marked
    bool editorEnabled = true; // "EditorOpen"

    bool Horizon() const { return figures && horizon && !flowchart; }
    bool Linkage() const { return figures && linkage && !flowchart; }
    bool Flowchart() const { return figures && flowchart; }
};
SourceOptions SourceOptionsFrom(const Settings& settings);

// The styles a picture may ask for.
enum class SourceStyle { None, Horizon, Linkage, Flowchart };
// Sets the "ViewOpt" items of one style (None: no block figures).
void ApplySourceStyle(Settings& settings, SourceStyle style);

// What the pane shows: one file with its line words and branches.
struct SourceDocument {
    std::string path;
    bool hasBlocks = true; // not an assembler file: block figures, call marks, folding
    std::vector<std::uint32_t> words;
    std::vector<BranchRecord> branches;
    int branchColumns = 0;
};

// Reads a registered file (or any file, then without line words) for the pane: its lines in
// the engine's reading settings, tabs expanded by its kind's tab width, its line words and
// branches. False when the file cannot be read.
bool LoadSourceDocument(const NFileAnly& engine, const Settings& settings, const std::string& path,
                        SourceDocument& document, SourceLines& lines);

// Pens of the figures.
enum class FigurePen : std::uint8_t { Solid, Dotted, Dashed };

struct FigureLine {
    int x1, y1, x2, y2;
    FigurePen pen = FigurePen::Solid;
    bool highlight = false;
};

// A closed shape: a polygon (diamonds, six-point loop symbols, arrowheads), an ellipse or a
// rounded box in `rect` (x, y, w, h), or a quarter arc.
struct FigureShape {
    enum Kind : std::uint8_t { Polygon, Ellipse, RoundBox, Box, DoubleBox, Arc } kind = Polygon;
    std::vector<int> points; // x0, y0, x1, y1, ... for polygons
    int x = 0, y = 0, w = 0, h = 0;
    int startAngle = 0, spanAngle = 0; // degrees, counter-clockwise from 3 o'clock (arcs)
    bool filled = false;               // filled with the pen colour, else with the background
    bool highlight = false;
};

// A small text of the figure area (off-window branch markers).
struct FigureText {
    int x, y; // centre of the character cell's top
    std::string text;
    bool highlight = false;
};

// Text colours by line word.
enum class SourceInk : std::uint8_t { Normal, Inactive, Definition, Comment, Directive, Call };
SourceInk InkOf(std::uint32_t word);

struct SourceRowFrame {
    int y = 0;
    int line = 0;            // first line of the row, 0-based
    std::string number;      // "%6d " or ""
    bool moduleLine = false; // the number on the selection colour
    bool target = false;     // the target line's mark
    std::string blockNumber; // " %c " or "   " (empty when off)
    std::string text;        // the visible columns, UTF-8
    int textX = 0;           // where `text` starts
    SourceInk ink = SourceInk::Normal;
    bool selected = false;
    int selectionX1 = 0, selectionX2 = 0; // selected part of the row
    bool folded = false;                  // "   ..." and a fold mark follow the text
    int foldTextX = 0;
    int foldMarkX = 0; // centre of the mark
};

struct SourceGeometry {
    int charWidth = 8;
    int rowHeight = 15;
    int clientWidth = 0;
    int clientHeight = 0;
    int rowsPerPage = 1;
    int columnsPerPage = 1;
    int separator1 = -1;  // x of the line-number separator, -1 for none
    int separator2 = -1;  // x of the block-number separator, -1 for none
    int blockNumberX = 0; // centre of the block number
    int figureX = 0;      // the figure area's left edge
    int figurePitch = 8;  // width of one figure column
    int figureColumns = 0;
    int textX = 0;
    int foldMarkSize = 9;
};

// The figures of one page.
struct SourceFrame {
    SourceGeometry geometry;
    std::vector<SourceRowFrame> rows;
    std::vector<FigureLine> lines;
    std::vector<FigureShape> shapes;
    std::vector<FigureText> texts;
    int lineCount = 0;
};

} // namespace lumbra
