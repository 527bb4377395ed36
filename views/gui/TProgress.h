// The modeless "Analyze Information" window: the analysed files and all modules with their
// counts in two sortable lists, the totals line between them, and the buttons that copy the
// analysis reports to the clipboard. Placed by "AttrProg"; the column widths live in
// "ColumnFile" and "ColumnFunc".
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;

namespace lumbra::gui {

class InfoTableModel;
class TLumbra32App;

class TProgress final : public QDialog {
    Q_OBJECT
public:
    TProgress(TLumbra32App& app, QWidget* parent);

    // Fills both lists and the totals line from the engine (once, on opening).
    void Fill();

    // "Analyze Out" and "Calling Out": the report to the clipboard, then "Copy to Clipboard.".
    void AnalyzeOut();
    void CallingOut();

    QTableView& FileList() { return *fileList_; }
    QTableView& ModuleList() { return *moduleList_; }
    InfoTableModel& FileModel() { return *fileModel_; }
    InfoTableModel& ModuleModel() { return *moduleModel_; }
    QString TotalsText() const;
    QPushButton& AnalyzeOutButton() { return *analyzeOut_; }
    QPushButton& CallingOutButton() { return *callingOut_; }
    QPushButton& OkButton() { return *ok_; }

    // Keeps the placement and the column widths in the settings (also when the window closes).
    void StoreLayout();

protected:
    void done(int result) override;

private:
    QTableView* makeList(InfoTableModel* model);
    void applyLayout();
    void copyReport(const std::string& text);

    TLumbra32App& app_;
    QPushButton* analyzeOut_;
    QPushButton* callingOut_;
    QPushButton* ok_;
    InfoTableModel* fileModel_;
    InfoTableModel* moduleModel_;
    QTableView* fileList_;
    QTableView* moduleList_;
    QLabel* totals_;
};

} // namespace lumbra::gui
