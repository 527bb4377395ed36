// The module tree's entries as an item model: the roots "Top", "All" and "File", the modules
// under the first two, the files under the third and each file's modules under it.
#pragma once

#include <QAbstractItemModel>
#include <string>

#include "ModuleNavigator.h"

namespace lumbra::gui {

class ModuleTreeModel final : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Root : int { kTop = 0, kAll = 1, kFile = 2 };

    explicit ModuleTreeModel(QObject* parent = nullptr);

    // Shows new contents (a copy is not made: the contents must outlive the next Reset).
    void Reset(const ModuleNavigatorContents* contents, int codePage);
    // The entry's text in the internal code page (what the selection hands to the program).
    std::string Text(const QModelIndex& index) const;
    // True for the all-modules entry that ends the "Top" and "All" lists.
    bool IsAllEntry(const QModelIndex& index) const;
    // The index of a root.
    QModelIndex RootIndex(Root root) const { return index(root, 0); }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const std::vector<std::string>* list(const QModelIndex& parent) const;

    const ModuleNavigatorContents* contents_ = nullptr;
    ModuleNavigatorContents empty_;
    int codePage_ = 65001;
    std::string captions_[3];
};

} // namespace lumbra::gui
