// The "Analyze Information" window.
#include "TProgress.h"

#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include "AnalysisInfoLists.h"
#include "AnalysisReports.h"
#include "InfoTableModel.h"
#include "Lang.h"
#include "ReportClipboard.h"
#include "ReportText.h"
#include "TLumbra32App.h"
#include "UiText.h"
#include "WindowPlacement.h"

namespace lumbra::gui {
namespace {

template <std::size_t N>
std::vector<InfoColumn> columnList(const std::array<InfoColumn, N>& columns) {
    return {columns.begin(), columns.end()};
}

QFrame* framed(QWidget* list) {
    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(list);
    return frame;
}

// Applies stored widths (by each column's index in the setting) to a list's columns, and reads
// them back. The stored pixels were measured for a smaller dialog font than a desktop's usual
// one: a column is made at least as wide as its caption.
template <std::size_t N>
void applyWidths(QTableView& list, const InfoTableModel& model, const std::array<int, N>& widths) {
    QHeaderView* header = list.horizontalHeader();
    const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) +
                       header->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header);
    const std::vector<InfoColumn>& columns = model.Columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const auto at = static_cast<std::size_t>(columns[c].widthIndex);
        if (at >= N || widths[at] <= 0)
            continue;
        const int section = static_cast<int>(c);
        const int caption = header->fontMetrics().horizontalAdvance(
                                model.headerData(section, Qt::Horizontal).toString()) +
                            margin;
        header->resizeSection(section, std::max(widths[at], caption));
    }
}

template <std::size_t N>
void storeWidths(const QTableView& list, const InfoTableModel& model, std::array<int, N>& widths) {
    const std::vector<InfoColumn>& columns = model.Columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const auto at = static_cast<std::size_t>(columns[c].widthIndex);
        if (at < N)
            widths[at] = list.horizontalHeader()->sectionSize(static_cast<int>(c));
    }
}

} // namespace

TProgress::TProgress(TLumbra32App& app, QWidget* parent)
    : QDialog(parent), app_(app), analyzeOut_(new QPushButton(UiText("Analyze Out"), this)),
      callingOut_(new QPushButton(UiText("Calling Out"), this)),
      ok_(new QPushButton(UiText("OK"), this)),
      fileModel_(new InfoTableModel(columnList(FileListColumns(IsJapaneseUi())), this)),
      moduleModel_(new InfoTableModel(columnList(ModuleListColumns()), this)),
      fileList_(makeList(fileModel_)), moduleList_(makeList(moduleModel_)),
      totals_(new QLabel(this)) {
    setObjectName("TProgress");
    setWindowTitle(UiText("Analyze Information"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setSizeGripEnabled(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(analyzeOut_);
    buttons->addWidget(callingOut_);
    buttons->addWidget(ok_);
    buttons->addStretch(1);
    ok_->setDefault(true);
    connect(analyzeOut_, &QPushButton::clicked, this, &TProgress::AnalyzeOut);
    connect(callingOut_, &QPushButton::clicked, this, &TProgress::CallingOut);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    // The totals line is padded by columns: a fixed-width font keeps it lined up.
    totals_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    totals_->setObjectName("Totals");
    // A long line must not keep the window from being made narrower.
    totals_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(buttons);
    layout->addWidget(framed(fileList_), 1);
    layout->addWidget(totals_);
    layout->addWidget(framed(moduleList_), 1);
    applyLayout();
}

QTableView* TProgress::makeList(InfoTableModel* model) {
    auto* list = new QTableView(this);
    list->setModel(model);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setWordWrap(false);
    list->setShowGrid(false);
    list->setAlternatingRowColors(true);
    list->setSortingEnabled(false); // the model sorts by its own rules
    // Rows of one height: a list of 100,000 modules never measures its rows.
    list->verticalHeader()->hide();
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
    QHeaderView* header = list->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    connect(header, &QHeaderView::sectionClicked, this, [list, model](int column) {
        model->SortByClick(column);
        QHeaderView* h = list->horizontalHeader();
        h->setSortIndicatorShown(true);
        h->setSortIndicator(column,
                            model->Table().descending() ? Qt::DescendingOrder : Qt::AscendingOrder);
    });
    return list;
}

void TProgress::applyLayout() {
    const Settings& s = app_.Core().GetSettings();
    ApplyPlacement(*this, s.attrProg);
    applyWidths(*fileList_, *fileModel_, s.columnFile);
    applyWidths(*moduleList_, *moduleModel_, s.columnFunc);
}

void TProgress::StoreLayout() {
    Settings& s = app_.Core().GetSettings();
    StorePlacement(*this, s.attrProg);
    storeWidths(*fileList_, *fileModel_, s.columnFile);
    storeWidths(*moduleList_, *moduleModel_, s.columnFunc);
}

void TProgress::done(int result) {
    StoreLayout();
    QDialog::done(result);
}

void TProgress::Fill() {
    const AppCore& core = app_.Core();
    if (core.Busy())
        return;
    const NFileAnly& engine = core.Engine();
    const bool namesOnly = core.GetSettings().clipboardPathName != 0;
    fileModel_->SetTable(BuildFileList(engine, namesOnly, IsJapaneseUi()));
    moduleModel_->SetTable(BuildModuleList(engine));
    totals_->setText(Utf8(FileTotalsText(engine)));
    for (QTableView* list : {fileList_, moduleList_})
        list->horizontalHeader()->setSortIndicatorShown(false);
}

QString TProgress::TotalsText() const {
    return totals_->text();
}

void TProgress::copyReport(const std::string& text) {
    CopyReportToClipboard(app_, text, "Copy to Clipboard.");
}

void TProgress::AnalyzeOut() {
    if (app_.Core().Busy())
        return;
    copyReport(AnalyzeOutText(app_.Core().Engine(), ReportFormatFrom(app_.Core().GetSettings())));
}

void TProgress::CallingOut() {
    if (app_.Core().Busy())
        return;
    copyReport(CallingOutText(app_.Core().Engine(), ReportFormatFrom(app_.Core().GetSettings())));
}

} // namespace lumbra::gui
