#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QString>

#include "format/RegionalSettings.h"
#include "logdb/OrderedLogRows.h"
#include "ui/main/GridTexts.h"

namespace quorvane {

// The main grid's rows: the devices online now (texts made once a tick) or the connections
// of the database view (kept as the compact log rows, their texts made only for the rows on screen,
// so a refresh over a large log costs no formatting). There are never fewer than eleven data rows;
// the rows past the data are empty. Rows change in place, so the grid's selection stays on its row
// from one refresh to the next.
class LogGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kColumns = 7;
    static constexpr int kMinimumRows = 11;

    explicit LogGridModel(RegionalSettings regional, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The now-online view: these rows, the rest of the grid empty. The row count stays as
    // it is unless more rows are needed. Only the cells whose text changed are announced
    // as changed.
    void set_texts(std::vector<GridRowTexts> rows);
    // The database view: one row per connection, and no fewer than eleven rows in all.
    void set_log_rows(OrderedLogRows rows);
    // Empties every row, keeping the row count.
    void clear();

    // The cell text of a row and column; empty past the data.
    QString text(int row, int column) const;
    // The device name of a row (column 2), empty for an empty row.
    QString device_at(int row) const { return text(row, kDeviceColumn); }
    // How many rows hold data.
    int data_rows() const;
    const OrderedLogRows& log_rows() const { return m_log_rows; }

signals:
    // New rows were set (or emptied): the count of data rows may have changed. Sent once
    // for each set, after the changes of its cells.
    void rows_set();

private:
    // Grows or shrinks to count rows and tells the views that every cell may have changed.
    void resize_to(int count);

    RegionalSettings m_regional;
    std::vector<GridRowTexts> m_texts;
    OrderedLogRows m_log_rows;
    int m_rows = kMinimumRows;
};

}  // namespace quorvane
