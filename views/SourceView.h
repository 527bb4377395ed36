// The source pane without a widget: the shown file's line table, its blocks and branches, the
// column geometry, scrolling, the figures of the visible rows (line and block numbers, block
// figures in each style, the branch chart, text, selection, fold marks), the mouse, the
// folding commands, the copy text and the context menu's entries. The pane widget only paints
// the frame and forwards events here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Records.h"
#include "SourceBlocks.h"
#include "SourceLines.h"
#include "SourceSelection.h"

namespace lumbra {

class NFileAnly;
struct Settings;

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

// An entry of the pane's context menu (id 0: a separator).
struct SourceMenuEntry {
    int id = 0;
    std::string caption; // English, for the string table
    bool checked = false;
};

class SourceView {
public:
    // Deeper levels and further branch columns are not drawn.
    static constexpr int kMaxFigureColumns = 64;
    static constexpr char kLevelChars[] =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

    // --- the file ----------------------------------------------------------------------------
    // Shows a document whose lines were loaded into `lines` (the table is taken over).
    void Show(SourceDocument document, SourceLines lines);
    void Clear();
    bool Empty() const { return lines_.Empty(); }
    const std::string& Path() const { return doc_.path; }
    const SourceLines& Lines() const { return lines_; }
    const SourceBlocks& Blocks() const { return blocks_; }
    const SourceDocument& Document() const { return doc_; }
    // The target line (1-based) that the folding commands return to, and the current module's
    // lines [first, last] (1-based; 0 for none) whose numbers are marked.
    void SetTarget(int line, int moduleFirst, int moduleLast);
    int TargetLine() const { return targetLine_; }
    // Scrolls so that the target line minus the context lines is the first line shown.
    void ShowTargetPosition();

    // --- options and geometry ----------------------------------------------------------------
    void SetOptions(const SourceOptions& options);
    const SourceOptions& Options() const { return options_; }
    void SetGeometry(int rowHeight, int charWidth, int clientWidth, int clientHeight);
    const SourceGeometry& Geometry() const { return geometry_; }

    // --- scrolling ---------------------------------------------------------------------------
    int TopRow() const { return topRow_; }
    int LeftColumn() const { return leftColumn_; }
    int MaxTopRow() const;
    // The horizontal range in characters (at least 50).
    int ColumnRange() const;
    void SetTopRow(int row);
    void SetLeftColumn(int column);
    // Shows the row of a line (0-based) at the top.
    void ScrollToLine(int line);
    void ScrollRows(int delta);
    void ScrollPages(int pages);
    void ScrollColumns(int delta);
    // "%d / %d": the first line of the top row + 1 (at most the line count) and the count.
    std::string PositionText() const;

    // --- drawing -------------------------------------------------------------------------------
    SourceFrame Frame() const;

    // --- mouse ---------------------------------------------------------------------------------
    // The line shown at y (0-based), -1 below the last row.
    int LineAt(int y) const;
    // The text column at x (0 left of the text).
    int ColumnAt(int x) const;
    // Left button down, moves and up. A press and release at the same place on the figure
    // area chooses a block (or a branch column) to highlight; on a fold mark it unfolds.
    void Press(int x, int y);
    void Drag(int x, int y);
    void Release(int x, int y);
    const SourceSelection& Selection() const { return selection_; }
    bool HasSelection() const { return selection_.active; }
    void SelectAll();
    // The copy text of the selection (UTF-8), "" without one.
    std::string CopyText() const;
    // The highlighted block (index into Blocks()), -1 for none; the chosen branch column.
    int HighlightedBlock() const { return highlightBlock_; }
    int HighlightedBranchColumn() const { return branchColumn_; }

    // --- folding -------------------------------------------------------------------------------
    bool CanFold() const;
    void FoldAll();
    void ExpandAll();
    // The line the last context menu remembered (a head line), -1 for none.
    int MenuLine() const { return menuLine_; }
    bool CanFoldLower() const;
    void FoldLower();
    void ExpandLower();
    // The folding setting changed: heads fold (mode 1) or open (otherwise) again.
    void Refold();

    // --- context menu --------------------------------------------------------------------------
    // The entries at y; remembers the clicked line for "Lower Folding"/"Lower Expand".
    std::vector<SourceMenuEntry> ContextMenu(int y);

private:
    void layout();
    void clampScroll();
    void afterFolding(bool scrollToTarget);
    int figureColumnX(int column) const; // centre of a figure column
    int branchColumnX(int column) const;
    int rowEndLevel(int row) const;
    void blockFigures(SourceFrame& frame, int row, int y) const;
    void branchChart(SourceFrame& frame) const;
    bool highlighted(int level, int line) const;

    SourceDocument doc_;
    SourceLines lines_;
    SourceBlocks blocks_;
    SourceOptions options_;
    SourceGeometry geometry_;
    int topRow_ = 0;
    int leftColumn_ = 0;
    int targetLine_ = 1;
    int moduleFirst_ = 0, moduleLast_ = 0;
    SourceSelection selection_;
    bool pressed_ = false;
    int pressX_ = 0, pressY_ = 0;
    bool dragged_ = false;
    bool pressInText_ = false;
    int highlightBlock_ = -1;
    int branchColumn_ = -1;
    int branchLine_ = -1;
    int menuLine_ = -1;
};

} // namespace lumbra
