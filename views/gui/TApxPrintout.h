// One printout of the structure chart or of the source: lays its pages out for a page size,
// paints a page, prints a page range onto a printer (scaled from screen to printer resolution,
// so that the page looks as the pane does) and renders pages for the preview.
#pragma once

#include <QFont>
#include <QImage>
#include <QPicture>
#include <QSizeF>
#include <QString>
#include <optional>

#include "PrintLayout.h"
#include "SourceView.h"
#include "StructChart.h"

class QPainter;
class QPrinter;

namespace lumbra::gui {

class TLumbra32App;

enum class PrintPane { Structure, Source };

class TApxPrintout {
public:
    TApxPrintout(TLumbra32App& app, PrintPane pane);

    PrintPane Pane() const { return pane_; }
    // The job's title: the program's name.
    QString Title() const;
    // False when there is nothing to print (no tree; no source file).
    bool HasContent() const;

    // Lays the pages out for a page of this size in screen pixels.
    void SetPageSize(QSizeF page);
    int PageCount() const { return pageCount_; }
    // Paints a 1-based page; the painter's units are screen pixels from the page's top left.
    void PaintPage(QPainter& painter, int page);

    // Prints the printer's page range (all pages when it has none). False when the printer
    // could not be opened.
    bool Print(QPrinter& printer);
    // A page of the printer's paper as the preview shows it, recorded in screen pixels (the
    // margins white around the printable area) so that it scales to any size; and the same
    // drawn into an image.
    QPicture PagePicture(QPrinter& printer, int page);
    static QSizeF PaperSize(const QPrinter& printer);
    QImage PageImage(QPrinter& printer, int page);
    // The printable area of the printer's page in screen pixels.
    static QSizeF PrintableSize(const QPrinter& printer);

private:
    void layOutStructure(QSizeF page);
    void layOutSource(QSizeF page);
    void paintStructure(QPainter& painter, int page);
    void paintChartFrame(QPainter& painter, const ChartFrame& frame);
    void paintSource(QPainter& painter, int page);

    TLumbra32App& app_;
    PrintPane pane_;
    QFont font_;
    int pageCount_ = 0;
    // Structure.
    StructChart chart_;
    StructurePageFit fit_;
    // Source: a view of its own over the whole file, every block open.
    std::optional<SourceView> source_;
    int linesPerPage_ = 1;
};

// Pixels per inch of the screen (96 when there is none).
QSizeF ScreenDpi();

} // namespace lumbra::gui
