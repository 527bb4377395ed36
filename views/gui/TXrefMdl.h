// The modeless "Call Information" window: the current row's module with its file line, the path
// from the root ("Hierarchy"), its upper and lower modules, and a "Clip" button for the
// module-list output. Placed by "AttrXref".
#pragma once

#include <QDialog>

#include "CallInfo.h"

class QLabel;
class QPushButton;

namespace lumbra::gui {

class ModuleNameList;
class TLumbra32App;

class TXrefMdl final : public QDialog {
    Q_OBJECT
public:
    TXrefMdl(TLumbra32App& app, QWidget* parent);

    // The call-information update for the program's current row.
    void Update();
    // Captions reset and lists emptied.
    void Clear();
    // "Clip": the module-list output, then "Output to Clipboard.".
    void Clip();

    QString FileLine() const;
    QString HierarchyLabel() const;
    QString UpperLabel() const;
    QString LowerLabel() const;
    ModuleNameList& HierarchyList() { return *hierarchy_; }
    ModuleNameList& UpperList() { return *upper_; }
    ModuleNameList& LowerList() { return *lower_; }
    QPushButton& ClipButton() { return *clip_; }

    // Keeps the placement in "AttrXref" (also when the window closes).
    void StoreLayout();

protected:
    void done(int result) override;

private:
    void applyLayout();

    TLumbra32App& app_;
    CallInfo info_;
    QLabel* fileLine_;
    QPushButton* clip_;
    QLabel* hierarchyLabel_;
    QLabel* upperLabel_;
    QLabel* lowerLabel_;
    ModuleNameList* hierarchy_;
    ModuleNameList* upper_;
    ModuleNameList* lower_;
};

} // namespace lumbra::gui
