// The module tree's item model.
#include "ModuleTreeModel.h"

#include "CodePage.h"

namespace lumbra::gui {

namespace {

// internalId of an index: 0 for a root, root + 1 for an entry under a root, kFileBase + f for a
// module under file f.
constexpr quintptr kFileBase = 4;

} // namespace

ModuleTreeModel::ModuleTreeModel(QObject* parent) : QAbstractItemModel(parent) {
    Reset(nullptr, codePage_);
}

void ModuleTreeModel::Reset(const ModuleNavigatorContents* contents, int codePage) {
    beginResetModel();
    contents_ = contents ? contents : &empty_;
    codePage_ = codePage;
    captions_[kTop] = NavigatorTopCaption();
    captions_[kAll] = NavigatorAllCaption();
    captions_[kFile] = NavigatorFileCaption();
    endResetModel();
}

const std::vector<std::string>* ModuleTreeModel::list(const QModelIndex& parent) const {
    if (!parent.isValid())
        return nullptr;
    const quintptr id = parent.internalId();
    if (id == 0) {
        if (parent.row() == kTop)
            return &contents_->top;
        if (parent.row() == kAll)
            return &contents_->all;
        return nullptr;
    }
    if (id == kFile + 1 && static_cast<std::size_t>(parent.row()) < contents_->files.size())
        return &contents_->files[static_cast<std::size_t>(parent.row())].modules;
    return nullptr;
}

QModelIndex ModuleTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0 || row >= rowCount(parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, 0, quintptr{0});
    if (parent.internalId() == 0)
        return createIndex(row, 0, static_cast<quintptr>(parent.row()) + 1);
    return createIndex(row, 0, kFileBase + static_cast<quintptr>(parent.row()));
}

QModelIndex ModuleTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == 0)
        return {};
    const quintptr id = child.internalId();
    if (id < kFileBase)
        return createIndex(static_cast<int>(id - 1), 0, quintptr{0});
    return createIndex(static_cast<int>(id - kFileBase), 0, quintptr{kFile + 1});
}

int ModuleTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return 3;
    if (parent.column() != 0)
        return 0;
    if (parent.internalId() == 0 && parent.row() == kFile)
        return static_cast<int>(contents_->files.size());
    const std::vector<std::string>* entries = list(parent);
    if (!entries)
        return 0;
    // Under "Top" and "All" a non-empty list ends with the all-modules entry.
    const bool withAll = parent.internalId() == 0 && !entries->empty();
    return static_cast<int>(entries->size()) + (withAll ? 1 : 0);
}

bool ModuleTreeModel::IsAllEntry(const QModelIndex& index) const {
    if (!index.isValid() || (index.internalId() != kTop + 1 && index.internalId() != kAll + 1))
        return false;
    const std::vector<std::string>* entries = list(parent(index));
    return entries && static_cast<std::size_t>(index.row()) == entries->size();
}

int ModuleTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

std::string ModuleTreeModel::Text(const QModelIndex& index) const {
    if (!index.isValid())
        return {};
    const quintptr id = index.internalId();
    const auto row = static_cast<std::size_t>(index.row());
    if (id == 0)
        return captions_[index.row()];
    if (id == kFile + 1)
        return row < contents_->files.size() ? contents_->files[row].text : std::string();
    if (IsAllEntry(index))
        return NavigatorAllEntry();
    const std::vector<std::string>* entries = list(parent(index));
    return entries && row < entries->size() ? (*entries)[row] : std::string();
}

QVariant ModuleTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const std::string text = Text(index);
    // Captions are UTF-8 already; names and paths are in the internal code page.
    if (index.internalId() == 0 || IsAllEntry(index))
        return QString::fromUtf8(text.c_str());
    return QString::fromUtf8(InternalToUtf8(text, codePage_).c_str());
}

} // namespace lumbra::gui
