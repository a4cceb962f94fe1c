#pragma once

#include <QStyledItemDelegate>

namespace quorvane {

// Paints a cell that holds a short plain text the way the style's own item painting does,
// pixel for pixel, at a fraction of its cost: the style's background (and selection), then
// the text in one run at its place, without laying it out as a paragraph of its own and
// measuring it three times. A grid that changes a few cells every second spends most of its
// time there. Any other cell (one with an icon, a check box, the focus, another alignment,
// a text that may not fit or whose characters join) is painted by the style as before.
class PlainTextCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Whether a cell (its options filled for its index) is painted so, with `room` pixels
    // for its text; see above.
    static bool plain(const QStyleOptionViewItem& option, int room);
};

}  // namespace quorvane
