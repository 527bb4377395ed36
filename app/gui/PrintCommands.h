// "Print", "Print Preview" and "Printer Setup": the question which pane to print, the printer
// (created on first use and kept), Qt's print and page-setup dialogs, the preview window, and
// printing to a PDF file from the command line.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "TApxPreviewWin.h"
#include "TApxPrintout.h"

class QPrinter;
class QWidget;

namespace lumbra::gui {

class TLumbra32App;
class TMainFrame;

class PrintCommands final : public QObject {
    Q_OBJECT
public:
    PrintCommands(TMainFrame& frame, TLumbra32App& app);
    ~PrintCommands() override;

    QPrinter& Printer();
    // "Structure or Source ?": Yes the structure, No the source.
    PrintPane AskPane(const char* caption);
    // Prints a pane through the print dialog. False when there was nothing to print, the
    // dialog was cancelled or the printer failed.
    bool PrintPaneNow(PrintPane pane);
    // Opens the preview of a pane (nullptr when there is nothing to preview).
    TApxPreviewWin* OpenPreview(PrintPane pane);
    TApxPreviewWin* Preview() const { return preview_; }
    void PrinterSetup();

    bool Printing() const { return printing_; }
    bool Previewing() const { return !preview_.isNull(); }

    // The dialogs; tests replace them. They return false when the user cancels. The print
    // dialog offers pages 1 to `pages` for its page range.
    std::function<bool(QPrinter& printer, QWidget* parent, int pages)> printDialog;
    std::function<bool(QPrinter& printer, QWidget* parent)> pageSetupDialog;

private:
    void previewClosed();
    void repaintPanes();

    TMainFrame& frame_;
    TLumbra32App& app_;
    std::unique_ptr<QPrinter> printer_;
    QPointer<TApxPreviewWin> preview_;
    bool printing_ = false;
};

void InstallPrintCommands(TMainFrame& frame, TLumbra32App& app);
PrintCommands* FindPrintCommands(TMainFrame& frame);

// Writes the printout of a pane to a PDF file with the print settings. False (and a message
// on stderr) when there is nothing to print or the file cannot be written.
bool PrintToPdf(TLumbra32App& app, PrintPane pane, const QString& out);

// `lumbra32 --print-pdf OUT.pdf --what structure|source [--select NAME] PATH...`.
struct PrintRequest {
    QString out;
    PrintPane pane = PrintPane::Structure;
    QString select; // module name (UTF-8) to select first
};
// Waits for the analysis (at most `timeoutMs`), selects the module, prints and calls `done`
// with the exit status (0 printed, 1 failed).
void PrintWhenReady(TLumbra32App& app, const PrintRequest& request,
                    std::function<void(int status)> done, int timeoutMs = 600000);

// The screenshot target "preview" (the structure chart's print preview).
void RegisterPrintScreenshotTargets();

} // namespace lumbra::gui
