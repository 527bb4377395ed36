// Printing through the real window: the structure and the source printed to PDF with the right
// number of pages, the "Structure or Source ?" question, a cancelled print dialog, the preview's
// toolbar and page text, the main window disabled while the preview is open, and the command
// line's --print-pdf.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QPrinter>
#include <QTest>

#include "AppCore.h"
#include "AppWindowTest.h"
#include "ChartPainter.h"
#include "CommandTable.h"
#include "PrintCommands.h"
#include "Settings.h"
#include "TApxPreviewWin.h"
#include "TApxPrintout.h"
#include "TLumbra32App.h"
#include "TMainFrame.h"
#include "TMainPnl.h"
#include "TStructWin.h"

namespace lumbra::gui {
namespace {

// Pages of a PDF written by Qt: its page objects.
int pdfPages(const std::string& path) {
    const std::string pdf = test::ReadFile(path);
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1))
        if (pdf.compare(at, 12, "/Type /Pages") != 0)
            ++pages;
    return pages;
}

// A C file whose main calls `calls` functions, and a source file of `lines` lines.
std::string callsFile(int calls) {
    std::string text = "int main(void)\n{\n";
    for (int i = 0; i < calls; ++i)
        text += "    f" + std::to_string(i) + "();\n";
    text += "    return 0;\n}\n";
    for (int i = 0; i < calls; ++i)
        text += "void f" + std::to_string(i) + "(void)\n{\n}\n";
    return text;
}

class PrintTest : public AppWindowTest {
protected:
    void start() {
        StartOptions options = testOptions();
        options.readOnlySettings = true;
        app = std::make_unique<TLumbra32App>(options);
        app->MessageBoxes().handler = [this](const std::string& text, const std::string& caption,
                                             MessageKind kind) {
            messages.push_back(caption + ": " + text);
            return kind == MessageKind::Question ? answer : true;
        };
        app->Start();
        print = FindPrintCommands(app->Frame());
        ASSERT_NE(print, nullptr);
        // The print dialog "prints to file".
        print->printDialog = [this](QPrinter& printer, QWidget*, int pages) {
            ++dialogs;
            offered = pages;
            if (from > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(from, to);
            }
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(pdf));
            return !cancel;
        };
    }
    ~PrintTest() override { app.reset(); }
    CommandSet& commands() { return app->Frame().Commands(); }
    // Expected pages of a printout on the PDF printer (its own layout rules are tested apart).
    int expectedPages(PrintPane pane) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString((work.path() / "probe.pdf").string()));
        const QSizeF dpi = ScreenDpi();
        TApxPrintout printout(*app, pane);
        printout.SetPageSize(QSizeF(printer.width() * dpi.width() / printer.logicalDpiX(),
                                    printer.height() * dpi.height() / printer.logicalDpiY()));
        return printout.PageCount();
    }

    test::TempDir work;
    PrintCommands* print = nullptr;
    std::vector<std::string> messages;
    bool answer = true;
    bool cancel = false;
    int dialogs = 0;
    int offered = 0;      // pages the dialog offered
    int from = 0, to = 0; // a page range chosen in the dialog
    std::string pdf = (work.path() / "out.pdf").string();
};

TEST_F(PrintTest, TheStructureAndTheSourcePrintToPdfPageByPage) {
    start();
    EXPECT_FALSE(commands().Action(kCmdPrint)->isEnabled()); // no calling tree yet
    openPaths({work.write("calls.c", callsFile(150))});
    ASSERT_GE(app->Core().Rows().size(), 151u);

    // Yes: the structure. 151 rows need several pages.
    answer = true;
    ASSERT_TRUE(commands().Trigger(kCmdPrint));
    EXPECT_EQ(messages.front(), "Print: Structure or Source ?");
    const int structurePages = expectedPages(PrintPane::Structure);
    EXPECT_GE(structurePages, 2);
    EXPECT_EQ(pdfPages(pdf), structurePages);
    EXPECT_EQ(offered, structurePages);
    EXPECT_FALSE(print->Printing());
    // A range chosen in the dialog prints only those pages; the next job prints all again.
    from = 2;
    to = 3;
    ASSERT_TRUE(commands().Trigger(kCmdPrint));
    EXPECT_EQ(pdfPages(pdf), 2);
    from = to = 0;

    // No: the source of the selected module's file.
    ASSERT_TRUE(app->Frame().Panel().Structure().SelectModule("f3"));
    answer = false;
    ASSERT_TRUE(commands().Trigger(kCmdPrint));
    const int sourcePages = expectedPages(PrintPane::Source);
    EXPECT_GE(sourcePages, 2);
    EXPECT_EQ(pdfPages(pdf), sourcePages);

    // A cancelled dialog prints nothing.
    std::filesystem::remove(pdf);
    cancel = true;
    ASSERT_TRUE(commands().Trigger(kCmdPrint));
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(dialogs, 4);
}

