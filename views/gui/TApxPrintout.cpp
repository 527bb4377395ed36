// One printout of the structure chart or of the source.
#include "TApxPrintout.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <algorithm>

#include "AppCore.h"
#include "ChartPainter.h"
#include "NFileAnly.h"
#include "Records.h"
#include "SourcePainter.h"
#include "TLumbra32App.h"
#include "UiText.h"

namespace lumbra::gui {
namespace {

// Paper is white: the chart prints in black on white whatever the screen's colours.
ChartPalette printPalette(const Settings& settings) {
    ChartPalette p = ChartPaletteFrom(settings);
    p.background = Qt::white;
    p.text = Qt::black;
    p.label = Qt::black;
    p.line = Qt::black;
    p.highlight = Qt::black;
    p.externalText = QColor(96, 96, 96);
    p.selection = QColor(224, 224, 224);
    p.bar = QColor(160, 160, 160);
    p.selectedBar = QColor(96, 96, 96);
    return p;
}

// The screen's line colours are chosen against its background; on paper every kind of line
// keeps a colour of its own that reads on white.
SourcePalette sourcePrintPalette(const Settings& settings) {
    SourcePalette p = SourcePaletteFrom(settings);
    p.background = Qt::white;
    p.text = Qt::black;
    p.selection = QColor(216, 216, 216);
    p.line = Qt::black;
    p.definition = QColor(128, 64, 0);
    p.comment = QColor(0, 110, 0);
    p.directive = QColor(0, 0, 150);
    p.highlight = Qt::black;
    p.inactive = QColor(128, 128, 128);
    p.call = QColor(140, 0, 140);
    p.figure = Qt::black;
    return p;
}

} // namespace

QSizeF ScreenDpi() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
    return {96.0, 96.0};
}

TApxPrintout::TApxPrintout(TLumbra32App& app, PrintPane pane)
    : app_(app), pane_(pane), chart_(app.Core()) {
    const AppCore& core = app_.Core();
    const Settings& settings = core.GetSettings();
    if (pane_ == PrintPane::Structure) {
        chart_.SetPrintMode(true);
        font_ = FontFrom(settings.fonts[kFontTreePrint]);
        return;
    }
    font_ = FontFrom(settings.fonts[kFontSourcePrint]);
    const SourceTarget& target = core.Source();
    if (target.path.empty() || core.Busy())
        return;
    SourceDocument document;
    SourceLines lines;
    if (!LoadSourceDocument(core.Engine(), settings, target.path, document, lines))
        return;
    source_.emplace();
    SourceOptions options = SourceOptionsFrom(settings);
    options.contextLines = 0; // no target mark on paper
    source_->SetOptions(options);
    source_->Show(std::move(document), std::move(lines));
    int first = 0, last = 0;
    if (target.moduleId != 0)
        if (const ModuleRecord* m = core.Engine().GetModule(target.moduleId); m && m->line > 0) {
            first = m->line;
            last = m->line + std::max(m->total(), 1) - 1;
        }
    source_->SetTarget(0, first, last);
}

QString TApxPrintout::Title() const {
    return QStringLiteral("Lumbra32");
}

bool TApxPrintout::HasContent() const {
    if (app_.Core().Busy())
        return false;
    return pane_ == PrintPane::Structure ? !app_.Core().Rows().empty() : source_.has_value();
}

void TApxPrintout::SetPageSize(QSizeF page) {
    if (!HasContent()) {
        pageCount_ = 0;
        return;
    }
    if (pane_ == PrintPane::Structure)
        layOutStructure(page);
    else
        layOutSource(page);
}

void TApxPrintout::layOutStructure(QSizeF page) {
    const QFontMetrics metrics(font_);
    const int fontHeight = metrics.height();
    const int charWidth = metrics.horizontalAdvance(QLatin1Char('8'));
    // The layout first (its widths do not depend on the page), then the page in chart units.
    chart_.SetGeometry(fontHeight, charWidth, static_cast<int>(page.width()),
                       static_cast<int>(page.height()));
    fit_ = FitStructurePage(chart_.Layout(), app_.Core().Rows().greatestLevel(), page.width(),
                            page.height());
    chart_.SetGeometry(fontHeight, charWidth, fit_.clientWidth, fit_.clientHeight);
    pageCount_ = StructurePageCount(chart_.Renumber(), fit_.rowsPerPage);
}

