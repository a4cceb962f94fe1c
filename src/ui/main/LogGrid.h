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

    // Widens the columns to their captions and to the longest texts they usually hold
    // ("1,024.00 MB") at the grid's font, then gives the device column what is left of
    // `available` pixels (never less than its own caption). The user can still drag them.
    void fit_columns(int available);
    // The texts a column is made wide enough for.
    static QStringList column_samples(int column);

protected:
    void showEvent(QShowEvent* event) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

private:
    // The current row highlighted while it holds data, and not while it is empty.
    void highlight_current_row();

    LogGridModel* m_model;
    bool m_fitted = false;
};

}  // namespace quorvane
