#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include <QApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QSignalSpy>

#include "ui/MainFaceFixture.h"
#include "ui/main/LogFilterBox.h"
#include "ui/main/TrayIcon.h"

namespace quorvane::test {
namespace {

// Records every widget painted while it is installed on the application.
class PaintRecorder : public QObject {
public:
    PaintRecorder() { qApp->installEventFilter(this); }
    ~PaintRecorder() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            painted.push_back(static_cast<QWidget*>(watched));
            regions.push_back(static_cast<QPaintEvent*>(event)->region());
        }
        return false;
    }
    std::vector<QWidget*> painted;
    std::vector<QRegion> regions;
};

// Delivers what a tick has posted: layout requests and the repaints.
void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// The cells (row, column) announced as changed by the spy's dataChanged signals.
std::set<std::pair<int, int>> changed_cells(const QSignalSpy& spy) {
    std::set<std::pair<int, int>> cells;
    for (const QList<QVariant>& signal : spy) {
        const auto from = signal[0].value<QModelIndex>();
        const auto to = signal[1].value<QModelIndex>();
        for (int row = from.row(); row <= to.row(); ++row)
            for (int column = from.column(); column <= to.column(); ++column)
                cells.insert({row, column});
    }
    return cells;
}

// Records the widgets whose layout is asked to lay them out again.
class LayoutRecorder : public QObject {
public:
    LayoutRecorder() { qApp->installEventFilter(this); }
    ~LayoutRecorder() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::LayoutRequest && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->layout() != nullptr)
            laid_out.push_back(watched->objectName().toStdString());
        return false;
    }
    std::vector<std::string> laid_out;
};

using TickPaint = MainFaceFixture;

TEST_F(TickPaint, AHiddenWindowIsNeitherFilledNorPainted) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    QSignalSpy changed(window->grid_model(), &QAbstractItemModel::dataChanged);
    PaintRecorder paints;

    ticks(5);
    settle();

    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->engine().mibarray().size(), 1u) << "the ticks ran";
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(window->grid_model()->data_rows(), 0);
    EXPECT_TRUE(paints.painted.empty());
}

TEST_F(TickPaint, ATickAnnouncesOnlyTheCellsWhoseTextChanged) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    net.add_ethernet(3, "WAN", ipv4(10, 0, 0, 3));
    window->restore();
    ticks(2);
    QSignalSpy changed(window->grid_model(), &QAbstractItemModel::dataChanged);

    // No traffic: only the durations move on.
    ticks(1);
    EXPECT_EQ(changed_cells(changed), (std::set<std::pair<int, int>>{{0, 3}, {1, 3}}));

    // Traffic on WAN: its duration, download and total change, LAN's duration.
    changed.clear();
    traffic(3, 4096, 0);
    ticks(1);
    EXPECT_EQ(changed_cells(changed),
              (std::set<std::pair<int, int>>{{0, 3}, {1, 3}, {1, 4}, {1, 6}}));
    EXPECT_EQ(cell(1, 4), "4.00 KB");

    // LAN goes offline: WAN moves up a row, and the row it leaves becomes empty.
    changed.clear();
    net.set_address(2, 0);
    ticks(1);
    EXPECT_EQ(devices_shown(), (std::vector<std::string>{"WAN"}));
    EXPECT_EQ(window->grid_model()->rowCount(), 11);
    for (int column = 0; column < LogGridModel::kColumns; ++column) {
        EXPECT_TRUE(changed_cells(changed).contains({1, column})) << "column " << column;
        EXPECT_EQ(cell(1, column), "");
    }
}

TEST_F(TickPaint, ATickRepaintsTheChangedCellsAndNoOtherWidget) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    window->restore();
    ticks(2);
    settle();
    QTableView* grid = window->StringGrid1();
    QLabel* time = window->summary()->Label32();
    // In the window's coordinates: the duration cell, and the summary's time line, whose
    // text holds the duration (the widgets behind the label fill in its background).
    const QRect cell = grid->visualRect(window->grid_model()->index(0, 3));
    QRegion allowed(QRect(grid->viewport()->mapTo(window, cell.topLeft()), cell.size()));
    allowed += QRect(time->mapTo(window, QPoint(0, 0)), time->size());

    PaintRecorder paints;
    ticks(1);
    settle();

    ASSERT_FALSE(paints.painted.empty());
    bool grid_painted = false, time_painted = false;
    for (size_t i = 0; i < paints.painted.size(); ++i) {
        QWidget* widget = paints.painted[i];
        const QRegion where = paints.regions[i].translated(widget->mapTo(window, QPoint(0, 0)));
        EXPECT_TRUE((where - allowed).isEmpty())
            << widget->objectName().toStdString() << " painted outside the changed texts";
        grid_painted = grid_painted || widget == grid->viewport();
        time_painted = time_painted || widget == time;
    }
    EXPECT_TRUE(grid_painted);
    EXPECT_TRUE(time_painted);
}

