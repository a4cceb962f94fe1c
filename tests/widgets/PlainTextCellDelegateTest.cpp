// The grid's cell painting: what the plain-text delegate paints is what the style paints,
// pixel for pixel, in every state a cell can be in.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPixmap>
#include <QStandardItemModel>
#include <QTableView>

#include <functional>

#include "widgets/PlainTextCellDelegate.h"

namespace quorvane::test {
namespace {

// Device names as users type them, figures and times as the grid shows them.
const char* const kTexts[] = {
    "eth0", "00:01:23", "1,024.00 MB", "Büro \"LAN\" [1] 50% = ok", "0.00", "10.200.1.1",
    "",     "gjpqy",    "€ 12.50",     "2026-12-11 – 09:15",        "vp63", "Ελλάδα и Россия",
};

struct Look {
    const char* what;
    std::function<void(QTableView&, QStandardItemModel&)> set_up;
};

QImage painted(const Look& look, QAbstractItemDelegate* delegate) {
    QStandardItemModel model(8, 3);
    int k = 0;
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 3; ++column) {
            model.setItem(row, column, new QStandardItem(kTexts[k++ % std::size(kTexts)]));
        }
    }
    QTableView view;
    view.setModel(&model);
    view.setWordWrap(false);
    view.verticalHeader()->hide();
    view.verticalHeader()->setDefaultSectionSize(18);
    view.setColumnWidth(0, 160);
    view.setColumnWidth(1, 110);
    view.setColumnWidth(2, 130);
    view.resize(430, 190);
    if (delegate) view.setItemDelegate(delegate);
    look.set_up(view, model);
    view.show();
    QApplication::processEvents();
    return view.grab().toImage();
}

TEST(PlainTextCellDelegate, PaintsEveryCellAsTheStyleDoes) {
    const Look looks[] = {
        {"plain", [](QTableView&, QStandardItemModel&) {}},
        {"a row selected", [](QTableView& view, QStandardItemModel&) { view.selectRow(2); }},
        {"the current cell with the focus",
         [](QTableView& view, QStandardItemModel& model) {
             view.selectRow(3);
             view.setCurrentIndex(model.index(3, 1));
             view.setFocus();
         }},
        {"disabled",
         [](QTableView& view, QStandardItemModel&) {
             view.selectRow(1);
             view.setEnabled(false);
         }},
        {"texts too wide, eliding",
         [](QTableView& view, QStandardItemModel& model) {
             model.item(0, 1)->setText("a device name far too long for its column");
             model.item(4, 2)->setText(QString(60, QLatin1Char('9')));
             view.setColumnWidth(1, 40);
         }},
        {"other alignments, colours and backgrounds",
         [](QTableView&, QStandardItemModel& model) {
             model.item(1, 1)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
             model.item(2, 2)->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
             model.item(3, 0)->setForeground(QColor(200, 0, 0));
             model.item(4, 0)->setBackground(QColor(230, 240, 255));
             QFont bold;
             bold.setBold(true);
             model.item(5, 1)->setFont(bold);
         }},
        {"joining and marked scripts, an icon, a check box",
         [](QTableView&, QStandardItemModel& model) {
             model.item(0, 0)->setText(
                 QString::fromUtf8("e\u0301t\u00e9 \u0634\u0628\u0643\u0629"));
             model.item(1, 0)->setText(QString::fromUtf8("\U0001F600 phone"));
             QPixmap red(10, 10);
             red.fill(Qt::red);
             model.item(2, 0)->setIcon(red);
             model.item(3, 2)->setCheckable(true);
             model.item(3, 2)->setCheckState(Qt::Checked);
         }},
        {"a larger font",
         [](QTableView& view, QStandardItemModel&) {
             QFont font = view.font();
             font.setPointSize(font.pointSize() + 3);
             view.setFont(font);
             view.verticalHeader()->setDefaultSectionSize(26);
         }},
    };
    for (const Look& look : looks) {
        const QImage by_style = painted(look, nullptr);
        PlainTextCellDelegate delegate;
        const QImage by_delegate = painted(look, &delegate);
        ASSERT_EQ(by_style.size(), by_delegate.size()) << look.what;
        int differing = 0;
        for (int y = 0; y < by_style.height(); ++y) {
            for (int x = 0; x < by_style.width(); ++x) {
                differing += by_style.pixel(x, y) != by_delegate.pixel(x, y);
            }
        }
        EXPECT_EQ(differing, 0) << look.what;
    }
}

// The grid's own cells take the short way; what the style must lay out does not.
TEST(PlainTextCellDelegate, TakesTheShortWayForShortPlainTextsOnly) {
    QStyleOptionViewItem cell;
    cell.font = QApplication::font();
    cell.direction = Qt::LeftToRight;
    cell.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    cell.features = QStyleOptionViewItem::HasDisplay;
    cell.state = QStyle::State_Enabled | QStyle::State_Active;
    const struct {
        const char* what;
        std::function<void(QStyleOptionViewItem&)> change;
        bool plain;
    } cases[] = {
        {"a time", [](auto& c) { c.text = "00:01:23"; }, true},
        {"a name with quotes and signs", [](auto& c) { c.text = "Büro \"LAN\" [1] 50%"; }, true},
        {"too wide", [](auto& c) { c.text = QString(40, QLatin1Char('W')); }, false},
        {"the focus",
         [](auto& c) {
             c.text = "eth0";
             c.state |= QStyle::State_HasFocus;
         },
         false},
        {"aligned right",
         [](auto& c) {
             c.text = "eth0";
             c.displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
         },
         false},
        {"an icon",
         [](auto& c) {
             c.text = "eth0";
             c.features |= QStyleOptionViewItem::HasDecoration;
         },
         false},
        {"a mark", [](auto& c) { c.text = QString::fromUtf8("e\u0301"); }, false},
    };
    for (const auto& c : cases) {
        QStyleOptionViewItem option = cell;
        c.change(option);
        EXPECT_EQ(PlainTextCellDelegate::plain(option, 200), c.plain) << c.what;
    }
}

}  // namespace
}  // namespace quorvane::test