void TApxPrintout::layOutSource(QSizeF page) {
    const QFontMetrics metrics(font_);
    const int lineHeight = std::max(metrics.height(), 1);
    linesPerPage_ = SourceLinesPerPage(static_cast<int>(page.height()), lineHeight);
    // Exactly the page's lines: the view shows as many rows as the client height touches.
    source_->SetGeometry(lineHeight, metrics.horizontalAdvance(QLatin1Char('8')),
                         static_cast<int>(page.width()), linesPerPage_ * lineHeight);
    pageCount_ = SourcePageCount(source_->Lines().RowCount(), linesPerPage_);
}

void TApxPrintout::PaintPage(QPainter& painter, int page) {
    if (page < 1 || page > pageCount_)
        return;
    painter.save();
    if (pane_ == PrintPane::Structure)
        paintStructure(painter, page);
    else
        paintSource(painter, page);
    painter.restore();
}

void TApxPrintout::paintStructure(QPainter& painter, int page) {
    chart_.SetTopRow(PageFirstItem(page, fit_.rowsPerPage));
    paintChartFrame(painter, chart_.Frame());
}

void TApxPrintout::paintChartFrame(QPainter& painter, const ChartFrame& frame) {
    painter.scale(fit_.zoom, fit_.zoom);
    PaintChart(painter, frame, printPalette(app_.Core().GetSettings()), font_, nullptr, nullptr);
}

void TApxPrintout::paintSource(QPainter& painter, int page) {
    source_->SetTopRow(PageFirstItem(page, linesPerPage_));
    PaintSource(painter, source_->Frame(), sourcePrintPalette(app_.Core().GetSettings()), font_,
                nullptr, nullptr);
}

QSizeF TApxPrintout::PrintableSize(const QPrinter& printer) {
    const QSizeF dpi = ScreenDpi();
    const QRectF inches = printer.pageLayout().paintRect(QPageLayout::Inch);
    return {inches.width() * dpi.width(), inches.height() * dpi.height()};
}

bool TApxPrintout::Print(QPrinter& printer) {
    printer.setDocName(Title());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QSizeF dpi = ScreenDpi();
    const double sx = printer.logicalDpiX() / dpi.width();
    const double sy = printer.logicalDpiY() / dpi.height();
    painter.scale(sx, sy);
    SetPageSize(QSizeF(printer.width() / sx, printer.height() / sy));
    // The dialog's page range, or every page.
    const bool range = printer.printRange() == QPrinter::PageRange;
    const int from = range && printer.fromPage() > 0 ? printer.fromPage() : 1;
    int to = range && printer.toPage() > 0 ? printer.toPage() : pageCount_;
    to = std::min(to, pageCount_);
    if (pane_ == PrintPane::Structure && from <= to) {
        // All pages from one numbering pass over the rows.
        bool firstPage = true;
        chart_.Frames(PageFirstItem(from, fit_.rowsPerPage), to - from + 1,
                      [&](ChartFrame&& frame) {
                          if (!firstPage)
                              printer.newPage();
                          firstPage = false;
                          painter.save();
                          paintChartFrame(painter, frame);
                          painter.restore();
                      });
        return painter.end();
    }
    for (int page = from; page <= to; ++page) {
        if (page > from)
            printer.newPage();
        PaintPage(painter, page);
    }
    return painter.end();
}

QSizeF TApxPrintout::PaperSize(const QPrinter& printer) {
    const QSizeF dpi = ScreenDpi();
    const QRectF paper = printer.pageLayout().fullRect(QPageLayout::Inch);
    return {paper.width() * dpi.width(), paper.height() * dpi.height()};
}

QPicture TApxPrintout::PagePicture(QPrinter& printer, int page) {
    const QSizeF dpi = ScreenDpi();
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Inch);
    QPicture picture;
    QPainter painter(&picture);
    painter.fillRect(QRectF(QPointF(0, 0), PaperSize(printer)), Qt::white);
    painter.translate(area.left() * dpi.width(), area.top() * dpi.height());
    painter.setClipRect(QRectF(QPointF(0, 0), PrintableSize(printer)));
    PaintPage(painter, page);
    painter.end();
    return picture;
}

QImage TApxPrintout::PageImage(QPrinter& printer, int page) {
    const QSize size = PaperSize(printer).toSize();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPicture(0, 0, PagePicture(printer, page));
    return image;
}

} // namespace lumbra::gui
