// The module-information pane.
#include "TMdlInfFrm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

#include "AppCore.h"
#include "Lang.h"
#include "ModuleInfoReports.h"
#include "ModuleNameList.h"
#include "ReportClipboard.h"
#include "ReportText.h"
#include "TLumbra32App.h"
#include "UiText.h"

namespace lumbra::gui {
namespace {

QListView* plainList(QStringListModel* model, QWidget* parent) {
    auto* list = new QListView(parent);
    list->setModel(model);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformItemSizes(true);
    return list;
}

} // namespace

TMdlInfFrm::TMdlInfFrm(TLumbra32App& app, QWidget* parent)
    : QTabWidget(parent), app_(app), infoText_(new QPlainTextEdit(this)),
      nest_(new ModuleNameList(app, this)), upper_(new ModuleNameList(app, this)),
      lower_(new ModuleNameList(app, this)), defineModel_(new QStringListModel(this)),
      defines_(plainList(defineModel_, this)), clip_(new QPushButton(UiText("Clip"), this)) {
    setObjectName("TMdlInfFrm");
    infoText_->setReadOnly(true);
    infoText_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    nest_->setObjectName("Nest");
    upper_->setObjectName("Upper");
    lower_->setObjectName("Lower");
    defines_->setObjectName("Define");
    addTab(infoText_, UiText("Info."));
    addTab(nest_, UiText("Nest"));
    addTab(upper_, UiText("Upper"));
    addTab(lower_, UiText("Lower"));
    addTab(defines_, UiText("Define"));
    addTab(buildSearchPage(), UiText("Search"));
    setCornerWidget(clip_, Qt::TopRightCorner);
    connect(clip_, &QPushButton::clicked, this, &TMdlInfFrm::Clip);

    setCurrentIndex(std::clamp(app.Core().GetSettings().callSelect, 0, count() - 1));
    connect(this, &QTabWidget::currentChanged, this,
            [this](int page) { app_.Core().GetSettings().callSelect = page; });

    poll_.setInterval(40);
    connect(&poll_, &QTimer::timeout, this, &TMdlInfFrm::pollSearch);
}

TMdlInfFrm::~TMdlInfFrm() = default;

QWidget* TMdlInfFrm::buildSearchPage() {
    auto* page = new QWidget(this);
    pattern_ = new QComboBox(page);
    pattern_->setEditable(true);
    pattern_->setInsertPolicy(QComboBox::NoInsert); // the history is kept by Search()
    pattern_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    pattern_->setObjectName("Pattern");
    searchButton_ = new QPushButton(UiText("Search"), page);
    matchCase_ = new QCheckBox(UiText("Match case"), page);
    enableLineOnly_ = new QCheckBox(UiText("Enable Line Only"), page);
    resultLine_ = new QLabel(page);
    resultLine_->setObjectName("ResultLine");
    resultModel_ = new QStringListModel(this);
    results_ = plainList(resultModel_, page);
    results_->setObjectName("Results");

    auto* row = new QHBoxLayout;
    row->addWidget(pattern_, 1);
    row->addWidget(searchButton_);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(matchCase_);
    boxes->addWidget(enableLineOnly_);
    boxes->addStretch(1);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(row);
    layout->addLayout(boxes);
    layout->addWidget(resultLine_);
    layout->addWidget(results_, 1);

    connect(searchButton_, &QPushButton::clicked, this, [this] { Search(); });
    connect(pattern_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (!Searching())
            Search();
    });
    connect(pattern_, &QComboBox::editTextChanged, this, [this] { refreshSearchButton(); });
    connect(results_, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { ShowResult(index.row()); });
    refreshSearchButton();
    return page;
}

void TMdlInfFrm::refreshSearchButton() {
    // Enabled only while the pattern box holds text; a running search can always be stopped.
    const bool running = Searching();
    searchButton_->setText(UiText(running ? "Cancel" : "Search"));
    searchButton_->setEnabled(running || !pattern_->currentText().isEmpty());
}

void TMdlInfFrm::clearModulePages() {
    info_ = CallInfo{};
    infoText_->clear();
    nest_->Clear();
    upper_->Clear();
    lower_->Clear();
    defineModel_->setStringList({});
}

void TMdlInfFrm::Clear() {
    clearModulePages();
    job_.Cancel();
    job_.Wait();
    poll_.stop();
    resultTexts_.clear();
    resultModel_->setStringList({});
    resultLine_->clear();
    pattern_->setEditText(QString());
    refreshSearchButton();
}