TEST_F(PrintTest, ASourceOfExactlyOnePageOfLinesPrintsOnePage) {
    start();
    // Find how many lines fit, then print a file of exactly that many, and one more.
    openPaths({work.write("probe.c", "void probe(void)\n{\n}\n")});
    ASSERT_TRUE(app->Frame().Panel().Structure().SelectModule("probe"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QSizeF dpi = ScreenDpi();
    const double pageHeight = printer.height() * dpi.height() / printer.logicalDpiY();
    const int lineHeight =
        QFontMetrics(FontFrom(app->Core().GetSettings().fonts[kFontSourcePrint])).height();
    const int perPage = static_cast<int>(pageHeight) / lineHeight;
    ASSERT_GT(perPage, 3);

    for (int extra : {0, 1}) {
        std::string text = "void one(void)\n{\n";
        while (static_cast<int>(std::count(text.begin(), text.end(), '\n')) < perPage + extra - 1)
            text += "    /* filler */\n";
        text += "}\n";
        const std::string file = work.write("one" + std::to_string(extra) + ".c", text);
        app->Core().ClearAnalysis();
        openPaths({file});
        ASSERT_TRUE(app->Frame().Panel().Structure().SelectModule("one"));
        const std::string out = (work.path() / ("one" + std::to_string(extra) + ".pdf")).string();
        ASSERT_TRUE(PrintToPdf(*app, PrintPane::Source, QString::fromStdString(out)));
        EXPECT_EQ(pdfPages(out), 1 + extra) << "lines " << perPage + extra;
    }
}

TEST_F(PrintTest, ThePreviewPagesThroughThePrintoutWhileTheMainWindowWaits) {
    start();
    openPaths({work.write("calls.c", callsFile(400))});
    answer = true;
    ASSERT_TRUE(commands().Trigger(kCmdPrintPreview));
    EXPECT_EQ(messages.back(), "Print Preview: Structure or Source ?");
    TApxPreviewWin* preview = print->Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(print->Previewing());
    EXPECT_FALSE(app->Frame().isEnabled());
    EXPECT_EQ(preview->windowTitle(), "Structure Print Preview (Preview)");
    const int pages = preview->Printout().PageCount();
    ASSERT_GE(pages, 3);

    auto press = [&](int id) {
        QAction* action = preview->Action(id);
        ASSERT_NE(action, nullptr) << id;
        action->trigger();
    };
    EXPECT_EQ(preview->PageText(), "Page 1");
    EXPECT_EQ(preview->ShownPages().size(), 1u);
    EXPECT_FALSE(preview->Action(TApxPreviewWin::kCmdPreviewPrevious)->isEnabled());
    press(TApxPreviewWin::kCmdPreviewNext);
    EXPECT_EQ(preview->PageText(), "Page 2");
    press(TApxPreviewWin::kCmdPreviewTwoPages);
    EXPECT_EQ(preview->PageText(), "Page 2 - 3");
    EXPECT_EQ(preview->ShownPages(), (std::vector<int>{2, 3}));
    press(TApxPreviewWin::kCmdPreviewPrevious);
    EXPECT_EQ(preview->PageText(), "Page 1 - 2");
    press(TApxPreviewWin::kCmdPreviewOnePage);
    EXPECT_EQ(preview->PageText(), "Page 1");
    EXPECT_EQ(preview->ShownPages().size(), 1u);
    for (int i = 0; i < pages + 2; ++i)
        press(TApxPreviewWin::kCmdPreviewNext);
    EXPECT_EQ(preview->PageText(), QString("Page %1").arg(pages));
    EXPECT_FALSE(preview->Action(TApxPreviewWin::kCmdPreviewNext)->isEnabled());

    // A printed page is not blank: the chart's boxes are drawn on it.
    ASSERT_EQ(preview->ShownPages(), std::vector<int>{pages});
    const QImage page = preview->Printout().PageImage(print->Printer(), 1);
    EXPECT_GT(page.width(), 300);
    bool ink = false;
    for (int y = 0; y < page.height() && !ink; y += 2)
        for (int x = 0; x < page.width() && !ink; x += 2)
            ink = qGray(page.pixel(x, y)) < 128;
    EXPECT_TRUE(ink);

    // Print from the preview, then close it: the main window works again.
    press(kCmdPrint);
    EXPECT_EQ(pdfPages(pdf), pages);
    press(TApxPreviewWin::kCmdPreviewClose);
    ASSERT_TRUE(waitFor([&] { return !print->Previewing(); }));
    EXPECT_TRUE(app->Frame().isEnabled());
}

TEST_F(PrintTest, TheCommandLinePrintsWithoutAWindowAndTheSourceNeedsASelection) {
    const std::string sample = LUMBRA_SAMPLE_DIR;
    const std::string ini = (config.path() / "none.ini").string();
    const std::string base = std::string("QT_QPA_PLATFORM=offscreen ") + LUMBRA_GUI_PATH +
                             " --ini " + ini + " --print-pdf ";
    const std::string structure = (work.path() / "structure.pdf").string();
    test::CommandResult r = test::RunCommand(base + structure + " --what structure " + sample);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(pdfPages(structure), 1);

    const std::string source = (work.path() / "source.pdf").string();
    r = test::RunCommand(base + source + " --what source --select calculate " + sample);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(pdfPages(source), 1);

    r = test::RunCommand(base + source + ".2 --what source " + sample);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("--select"), std::string::npos) << r.err;
    r = test::RunCommand(base + source + " --what picture " + sample);
    EXPECT_EQ(r.status, 2);
    r = test::RunCommand(base + source + " --lang xx " + sample);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--lang"), std::string::npos) << r.err;
}

} // namespace
} // namespace lumbra::gui
