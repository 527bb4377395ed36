// A list of module names (the "Nest", "Upper" and "Lower" lists of the module-information pane
// and the three lists of the "Call Information" window): a double click roots the calling tree
// at the module it names.
#pragma once

#include <QListView>
#include <string>
#include <vector>

class QStringListModel;

namespace lumbra::gui {

class TLumbra32App;

class ModuleNameList final : public QListView {
    Q_OBJECT
public:
    ModuleNameList(TLumbra32App& app, QWidget* parent);

    // Names in the internal code page.
    void SetNames(const std::vector<std::string>& names, int codePage);
    void Clear();
    int Count() const { return static_cast<int>(names_.size()); }
    QStringList Texts() const;

    // What a double click on an entry does: the module becomes the root of the calling tree.
    // False (nothing happens) when the entry names no module or an analysis runs.
    bool Choose(int row);

private:
    TLumbra32App& app_;
    QStringListModel* model_;
    std::vector<std::string> names_;
};

} // namespace lumbra::gui
