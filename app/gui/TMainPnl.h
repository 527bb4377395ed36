// The main panel: the module tree and the module-information pane in the left column, the
// structure and source panes beside or above each other (the split direction), with the
// stored proportions.
//
// Extension point: the four panes are single instances created here; a later issue that
// replaces a pane's insides keeps its class name (TSourceWin, TMdlInfFrm, ...) and its
// constructor (TLumbra32App&, QWidget* parent), so nothing here changes.
#pragma once

#include <QWidget>

class QSplitter;

namespace lumbra {
struct Settings;
}

namespace lumbra::gui {

class TLumbra32App;
class TMdlInfFrm;
class TSourceWin;
class TStructWin;
class TTreeWin;

class TMainPnl final : public QWidget {
    Q_OBJECT
public:
    // The pane that last had the focus (the external editor's origin).
    enum Pane : int { kTreePane = 0, kSourcePane = 1, kStructurePane = 2 };

    TMainPnl(TLumbra32App& app, QWidget* parent);

    TTreeWin& Tree() { return *tree_; }
    TSourceWin& Source() { return *source_; }
    TStructWin& Structure() { return *structure_; }
    TMdlInfFrm& ModuleInfo() { return *moduleInfo_; }

    int ActivePane() const { return activePane_; }
    void SetActivePane(int pane) { activePane_ = pane; }

    // "SplitDir": 0 structure and source side by side, otherwise one above the other.
    void ApplySplitDirection(int direction);
    // "TreeRange" (the left column's share of the width), "CallRange" (the module-information
    // pane's share of the left column) and "StructRange" (the structure pane's share of the
    // width, or of the height when the panes are one above the other), in percent.
    void ApplyProportions(const Settings& settings);
    void StoreProportions(Settings& settings) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* titled(const char* title, QWidget* pane);
    void splitRight();

    TLumbra32App& app_;
    QSplitter* outer_;
    QSplitter* left_;
    QSplitter* right_;
    TTreeWin* tree_;
    TMdlInfFrm* moduleInfo_;
    TStructWin* structure_;
    TSourceWin* source_;
    int activePane_ = kStructurePane;
    bool proportionsApplied_ = false;
    int treeRange_ = 15, callRange_ = 50, structRange_ = 45;
};

} // namespace lumbra::gui
