#pragma once

#include <QTableView>

#include "ui/main/LogGridModel.h"

namespace quorvane {

// The main window's grid StringGrid1: seven columns the user may drag wider or narrower,
// rows of 18 pixels, whole rows selected, nothing editable.
class LogGrid : public QTableView {
    Q_OBJECT

public:
    explicit LogGrid(LogGridModel* model, QWidget* parent = nullptr);

    LogGridModel* grid_model() const { return m_model; }
    // The row selected, counting data rows from 0; -1 when none is.
    int selected_row() const;
    void select_row(int row);
    // The device name in column 2 of the selected row (empty when none or empty).
    QString selected_device() const;

private:
    LogGridModel* m_model;
};

}  // namespace quorvane
