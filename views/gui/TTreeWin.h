// The module tree pane: the three roots with the top modules, all modules and the analysed
// files; choosing an entry roots the calling tree there or shows the file.
#pragma once

#include <QTreeView>

namespace lumbra::gui {

class ModuleTreeModel;
class TLumbra32App;

class TTreeWin final : public QTreeView {
    Q_OBJECT
public:
    TTreeWin(TLumbra32App& app, QWidget* parent);

    ModuleTreeModel& Model() { return *model_; }
    // Refills the entries from the program's navigator lists.
    void Refill();
    // The text of the entry last chosen (internal code page), "" when none.
    const std::string& ChosenText() const { return chosen_; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void chosen(const QModelIndex& index);

    TLumbra32App& app_;
    ModuleTreeModel* model_;
    std::string chosen_;
};

} // namespace lumbra::gui
