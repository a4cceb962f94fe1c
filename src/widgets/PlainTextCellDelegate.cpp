#include "widgets/PlainTextCellDelegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

#include <cmath>

#include "widgets/OneLineText.h"

namespace quorvane {

bool PlainTextCellDelegate::plain(const QStyleOptionViewItem& option, int room) {
    constexpr auto others = QStyleOptionViewItem::HasDecoration |
                            QStyleOptionViewItem::HasCheckIndicator |
                            QStyleOptionViewItem::WrapText;
    if ((option.features & others) ||
        (option.state & (QStyle::State_HasFocus | QStyle::State_Editing)) ||
        option.direction != Qt::LeftToRight ||
        option.displayAlignment != (Qt::AlignLeft | Qt::AlignVCenter)) {
        return false;
    }
    // A width that surely holds the text: no eliding to do.
    return surely_one_line(option.font, option.text, room);
}

void PlainTextCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* widget = cell.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    // The style's text margin on either side.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect room = cell.rect.adjusted(margin, 0, -margin, 0);
    if (!plain(cell, room.width())) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    painter->save();
    painter->setClipRect(cell.rect);
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, widget);
    const QPalette::ColorGroup group = !(cell.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (cell.state & QStyle::State_Active) ? QPalette::Normal
                                                                             : QPalette::Inactive;
    const bool selected = cell.state & QStyle::State_Selected;
    painter->setPen(
        cell.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(cell.font);
    // One line centred in the cell as the style centres it: its height rounded up, the
    // space above it rounded down, the text on its baseline.
    const QFontMetricsF metrics(cell.font);
    const int line = static_cast<int>(std::ceil(metrics.ascent() + metrics.descent()));
    const int top = room.top() + (room.height() - line) / 2;
    painter->drawText(QPointF(room.left(), top + metrics.ascent()), cell.text);
    painter->restore();
}

}  // namespace quorvane
