// The print preview.
#include "TApxPreviewWin.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QStyle>
#include <QToolBar>

#include "CommandTable.h"
#include "Lang.h"
#include "TApxPrintout.h"
#include "ToolIcons.h"
#include "UiText.h"

namespace lumbra::gui {
namespace {

// Paints the shown pages side by side, each as large as the window allows, on grey.
class PreviewCanvas final : public QWidget {
public:
    PreviewCanvas(const std::vector<QPicture>& pages, QSizeF paper, QWidget* parent)
        : QWidget(parent), pages_(pages), paper_(paper) {
        setObjectName("PreviewCanvas");
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(128, 128, 128));
        if (pages_.empty() || paper_.isEmpty())
            return;
        const int gap = 16;
        const int n = static_cast<int>(pages_.size());
        const QSizeF cell((width() - gap * (n + 1)) / static_cast<double>(n), height() - 2.0 * gap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        double x = gap;
        for (const QPicture& page : pages_) {
            const QSizeF size = paper_.scaled(cell, Qt::KeepAspectRatio);
            const QRectF target(x + (cell.width() - size.width()) / 2, gap, size.width(),
                                size.height());
            painter.fillRect(target.translated(3, 3), QColor(64, 64, 64)); // shadow
            painter.save();
            painter.translate(target.topLeft());
            painter.scale(size.width() / paper_.width(), size.height() / paper_.height());
            painter.drawPicture(0, 0, page);
            painter.restore();
            x += cell.width() + gap;
        }
    }

private:
    const std::vector<QPicture>& pages_;
    QSizeF paper_;
};

} // namespace

TApxPreviewWin::TApxPreviewWin(std::unique_ptr<TApxPrintout> printout, QPrinter& printer,
                               const QString& title, std::function<void()> print)
    : printout_(std::move(printout)), printer_(printer), pager_(1, 1) {
    setObjectName("TApxPreviewWin");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title + UiText(" (Preview)"));
    printout_->SetPageSize(TApxPrintout::PrintableSize(printer_));
    pager_ = PreviewPager(1, std::max(printout_->PageCount(), 1));

    auto* bar = addToolBar(UiText("Print Preview"));
    bar->setObjectName("PreviewToolBar");
    bar->setMovable(false);
    auto add = [&](int id, const char* caption, QStyle::StandardPixmap icon,
                   std::function<void()> run) {
        QAction* action = bar->addAction(style()->standardIcon(icon), UiText(caption));
        action->setToolTip(UiText(caption));
        connect(action, &QAction::triggered, this, std::move(run));
        actions_[id] = action;
        return action;
    };
    add(kCmdPreviewPrevious, "Previous Page", QStyle::SP_ArrowLeft, [this] { Previous(); });
    add(kCmdPreviewNext, "Next Page", QStyle::SP_ArrowRight, [this] { Next(); });
    auto* group = new QActionGroup(this);
    QAction* one = add(kCmdPreviewOnePage, "One Page", QStyle::SP_FileIcon, [this] { OnePage(); });
    QAction* two = add(kCmdPreviewTwoPages, "Two Pages", QStyle::SP_FileDialogListView,
                       [this] { TwoPages(); });
    for (QAction* a : {one, two}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    one->setChecked(true);
    pageText_ = new QLabel(bar);
    pageText_->setObjectName("PageText");
    pageText_->setMinimumWidth(pageText_->fontMetrics().horizontalAdvance(QLatin1Char('8')) * 14);
    pageText_->setAlignment(Qt::AlignCenter);
    bar->addWidget(pageText_);
    add(kCmdPrint, "Print", QStyle::SP_DialogSaveButton, std::move(print))
        ->setIcon(CommandIcon(kCmdPrint));
    add(kCmdPreviewClose, "Close", QStyle::SP_DialogCloseButton, [this] { close(); });

    canvas_ = new PreviewCanvas(shown_, TApxPrintout::PaperSize(printer_), this);
    setCentralWidget(canvas_);
    refresh();
}

TApxPreviewWin::~TApxPreviewWin() = default;

QString TApxPreviewWin::PageText() const {
    return pageText_->text();
}

QAction* TApxPreviewWin::Action(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void TApxPreviewWin::Previous() {
    pager_.Previous();
    refresh();
}

void TApxPreviewWin::Next() {
    pager_.Next();
    refresh();
}

void TApxPreviewWin::OnePage() {
    pager_.OnePage();
    actions_[kCmdPreviewOnePage]->setChecked(true);
    refresh();
}

void TApxPreviewWin::TwoPages() {
    pager_.TwoPages();
    actions_[kCmdPreviewTwoPages]->setChecked(true);
    refresh();
}

void TApxPreviewWin::refresh() {
    shownPages_.clear();
    if (printout_->PageCount() > 0) {
        shownPages_.push_back(pager_.First());
        if (pager_.Two() && pager_.Last() != pager_.First())
            shownPages_.push_back(pager_.Last());
    }
    shown_.clear();
    for (int page : shownPages_)
        shown_.push_back(printout_->PagePicture(printer_, page));
    pageText_->setText(Utf8(pager_.Text()));
    actions_[kCmdPreviewPrevious]->setEnabled(pager_.CanGoBack());
    actions_[kCmdPreviewNext]->setEnabled(pager_.CanGoForward());
    canvas_->update();
}

void TApxPreviewWin::closeEvent(QCloseEvent* event) {
    emit closed();
    QMainWindow::closeEvent(event);
}

} // namespace lumbra::gui
