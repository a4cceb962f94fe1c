#include "ui/main/LogGrid.h"

#include <algorithm>
#include <array>

#include <QHeaderView>
#include <QScrollBar>

#include "widgets/PlainTextCellDelegate.h"

namespace quorvane {

namespace {

constexpr std::array<int, LogGridModel::kColumns> kColumnWidths = {95, 86, 225, 93, 67, 72, 93};
constexpr int kRowHeight = 18;
// Room around a cell's text: the style's margins and the grid line.
constexpr int kCellPadding = 14;

}  // namespace

QStringList LogGrid::column_samples(int column) {
    switch (column) {
        case 0:
            return {"28/12/2026", "12/28/2026"};
        case 1:
            return {"23:59", "11:59 PM"};
        case 3:
            return {"100:00:00"};
        case 4:
        case 5:
        case 6:
            // A byte text before it turns to the next unit is at most this long.
            return {"1,024.00 MB", "1,024.00 KB", "1,023.00 B"};
        default:
            return {};
    }
}

void LogGrid::fit_columns(int available) {
    const QFontMetrics cells(font());
    const QFontMetrics captions(horizontalHeader()->font());
    int others = 0;
    int device_least = 0;
    for (int column = 0; column < LogGridModel::kColumns; ++column) {
        const QString caption = m_model->headerData(column, Qt::Horizontal).toString();
        int width = captions.horizontalAdvance(caption) + kCellPadding;
        for (const QString& sample : column_samples(column))
            width = std::max(width, cells.horizontalAdvance(sample) + kCellPadding);
        if (column == kDeviceColumn) {
            device_least = width;
            continue;
        }
        width = std::max(width, kColumnWidths[column]);
        setColumnWidth(column, width);
        others += width;
    }
    // The device column takes the rest, so the grid needs no horizontal scroll bar.
    setColumnWidth(kDeviceColumn, std::max(device_least, available - others));
}

void LogGrid::highlight_current_row() {
    const int row = selected_row();
    const bool has_data = row >= 0 && row < m_model->data_rows();
    if (has_data && !selectionModel()->isRowSelected(row, {})) {
        selectionModel()->select(m_model->index(row, 0),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else if (!has_data && selectionModel()->hasSelection()) {
        selectionModel()->clearSelection();
    }
}

void LogGrid::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    highlight_current_row();
}

void LogGrid::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    if (m_fitted) return;
    m_fitted = true;
    // Room for the vertical scroll bar, which a long view shows.
    const int scroll_bar = verticalScrollBar()->sizeHint().width();
    fit_columns(width() - 2 * frameWidth() - scroll_bar);
}

LogGrid::LogGrid(LogGridModel* model, QWidget* parent) : QTableView(parent), m_model(model) {
    setObjectName("StringGrid1");
    setModel(model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    // The now-online view changes a few cells every second: short plain texts are painted
    // without the style's paragraph layout, the same pixels at a fraction of the cost.
    setItemDelegate(new PlainTextCellDelegate(this));
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setFixedHeight(kRowHeight + 2);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < LogGridModel::kColumns; ++column) {
        setColumnWidth(column, kColumnWidths[column]);
    }
    // The grid keeps its current row for the views to come (the now-online view reads it),
    // but a row without data shows no highlight; it is highlighted once data fills it. That
    // is looked at once for each set of rows, not for each cell that changed with it.
    connect(model, &LogGridModel::rows_set, this, &LogGrid::highlight_current_row);
    connect(model, &QAbstractItemModel::rowsInserted, this, &LogGrid::highlight_current_row);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &LogGrid::highlight_current_row);
    connect(model, &QAbstractItemModel::modelReset, this, &LogGrid::highlight_current_row);
    // The first data row is selected from the start, as in any grid with a header row.
    select_row(0);
}

int LogGrid::selected_row() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void LogGrid::select_row(int row) {
    if (row < 0 || row >= m_model->rowCount()) return;
    setCurrentIndex(m_model->index(row, 0));
    selectRow(row);
}

QString LogGrid::selected_device() const {
    return m_model->device_at(selected_row());
}

}  // namespace quorvane
