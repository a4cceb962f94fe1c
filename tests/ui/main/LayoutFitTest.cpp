#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include "ui/MainFaceFixture.h"
#include "ui/main/LogGrid.h"
#include "ui/main/SummaryPanel.h"

namespace quorvane::test {
namespace {

// Columns and labels fit the longest texts they hold at the font the test runs with.
class LayoutFit : public MainFaceFixture {
protected:
    void SetUp() override {
        MainFaceFixture::SetUp();
        window->restore();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
};

TEST_F(LayoutFit, EveryGridColumnHoldsItsCaptionAndLongestTextWithoutAHorizontalScrollBar) {
    LogGrid* grid = window->StringGrid1();
    const QFontMetrics cells(grid->font());
    const QFontMetrics captions(grid->horizontalHeader()->font());
    int total = 0;
    for (int column = 0; column < LogGridModel::kColumns; ++column) {
        const QString caption = window->grid_model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_GE(grid->columnWidth(column), captions.horizontalAdvance(caption) + 6) << column;
        for (const QString& text : LogGrid::column_samples(column))
            EXPECT_GE(grid->columnWidth(column), cells.horizontalAdvance(text) + 6)
                << text.toStdString();
        total += grid->columnWidth(column);
    }
    EXPECT_GE(grid->columnWidth(4), cells.horizontalAdvance("1,024.00 MB") + 6);
    // Room left for the vertical scroll bar of a long view.
    EXPECT_LE(total, grid->width() - 2 * grid->frameWidth() -
                         grid->verticalScrollBar()->sizeHint().width());
    EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(4), QHeaderView::Interactive)
        << "the user can still drag them";
}

TEST_F(LayoutFit, TheSummaryShowsThePeriodOnOneLine) {
    QLabel* period = window->summary()->Label7();
    window->summary()->set_period("28/12/2026 to 28/12/2026");
    QTest::qWait(10);
    EXPECT_GE(period->width(), period->fontMetrics().horizontalAdvance(period->text()))
        << "no wrap onto a second line";
}

// An empty grid keeps its selected row for the views to come, but paints no highlight.
TEST_F(LayoutFit, AnEmptyRowShowsNoSelection) {
    LogGrid* grid = window->StringGrid1();
    ASSERT_EQ(grid->selected_row(), 0);
    ASSERT_EQ(window->grid_model()->data_rows(), 0);
    const QImage shot = grid->viewport()->grab().toImage();
    const QColor highlight = grid->palette().color(QPalette::Active, QPalette::Highlight);
    const QColor inactive = grid->palette().color(QPalette::Inactive, QPalette::Highlight);
    const QRect row0 = grid->visualRect(window->grid_model()->index(0, 1));
    const QColor painted = shot.pixelColor(row0.center());
    EXPECT_NE(painted, highlight);
    EXPECT_NE(painted, inactive);

    // Data in the row: highlighted.
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    ticks(1);
    ASSERT_EQ(window->grid_model()->data_rows(), 1);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(0, {}));
    EXPECT_EQ(grid->selected_device(), "LAN");
}

}  // namespace
}  // namespace quorvane::test
