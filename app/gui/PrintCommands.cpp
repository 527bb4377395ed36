// Printing and the print preview.
#include "PrintCommands.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <cstdio>

#include "CodePage.h"
#include "CommandTable.h"
#include "Lang.h"
#include "Screenshot.h"
#include "TApxPreviewWin.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "TMainPnl.h"
#include "TSourceWin.h"
#include "TStructWin.h"
#include "UiText.h"

namespace lumbra::gui {

PrintCommands::PrintCommands(TMainFrame& frame, TLumbra32App& app)
    : QObject(&frame), frame_(frame), app_(app) {
    setObjectName("PrintCommands");
    printDialog = [](QPrinter& printer, QWidget* parent, int pages) {
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange);
        dialog.setMinMax(1, std::max(pages, 1));
        return dialog.exec() == QDialog::Accepted;
    };
    pageSetupDialog = [](QPrinter& printer, QWidget* parent) {
        QPageSetupDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    };
}

PrintCommands::~PrintCommands() {
    delete preview_.data(); // a top-level window: not deleted with the frame
}

QPrinter& PrintCommands::Printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

PrintPane PrintCommands::AskPane(const char* caption) {
    const bool structure = app_.Messages().Message(lumbra::tr("Structure or Source ?"),
                                                   lumbra::tr(caption), MessageKind::Question);
    return structure ? PrintPane::Structure : PrintPane::Source;
}

bool PrintCommands::PrintPaneNow(PrintPane pane) {
    auto printout = std::make_unique<TApxPrintout>(app_, pane);
    if (!printout->HasContent()) {
        app_.Messages().Message(lumbra::tr("There is no source to print."), lumbra::tr("Print"),
                                MessageKind::Warning);
        return false;
    }
    QPrinter& printer = Printer();
    printer.setDocName(printout->Title());
    // Every job starts with all pages; the dialog may narrow them.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    printout->SetPageSize(TApxPrintout::PrintableSize(printer));
    QWidget* parent = QApplication::activeWindow() ? QApplication::activeWindow() : &frame_;
    if (!printDialog(printer, parent, printout->PageCount()))
        return false; // cancelled: nothing printed, the panes as they were
    printing_ = true;
    const bool done = printout->Print(printer);
    printing_ = false;
    repaintPanes();
    if (!done)
        app_.Messages().Message(Format(lumbra::tr("The printout %s could not be written."),
                                       printer.outputFileName().toUtf8().constData()),
                                lumbra::tr("Caution"), MessageKind::Warning);
    return done;
}

TApxPreviewWin* PrintCommands::OpenPreview(PrintPane pane) {
    auto printout = std::make_unique<TApxPrintout>(app_, pane);
    if (!printout->HasContent()) {
        app_.Messages().Message(lumbra::tr("There is no source to print."),
                                lumbra::tr("Print Preview"), MessageKind::Warning);
        return nullptr;
    }
    if (preview_)
        preview_->close();
    const char* title =
        pane == PrintPane::Structure ? "Structure Print Preview" : "Source Print Preview";
    preview_ = new TApxPreviewWin(std::move(printout), Printer(), UiText(title),
                                  [this, pane] { PrintPaneNow(pane); });
    connect(preview_, &TApxPreviewWin::closed, this, &PrintCommands::previewClosed);
    // Over the main window's client area; the main window waits until it closes.
    QWidget* client = frame_.centralWidget();
    preview_->setGeometry(QRect(client->mapToGlobal(QPoint(0, 0)), client->size()));
    frame_.setEnabled(false);
    preview_->show();
    return preview_;
}

void PrintCommands::previewClosed() {
    frame_.setEnabled(true);
    repaintPanes();
}

void PrintCommands::repaintPanes() {
    frame_.Panel().Structure().viewport()->update();
    frame_.Panel().Source().viewport()->update();
}

void PrintCommands::PrinterSetup() {
    pageSetupDialog(Printer(), &frame_);
}

void InstallPrintCommands(TMainFrame& frame, TLumbra32App& app) {
    auto* print = new PrintCommands(frame, app);
    auto hasTree = [core = &app.Core()] { return !core->Busy() && !core->Rows().empty(); };
    CommandSet& c = frame.Commands();
    c.Bind(
        kCmdPrint, [print] { print->PrintPaneNow(print->AskPane("Print")); }, hasTree);
    c.Bind(
        kCmdPrintPreview, [print] { print->OpenPreview(print->AskPane("Print Preview")); },
        hasTree);
    c.Bind(kCmdPrinterSetup, [print] { print->PrinterSetup(); });
}

PrintCommands* FindPrintCommands(TMainFrame& frame) {
    return frame.findChild<PrintCommands*>("PrintCommands", Qt::FindDirectChildrenOnly);
}

bool PrintToPdf(TLumbra32App& app, PrintPane pane, const QString& out) {
    TApxPrintout printout(app, pane);
    if (!printout.HasContent()) {
        std::fprintf(stderr, "lumbra32: %s\n",
                     pane == PrintPane::Structure
                         ? "there is no structure to print"
                         : "there is no source to print (select a module with --select NAME)");
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out);
    if (!printout.Print(printer)) {
        std::fprintf(stderr, "lumbra32: cannot write %s\n", qPrintable(out));
        return false;
    }
    return true;
}

void PrintWhenReady(TLumbra32App& app, const PrintRequest& request,
                    std::function<void(int status)> done, int timeoutMs) {
    WhenAnalysed(app, request.select, timeoutMs, done, [&app, request, done] {
        done(PrintToPdf(app, request.pane, request.out) ? 0 : 1);
    });
}

void RegisterPrintScreenshotTargets() {
    RegisterScreenshotTarget("preview", "the print preview of the structure chart",
                             [](TLumbra32App& app) -> QWidget* {
                                 PrintCommands* print = FindPrintCommands(app.Frame());
                                 if (!print)
                                     return nullptr;
                                 TApxPreviewWin* preview = print->OpenPreview(PrintPane::Structure);
                                 if (preview)
                                     preview->resize(app.Frame().size());
                                 return preview;
                             });
}

} // namespace lumbra::gui
