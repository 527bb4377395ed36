// The "Call Information" window.
#include "TXrefMdl.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Lang.h"
#include "ModuleInfoReports.h"
#include "ModuleNameList.h"
#include "ReportClipboard.h"
#include "ReportText.h"
#include "TLumbra32App.h"
#include "UiText.h"
#include "WindowPlacement.h"

namespace lumbra::gui {

TXrefMdl::TXrefMdl(TLumbra32App& app, QWidget* parent)
    : QDialog(parent), app_(app), fileLine_(new QLabel(this)),
      clip_(new QPushButton(UiText("Clip"), this)), hierarchyLabel_(new QLabel(this)),
      upperLabel_(new QLabel(this)), lowerLabel_(new QLabel(this)),
      hierarchy_(new ModuleNameList(app, this)), upper_(new ModuleNameList(app, this)),
      lower_(new ModuleNameList(app, this)) {
    setObjectName("TXrefMdl");
    setModal(false);
    setSizeGripEnabled(true);
    fileLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fileLine_->setObjectName("FileLine");
    hierarchy_->setObjectName("Hierarchy");
    upper_->setObjectName("Upper");
    lower_->setObjectName("Lower");
    connect(clip_, &QPushButton::clicked, this, &TXrefMdl::Clip);

    auto* top = new QHBoxLayout;
    auto* fileCaption = new QLabel(UiText("File Path"), this);
    top->addWidget(fileCaption);
    top->addWidget(fileLine_, 1);
    top->addWidget(clip_);

    // The three lists side by side, each under its label; they share the window's size.
    auto* lists = new QGridLayout;
    const std::pair<QLabel*, ModuleNameList*> columns[] = {
        {hierarchyLabel_, hierarchy_}, {upperLabel_, upper_}, {lowerLabel_, lower_}};
    for (int c = 0; c < 3; ++c) {
        lists->addWidget(columns[c].first, 0, c);
        lists->addWidget(columns[c].second, 1, c);
        lists->setColumnStretch(c, 1);
    }
    lists->setRowStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(top);
    layout->addLayout(lists, 1);
    Clear();
    applyLayout();
}

void TXrefMdl::applyLayout() {
    ApplyPlacement(*this, app_.Core().GetSettings().attrXref);
}

void TXrefMdl::StoreLayout() {
    StorePlacement(*this, app_.Core().GetSettings().attrXref);
}

void TXrefMdl::done(int result) {
    StoreLayout();
    QDialog::done(result);
}

void TXrefMdl::Clear() {
    info_ = CallInfo{};
    setWindowTitle(UiText("Call Information"));
    fileLine_->clear();
    hierarchyLabel_->setText(UiText("Hierarchy : "));
    upperLabel_->setText(UiText("Upper : "));
    lowerLabel_->setText(UiText("Lower : "));
    hierarchy_->Clear();
    upper_->Clear();
    lower_->Clear();
}

void TXrefMdl::Update() {
    Clear();
    AppCore& core = app_.Core();
    if (core.Busy())
        return;
    info_ = BuildCallInfo(core.Engine(), core.Rows(), core.CurrentRow());
    if (info_.moduleId == 0)
        return;
    setWindowTitle(Utf8(CallInfoWindowTitle(info_)));
    fileLine_->setText(Utf8(info_.fileLine));
    upperLabel_->setText(
        Utf8(Format(lumbra::tr("Upper : %d Modules"), static_cast<int>(info_.upper.size()))));
    upper_->SetNames(info_.upper, info_.codePage);
    lowerLabel_->setText(
        Utf8(Format(lumbra::tr("Lower : %d Modules"), static_cast<int>(info_.lower.size()))));
    lower_->SetNames(info_.lower, info_.codePage);
    hierarchyLabel_->setText(Utf8(Format(lumbra::tr("Hierarchy : %d Levels"), info_.levels)));
    hierarchy_->SetNames(info_.hierarchy, info_.codePage);
}

void TXrefMdl::Clip() {
    const ModuleListContent content =
        ModuleListOf(info_, windowTitle().toStdString(), /*crossReference=*/true);
    CopyReportToClipboard(app_,
                          ModuleListText(content, ReportFormatFrom(app_.Core().GetSettings())),
                          "Output to Clipboard.");
}

QString TXrefMdl::FileLine() const {
    return fileLine_->text();
}

QString TXrefMdl::HierarchyLabel() const {
    return hierarchyLabel_->text();
}

QString TXrefMdl::UpperLabel() const {
    return upperLabel_->text();
}

QString TXrefMdl::LowerLabel() const {
    return lowerLabel_->text();
}

} // namespace lumbra::gui