// The durations of several devices change together: the grid repaints those cells and
// nothing around them (a range announced at once would repaint the grid lines at its edges,
// and with them the cells beside it, every second).
TEST_F(TickPaint, SeveralChangedCellsRepaintThoseCellsOnly) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    net.add_ethernet(3, "WAN", ipv4(10, 0, 0, 3));
    net.add_ethernet(4, "DMZ", ipv4(10, 0, 0, 4));
    window->restore();
    ticks(2);
    settle();
    QTableView* grid = window->StringGrid1();
    QRegion durations;
    for (int row = 0; row < 3; ++row) {
        durations += grid->visualRect(window->grid_model()->index(row, 3));
    }

    PaintRecorder paints;
    ticks(1);
    settle();

    bool grid_painted = false;
    for (size_t i = 0; i < paints.painted.size(); ++i) {
        if (paints.painted[i] != grid->viewport()) continue;
        grid_painted = true;
        EXPECT_TRUE((paints.regions[i] - durations).isEmpty())
            << "the grid painted " << paints.regions[i].boundingRect().width() << "x"
            << paints.regions[i].boundingRect().height() << " pixels, more than the durations";
    }
    EXPECT_TRUE(grid_painted);
}

TEST_F(TickPaint, ANewTextOfAsManyLinesLaysOutNothing) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    window->restore();
    ticks(2);
    settle();
    QLabel* time = window->summary()->Label32();
    const QString before = time->text();
    const QRect filter = window->filter_box()->geometry();
    const int line = time->height();

    LayoutRecorder layouts;
    ticks(1);
    settle();
    EXPECT_NE(time->text(), before) << "the duration moved on";
    EXPECT_TRUE(layouts.laid_out.empty()) << layouts.laid_out.front();

    // A text of more lines makes the line taller; the filter beside it stays where it was.
    SummaryTexts texts;
    texts.count = "1";
    texts.time = "0:00:03 / " + std::string(40, '9') + " " + std::string(40, '8');
    texts.traffic = "0";
    texts.total = "0";
    window->summary()->show_summary(texts);
    settle();
    EXPECT_FALSE(layouts.laid_out.empty());
    EXPECT_GT(time->height(), line);
    EXPECT_GE(time->height(), time->heightForWidth(time->width()));
    EXPECT_EQ(time->toolTip(), time->text());
    EXPECT_EQ(window->filter_box()->geometry(), filter);

    // Back to one line: back to its height.
    texts.time = "0:00:03 / 0.00";
    window->summary()->show_summary(texts);
    settle();
    EXPECT_EQ(time->height(), line);
}

TEST_F(TickPaint, TheTrayIconIsHandedOverOnlyWhenItsPictureChanges) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    ticks(2);
    TrayIcon* tray = window->tray();
    const int start = tray->tray_updates();

    ticks(3);
    EXPECT_EQ(tray->tray_updates(), start) << "no traffic, no change";

    traffic(2, 1000, 0);
    ticks(1);
    EXPECT_EQ(tray->picture(), 1);
    traffic(2, 1000, 0);
    ticks(1);
    EXPECT_EQ(tray->tray_updates(), start + 1) << "downloading on, the same picture";
    ticks(1);
    EXPECT_EQ(tray->picture(), 0);
    EXPECT_EQ(tray->tray_updates(), start + 2);

    tray->set_tool_tip("Quorvane");
    EXPECT_EQ(tray->tray_updates(), start + 2) << "the same tool-tip";
    tray->set_tool_tip("Quorvane\nLAN");
    EXPECT_EQ(tray->icon()->toolTip(), "Quorvane\nLAN");
    EXPECT_EQ(tray->tray_updates(), start + 3);
}

}  // namespace
}  // namespace quorvane::test
