// A list of the "Analyze Information" window as a table model: the cells of an InfoTable with
// the column captions and alignment; a header click sorts the table.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "AnalysisInfoLists.h"
#include "InfoTable.h"

namespace lumbra::gui {

class InfoTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    InfoTableModel(std::vector<InfoColumn> columns, QObject* parent);

    // Replaces the rows.
    void SetTable(InfoTable table);
    const InfoTable& Table() const { return table_; }
    const std::vector<InfoColumn>& Columns() const { return columns_; }
    // A header click: the column that sorted last reverses, another sorts ascending.
    void SortByClick(int column);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<InfoColumn> columns_;
    InfoTable table_;
};

} // namespace lumbra::gui
