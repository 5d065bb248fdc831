#pragma once
#include <QAbstractTableModel>
#include <QColor>
#include <cstdint>
#include <vector>

class CStorageDatabase;

// The database as a table of ten columns, one row per entry: each cell is read from the entry
// when the view draws it, so nothing is copied and the table shows the database as it is now.
class CStatisticModel : public QAbstractTableModel {
public:
    struct Colors {
        // "Current" of a value not set in this epoch.
        QColor notSet;
        // "Current" of a value set in this epoch with its marker flag.
        QColor marked;
    };

    CStatisticModel(const CStorageDatabase& database, Colors colors, QObject* parent);

    // Takes the rows anew (after the group mask changed); the same rows keep the selection.
    void SetRows(std::vector<uint16_t> ids);
    // Every cell may have changed: the view draws them again.
    void Refresh();
    uint16_t RowId(int row) const { return ids.at(static_cast<size_t>(row)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const CStorageDatabase& database;
    Colors colors;
    std::vector<uint16_t> ids;
};
