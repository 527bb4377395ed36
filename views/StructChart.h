// The structure chart without a widget: the pane's scroll state, the figures of the visible
// rows (boxes, dotted connectors, fold marks, names, omitted marks, distribution bars), hit
// tests, selection by click, movement, folding, scrolling and the context menu's entries. The
// pane widget only paints the figures and forwards events here.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "ChartLayout.h"

namespace lumbra {

class AppCore;
struct Settings;

// What the chart shows, from [TreeView] "ViewOpt".
struct ChartOptions {
    bool moduleNumbers = false;   // item 0
    bool twoLineBoxes = false;    // item 1
    bool selectAll = false;       // item 4 ("All" selection)
    bool dottedUndefined = false; // item 5: frames of modules without a start line
    bool shortenNames = true;     // item 6
    bool folding = true;          // item 8 not "Disable"
    bool noBoxFrame = false;      // item 19
    int distribution = 0;         // item 20: 0 none, 1 Exec, 2 Exec[%], 3 Path, 4 Path[%]
    bool japaneseUi = false;      // the omitted mark
};
ChartOptions ChartOptionsFrom(const Settings& settings);

// Pens of the chart's lines and frames.
enum class ChartPen {
    Tree,              // normal lines and frames
    Highlight,         // lines and frames that join the current row to its lower rows
    External,          // frames of modules without a start line (dotted frames on)
    ExternalHighlight, // the same at the highlighted level
};

struct ChartLine {
    int x1, y1, x2, y2;
    ChartPen pen;
};

// One visible box with everything the painter needs.
struct ChartBox {
    std::size_t index = 0; // row index in the list
    int x = 0, y = 0;      // top left of the box
    bool rounded = false;  // roots and containers: rounded with inner side lines
    bool frame = true;
    ChartPen framePen = ChartPen::Tree;
    bool selected = false;
    bool external = false;   // no start line: the external text colour
    std::string number;      // "%5d" of the module id, "" without numbers
    std::string name;        // UTF-8, shortened when asked
    std::string secondLine;  // UTF-8 function text of two-line boxes
    std::string omittedMark; // "" or the mark drawn right of the box
    int foldState = 0;       // 1 folded, 2 expanded: a fold mark at (markX, markY)
    int markX = 0, markY = 0;
    // Distribution column (distribution mode not 0).
    bool bar = false;
    int barX = 0, barWidth = 0;
    std::string label;
};

// The figures of one page.
struct ChartFrame {
    ChartLayout layout;
    ChartOptions options;
    std::vector<ChartLine> lines;
    std::vector<ChartBox> boxes;
    int displayRows = 0;
};

// Movements of the current row.
enum class ChartMove {
    Upper,     // the caller
    SameUpper, // the sibling above
    SameLower, // the sibling below
};

// An entry of the pane's context menu (id 0: a separator).
struct ChartMenuEntry {
    int id = 0;
    std::string caption; // English, for the string table
    bool checked = false;
};

class StructChart {
public:
    static constexpr int kFoldMarkSize = 9;

    explicit StructChart(AppCore& core);

    // --- layout and scrolling ----------------------------------------------------------------
    // The measured tree font and the client size; recomputes the layout.
    void SetGeometry(int fontHeight, int charWidth, int clientWidth, int clientHeight);
    const ChartLayout& Layout() const { return layout_; }
    // A chart that prints: the "Print" metrics and the printed box width.
    void SetPrintMode(bool print) { print_ = print; }
    bool PrintMode() const { return print_; }
    ChartOptions Options() const;
    int TopRow() const { return topRow_; }
    int LeftLevel() const { return leftLevel_; }
    // Display rows after the last numbering (folded rows hide their lower rows).
    int DisplayRows() const { return displayRows_; }
    void SetTopRow(int row);
    void SetLeftLevel(int level);
    // Up/Down (one row) and Page Up/Page Down (rows per page - 1), clamped.
    void ScrollRows(int delta);
    void ScrollPages(int pages);
    // The wheel repeats Up or Down as many times as the desktop's wheel-scroll lines say (at
    // most rows per page); steps > 0 scroll down.
    void Wheel(int steps, int wheelLines);
    // Rebuild and show: the rows changed; back to row 0, level 0.
    void Reset();
    // Clear: row 0, level 0, nothing shown.
    void Clear();
    // Numbers the rows (one pass) and returns the number of display rows.
    int Renumber();
    // "%d / %d": the top row + 1 (at most the number of rows) and the number of display rows.
    std::string PositionText() const;

    // --- drawing -------------------------------------------------------------------------------
    // One numbering pass over all rows and the figures of the visible ones. Empty while the
    // program is busy (the engine belongs to a worker).
    ChartFrame Frame();
    // The figures of `count` consecutive pages, the first starting at display row `firstRow`,
    // from one numbering pass: each page is handed to `page` as soon as it is complete (their
    // displayRows stay 0). Printing uses it, so that a long chart is not numbered once per page.
    // Nothing is handed out while the program is busy.
    void Frames(int firstRow, int count, const std::function<void(ChartFrame&&)>& page);

    // --- mouse ---------------------------------------------------------------------------------
    // The row whose box is at the point, or -1.
    int HitTest(int x, int y) const;
    // The row whose fold mark is at the point, or -1.
    int HitFoldMark(int x, int y) const;
    // A left click on a box (its row index): selection in Single or All mode; clicking the
    // current row again folds or expands it. False when nothing was hit.
    bool Click(int x, int y);
    // Folds or expands one row (state 1 <-> 2) and tells the engine.
    void ToggleFold(std::size_t index);
    // True when a click at x opens the distribution menu (right of the column's left area).
    bool InDistributionZone(int x) const;
    // The context menu at x: the distribution entries, or the pane's commands.
    std::vector<ChartMenuEntry> ContextMenu(int x, bool editorEnabled) const;

    // --- commands ------------------------------------------------------------------------------
    // Moves the current row. False when refused ("All" mode reports it) or nothing moved.
    bool Move(ChartMove move);
    // "Folding" / "Expand": every non-root row with a fold mark; shown from row 0.
    bool FoldAll(int state);
    // "Lower Folding" / "Lower Expand": the current row's subtree (in "All" mode the subtrees
    // of every row of its module); shown from row 0.
    bool FoldLower(int state);
    bool CanFold() const;
    // Makes a row current and selected as a click would (without the fold toggle), unfolds
    // its callers and scrolls it into view.
    void SelectRow(std::size_t index);
    // "Structural Drawing Text Output": the text for the clipboard (UTF-8, "\r\n" lines).
    std::string Text();

private:
    bool idle() const;
    void makeCurrent(std::size_t index);
    void scrollIntoView(std::size_t index);
    int boxLeft(int level) const;
    int displayRowAt(int y) const;
    std::size_t firstRowOfDisplayRow(int displayRow) const;
    void setFold(std::size_t index, int state);

    AppCore& core_;
    ChartLayout layout_;
    int fontHeight_ = 15;
    int charWidth_ = 8;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int topRow_ = 0;
    int leftLevel_ = 0;
    int displayRows_ = 0;
    bool print_ = false;
};

} // namespace lumbra
