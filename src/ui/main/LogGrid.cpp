#include "ui/main/LogGrid.h"

#include <array>

#include <QHeaderView>

namespace quorvane {

namespace {

constexpr std::array<int, LogGridModel::kColumns> kColumnWidths = {95, 86, 225, 93, 67, 72, 93};
constexpr int kRowHeight = 18;

}  // namespace

LogGrid::LogGrid(LogGridModel* model, QWidget* parent) : QTableView(parent), m_model(model) {
    setObjectName("StringGrid1");
    setModel(model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
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
