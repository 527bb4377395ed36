// The module-information pane: six pages about the current row's module ("Info.", "Nest",
// "Upper", "Lower", "Define") and the "Search" page, which searches all analysed files with a
// regular expression on a worker thread. The active page is kept in "CallSelect"; the "Clip"
// button writes the module list or, on the "Search" page, the search results.
#pragma once

#include <QTabWidget>
#include <QTimer>
#include <string>

#include "CallInfo.h"
#include "SourceSearch.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListView;
class QPlainTextEdit;
class QPushButton;
class QStringListModel;

namespace lumbra::gui {

class ModuleNameList;
class TLumbra32App;

class TMdlInfFrm final : public QTabWidget {
    Q_OBJECT
public:
    enum Page : int { kInfoPage, kNestPage, kUpperPage, kLowerPage, kDefinePage, kSearchPage };

    TMdlInfFrm(TLumbra32App& app, QWidget* parent);
    ~TMdlInfFrm() override;

    // The call-information update for the program's current row (empties the module pages
    // without one).
    void Update();
    // Analysis reset: every page, the search result line and the pattern box are emptied; a
    // running search stops.
    void Clear();

    // "Clip": the module-list output, or the search output on the "Search" page.
    void Clip();

    // "Search": starts searching the pattern box's text (or stops a running search). False when
    // nothing was started.
    bool Search();
    bool Searching() const { return job_.Running(); }
    // Waits for a running search and shows its results.
    void WaitForSearch();
    // What a double click on a search result does: the source pane shows its file and line.
    bool ShowResult(int row);

    QString InfoText() const;
    const CallInfo& Info() const { return info_; }
    ModuleNameList& NestList() { return *nest_; }
    ModuleNameList& UpperList() { return *upper_; }
    ModuleNameList& LowerList() { return *lower_; }
    QStringList DefineTexts() const;
    QComboBox& PatternBox() { return *pattern_; }
    QCheckBox& MatchCaseBox() { return *matchCase_; }
    QCheckBox& EnableLineOnlyBox() { return *enableLineOnly_; }
    QPushButton& SearchButton() { return *searchButton_; }
    QPushButton& ClipButton() { return *clip_; }
    QString ResultLine() const;
    QStringList ResultTexts() const;
    QListView& ResultList() { return *results_; }

private:
    QWidget* buildSearchPage();
    void clearModulePages();
    void pollSearch();
    void finishSearch(SearchOutcome outcome);
    void refreshSearchButton();

    TLumbra32App& app_;
    CallInfo info_;
    QPlainTextEdit* infoText_;
    ModuleNameList* nest_;
    ModuleNameList* upper_;
    ModuleNameList* lower_;
    QStringListModel* defineModel_;
    QListView* defines_;
    QPushButton* clip_;

    QComboBox* pattern_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QCheckBox* enableLineOnly_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QLabel* resultLine_ = nullptr;
    QStringListModel* resultModel_ = nullptr;
    QListView* results_ = nullptr;
    std::vector<std::string> resultTexts_; // what the search output writes
    SearchJob job_;
    QTimer poll_;
};

} // namespace lumbra::gui
