// Lists of module names that root the calling tree.
#include "ModuleNameList.h"

#include <QStringListModel>

#include "CallInfo.h"
#include "TLumbra32App.h"
#include "UiText.h"

namespace lumbra::gui {

ModuleNameList::ModuleNameList(TLumbra32App& app, QWidget* parent)
    : QListView(parent), app_(app), model_(new QStringListModel(this)) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    connect(this, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { Choose(index.row()); });
}

void ModuleNameList::SetNames(const std::vector<std::string>& names, int codePage) {
    names_ = names;
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& shown : DisplayNames(names, codePage))
        texts << Utf8(shown);
    model_->setStringList(texts);
}

void ModuleNameList::Clear() {
    names_.clear();
    model_->setStringList({});
}

QStringList ModuleNameList::Texts() const {
    return model_->stringList();
}

bool ModuleNameList::Choose(int row) {
    if (row < 0 || row >= Count())
        return false;
    AppCore& core = app_.Core();
    const std::string name = names_[static_cast<std::size_t>(row)];
    if (core.Busy() || core.Engine().FindModuleId(name) == 0)
        return false;
    core.ChooseRoot(name);
    return true;
}

} // namespace lumbra::gui
