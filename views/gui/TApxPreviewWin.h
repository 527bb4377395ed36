// The print preview: a window over the main window's client area showing one or two pages of
// a printout, with a toolbar (previous, next, one page, two pages, the page text, Print,
// close). The main window is disabled while it is open.
#pragma once

#include <QMainWindow>
#include <QPicture>
#include <functional>
#include <map>
#include <memory>

#include "PrintLayout.h"

class QAction;
class QLabel;
class QPrinter;

namespace lumbra::gui {

class TApxPrintout;

class TApxPreviewWin final : public QMainWindow {
    Q_OBJECT
public:
    // Toolbar command ids.
    enum : int {
        kCmdPreviewPrevious = 24500,
        kCmdPreviewNext = 24501,
        kCmdPreviewOnePage = 24502,
        kCmdPreviewTwoPages = 24503,
        kCmdPreviewPageText = 24504,
        kCmdPreviewClose = 24505,
    };

    // `title` is "Structure Print Preview" or "Source Print Preview" (already translated);
    // `print` runs the Print command for the same pane.
    TApxPreviewWin(std::unique_ptr<TApxPrintout> printout, QPrinter& printer, const QString& title,
                   std::function<void()> print);
    ~TApxPreviewWin() override;

    const PreviewPager& Pager() const { return pager_; }
    QString PageText() const;
    QAction* Action(int id) const;
    TApxPrintout& Printout() { return *printout_; }
    // The page numbers shown (one or two).
    const std::vector<int>& ShownPages() const { return shownPages_; }

    void Previous();
    void Next();
    void OnePage();
    void TwoPages();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void refresh();

    std::unique_ptr<TApxPrintout> printout_;
    QPrinter& printer_;
    PreviewPager pager_;
    std::vector<int> shownPages_;
    std::vector<QPicture> shown_;
    QWidget* canvas_;
    QLabel* pageText_;
    std::map<int, QAction*> actions_;
};

} // namespace lumbra::gui
