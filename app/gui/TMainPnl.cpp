// Layout of the four panes.
#include "TMainPnl.h"

#include <QEvent>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "Lang.h"
#include "Settings.h"
#include "TLumbra32App.h"
#include "TMdlInfFrm.h"
#include "TSourceWin.h"
#include "TStructWin.h"
#include "TTreeWin.h"
#include "UiText.h"

namespace lumbra::gui {

TMainPnl::TMainPnl(TLumbra32App& app, QWidget* parent)
    : QWidget(parent), app_(app), outer_(new QSplitter(Qt::Horizontal, this)),
      left_(new QSplitter(Qt::Vertical)), right_(new QSplitter(Qt::Horizontal)) {
    // Created in this order: module tree, source, structure, module information.
    tree_ = new TTreeWin(app, nullptr);
    source_ = new TSourceWin(app, nullptr);
    structure_ = new TStructWin(app, nullptr);
    moduleInfo_ = new TMdlInfFrm(app, nullptr);

    left_->addWidget(tree_);
    left_->addWidget(moduleInfo_);
    right_->addWidget(titled("Structure", structure_));
    right_->addWidget(titled("Source", source_));
    outer_->addWidget(left_);
    outer_->addWidget(right_);
    for (QSplitter* s : {outer_, left_, right_}) {
        s->setChildrenCollapsible(false);
        s->setHandleWidth(5);
    }
    outer_->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(outer_);

    tree_->installEventFilter(this);
    source_->installEventFilter(this);
    structure_->installEventFilter(this);
    ApplySplitDirection(app.Core().SplitDirection());
}

QWidget* TMainPnl::titled(const char* title, QWidget* pane) {
    auto* box = new QWidget;
    auto* label = new QLabel(UiText(title), box);
    label->setContentsMargins(6, 2, 6, 2);
    label->setStyleSheet("QLabel { font-weight: 600; }");
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(label);
    layout->addWidget(pane, 1);
    return box;
}

bool TMainPnl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == tree_)
            activePane_ = kTreePane;
        else if (watched == source_)
            activePane_ = kSourcePane;
        else if (watched == structure_)
            activePane_ = kStructurePane;
    }
    return QWidget::eventFilter(watched, event);
}

void TMainPnl::ApplySplitDirection(int direction) {
    right_->setOrientation(direction == 0 ? Qt::Horizontal : Qt::Vertical);
    if (proportionsApplied_)
        splitRight();
}

void TMainPnl::splitRight() {
    // Side by side the structure pane takes its share of the whole panel's width; one above
    // the other, its share of the height.
    const bool beside = right_->orientation() == Qt::Horizontal;
    const int extent = beside ? right_->width() : right_->height();
    const int whole = beside ? std::max(outer_->width(), 100) : extent;
    const int first = std::min(whole * structRange_ / 100, extent * 9 / 10);
    right_->setSizes({first, std::max(extent - first, 1)});
}

namespace {

int clampShare(int value, int zeroValue) {
    if (value == 0)
        return zeroValue;
    return std::clamp(value, 5, 90);
}

} // namespace

void TMainPnl::ApplyProportions(const Settings& s) {
    treeRange_ = clampShare(s.treeRange, 50);
    callRange_ = clampShare(s.callRange, 50);
    structRange_ = clampShare(s.structRange, 45);
    proportionsApplied_ = false;
    if (isVisible())
        showEvent(nullptr);
}

void TMainPnl::showEvent(QShowEvent* event) {
    if (event)
        QWidget::showEvent(event);
    if (proportionsApplied_ || width() <= 0)
        return;
    proportionsApplied_ = true;
    const int w = std::max(outer_->width(), 100);
    const int leftWidth = w * treeRange_ / 100;
    outer_->setSizes({leftWidth, w - leftWidth});
    const int h = std::max(left_->height(), 100);
    const int info = h * callRange_ / 100;
    left_->setSizes({h - info, info});
    // The right part's size is known once the outer split is laid out.
    right_->resize(w - leftWidth, right_->height());
    splitRight();
}

void TMainPnl::StoreProportions(Settings& s) const {
    auto share = [](int part, int whole) {
        return whole > 0 ? std::clamp(part * 100 / whole, 1, 90) : 0;
    };
    const QList<int> outer = outer_->sizes();
    const QList<int> left = left_->sizes();
    const QList<int> right = right_->sizes();
    if (outer.size() == 2 && outer[0] + outer[1] > 0)
        s.treeRange = share(outer[0], outer[0] + outer[1]);
    if (left.size() == 2 && left[0] + left[1] > 0)
        s.callRange = share(left[1], left[0] + left[1]);
    const bool beside = right_->orientation() == Qt::Horizontal;
    const int whole = beside ? outer_->width() : right[0] + right[1];
    if (right.size() == 2 && whole > 0)
        s.structRange = share(right[0], whole);
}

} // namespace lumbra::gui
