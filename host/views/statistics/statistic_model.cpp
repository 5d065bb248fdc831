#include "statistic_model.h"

#include "host/views/qt_text.h"
#include "host/views/statistics/statistic_cells.h"
#include "shared/storage_database.h"

CStatisticModel::CStatisticModel(const CStorageDatabase& database, Colors colors, QObject* parent)
    : QAbstractTableModel(parent), database(database), colors(std::move(colors)) {}

void CStatisticModel::SetRows(std::vector<uint16_t> newIds) {
    if (newIds == ids) return;
    beginResetModel();
    ids = std::move(newIds);
    endResetModel();
}

void CStatisticModel::Refresh() {
    if (!ids.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kStatisticColumns - 1));
}

int CStatisticModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ids.size());
}

int CStatisticModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kStatisticColumns; }

QVariant CStatisticModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue((kStatisticColumnTable[column].rightAligned ? Qt::AlignRight : Qt::AlignLeft) |
                                   Qt::AlignVCenter);
    const CStorage* entry = database.Lookup(RowId(index.row()));
    if (!entry) return {};
    if (role == Qt::DisplayRole) return ToQString(StatisticCellText(*entry, column));
    if (role == Qt::ForegroundRole && column == kCurrentColumn) {
        if (!entry->IsValid()) return colors.notSet;
        if (entry->ChangedFlag()) return colors.marked;
    }
    return {};
}

QVariant CStatisticModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kStatisticColumns) return {};
    const StatisticColumn& column = kStatisticColumnTable[section];
    if (role == Qt::DisplayRole) return QString::fromUtf16(column.heading);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue((column.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}