void TMdlInfFrm::Update() {
    clearModulePages();
    AppCore& core = app_.Core();
    if (core.Busy())
        return;
    info_ = BuildCallInfo(core.Engine(), core.Rows(), core.CurrentRow());
    if (info_.moduleId == 0)
        return;
    // The text keeps the program's line ends; the text box wants plain ones.
    QString shown = Utf8(info_.infoText);
    shown.replace("\r\n", "\n");
    infoText_->setPlainText(shown);
    nest_->SetNames(info_.hierarchy, info_.codePage);
    upper_->SetNames(info_.upper, info_.codePage);
    lower_->SetNames(info_.lower, info_.codePage);
    QStringList defines;
    for (const std::string& text : info_.definitions)
        defines << Utf8(text);
    defineModel_->setStringList(defines);
}

void TMdlInfFrm::Clip() {
    const ReportFormat format = ReportFormatFrom(app_.Core().GetSettings());
    if (currentIndex() == kSearchPage) {
        if (app_.Core().Busy())
            return;
        CopyReportToClipboard(app_, SearchResultText(resultTexts_, app_.Core().Engine(), format),
                              "Output to Clipboard.");
        return;
    }
    const ModuleListContent content =
        ModuleListOf(info_, info_.moduleId ? ModuleInfoTitle(info_) : std::string(), false);
    CopyReportToClipboard(app_, ModuleListText(content, format), "Output to Clipboard.");
}

bool TMdlInfFrm::Search() {
    if (Searching()) {
        job_.Cancel();
        return false;
    }
    const QString typed = pattern_->currentText();
    if (typed.isEmpty())
        return false;
    AppCore& core = app_.Core();
    const NFileAnly& engine = core.Engine();
    // Only a complete analysis has the files and line words the search reads.
    if (core.Busy() || engine.GetState() != kStateAnalysed || engine.GetFileCount() == 0) {
        resultLine_->clear();
        pattern_->setEditText(QString());
        return false;
    }
    if (pattern_->findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        pattern_->addItem(typed);
    pattern_->setEditText(typed);

    const std::string text = typed.toStdString();
    const bool matchCase = matchCase_->isChecked();
    if (LineMatcher check(PrepareSearchPattern(text), matchCase); !check.ok()) {
        resultLine_->clear();
        app_.Messages().Message(check.error(), lumbra::tr("Caution"), MessageKind::Warning);
        return false;
    }
    resultTexts_.clear();
    resultModel_->setStringList({});
    job_.Start(MakeSearchRequest(engine, text, matchCase, enableLineOnly_->isChecked()));
    poll_.start();
    pollSearch();
    return true;
}

void TMdlInfFrm::pollSearch() {
    if (std::optional<SearchOutcome> outcome = job_.Take()) {
        finishSearch(std::move(*outcome));
        return;
    }
    resultLine_->setText(
        Utf8(Format(lumbra::tr("Searching... ( %d / %d )"), job_.FilesDone(), job_.FileCount())));
    refreshSearchButton();
}

void TMdlInfFrm::WaitForSearch() {
    if (std::optional<SearchOutcome> outcome = job_.Wait())
        finishSearch(std::move(*outcome));
}

void TMdlInfFrm::finishSearch(SearchOutcome outcome) {
    poll_.stop();
    resultTexts_ = std::move(outcome.results);
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(resultTexts_.size()));
    for (const std::string& r : resultTexts_)
        texts << Utf8(r);
    resultModel_->setStringList(texts);
    const int found = static_cast<int>(resultTexts_.size());
    std::string line = outcome.cancelled
                           ? Format(lumbra::tr("Search cancelled: %d lines found."), found)
                           : Format(lumbra::tr("%d lines found."), found);
    if (outcome.unreadable > 0)
        line += " " + Format(lumbra::tr("%d files could not be read again."), outcome.unreadable);
    if (outcome.skippedLines > 0)
        line +=
            " " + Format(lumbra::tr("%ld lines were too complex for the pattern and were skipped."),
                         outcome.skippedLines);
    resultLine_->setText(Utf8(line));
    refreshSearchButton();
}

bool TMdlInfFrm::ShowResult(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= resultTexts_.size())
        return false;
    int fileNumber = 0;
    int lineNumber = 0;
    if (std::sscanf(resultTexts_[static_cast<std::size_t>(row)].c_str(), "%d, %d", &fileNumber,
                    &lineNumber) != 2)
        return false;
    AppCore& core = app_.Core();
    if (core.Busy() || fileNumber < 1 || fileNumber > core.Engine().GetFileCount())
        return false;
    const char* path = core.Engine().GetFilePath(fileNumber - 1);
    if (!path)
        return false;
    core.ShowFileLine(path, lineNumber);
    return true;
}

QString TMdlInfFrm::InfoText() const {
    return infoText_->toPlainText();
}

QStringList TMdlInfFrm::DefineTexts() const {
    return defineModel_->stringList();
}

QString TMdlInfFrm::ResultLine() const {
    return resultLine_->text();
}

QStringList TMdlInfFrm::ResultTexts() const {
    return resultModel_->stringList();
}

} // namespace lumbra::gui
