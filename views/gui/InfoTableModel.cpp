// The table model of the analysis-information lists.
#include "InfoTableModel.h"

#include "UiText.h"

namespace lumbra::gui {

InfoTableModel::InfoTableModel(std::vector<InfoColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)),
      table_(static_cast<int>(columns_.size())) {}

void InfoTableModel::SetTable(InfoTable table) {
    beginResetModel();
    table_ = std::move(table);
    endResetModel();
}

void InfoTableModel::SortByClick(int column) {
    if (column < 0 || column >= table_.columnCount())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selection and the current row follow their rows to the new places.
    const QModelIndexList persistent = persistentIndexList();
    std::vector<int> sources;
    sources.reserve(static_cast<std::size_t>(persistent.size()));
    for (const QModelIndex& index : persistent)
        sources.push_back(table_.sourceRow(index.row()));
    table_.sortByClick(column);
    if (!persistent.isEmpty()) {
        std::vector<int> displayOf(static_cast<std::size_t>(table_.rowCount()));
        for (int row = 0; row < table_.rowCount(); ++row)
            displayOf[static_cast<std::size_t>(table_.sourceRow(row))] = row;
        for (qsizetype i = 0; i < persistent.size(); ++i)
            changePersistentIndex(
                persistent[i],
                index(displayOf[static_cast<std::size_t>(sources[static_cast<std::size_t>(i)])],
                      persistent[i].column()));
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int InfoTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.rowCount();
}

int InfoTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant InfoTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= table_.rowCount() ||
        index.column() >= table_.columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return Utf8(table_.cell(index.row(), index.column()));
    if (role == Qt::TextAlignmentRole) {
        const bool right = columns_[static_cast<std::size_t>(index.column())].rightAligned;
        return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
}

QVariant InfoTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(columns_.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return UiText(columns_[static_cast<std::size_t>(section)].caption);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace lumbra::gui
