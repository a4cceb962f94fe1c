#include "ui/main/WrappedLabelBox.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLabel>

#include "widgets/OneLineText.h"

namespace quorvane {

WrappedLabelBox::WrappedLabelBox(QWidget* parent) : QWidget(parent), m_label(new QLabel(this)) {}

void WrappedLabelBox::set_size_policy(const QSizePolicy& policy) {
    m_label->setSizePolicy(policy);
    setSizePolicy(policy);
}

void WrappedLabelBox::set_selectable_by_mouse() {
    if (m_selectable) return;
    m_selectable = true;
    m_label->installEventFilter(this);
    follow_interest(m_label->underMouse() || m_label->hasFocus());
}

void WrappedLabelBox::follow_interest(bool interested) {
    const Qt::TextInteractionFlags flags =
        interested ? Qt::TextSelectableByMouse : Qt::NoTextInteraction;
    if (m_label->textInteractionFlags() == flags) return;
    // The focus policy is left as this sets it (a click's focus while selectable, none
    // otherwise): a label that takes any focus keeps its document. The two ways of painting
    // make the same height; should a font ever differ, the height is looked at again.
    m_label->setTextInteractionFlags(flags);
    check_height();
}

bool WrappedLabelBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_label) {
        switch (event->type()) {
            case QEvent::Enter:
                follow_interest(true);
                break;
            case QEvent::Leave:
                follow_interest(m_label->hasFocus());
                break;
            case QEvent::FocusOut: {
                // The label's own context menu takes the focus while it is open, and another
                // window while it is in front: the selection stays for when they are gone.
                const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
                if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
                    follow_interest(m_label->underMouse());
                }
                break;
            }
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void WrappedLabelBox::set_text(const QString& text) {
    if (m_label->text() == text) return;
    m_label->setText(text);
    m_label->setToolTip(text);
    check_height();
}

QSize WrappedLabelBox::sizeHint() const {
    return m_label->sizeHint();
}

QSize WrappedLabelBox::minimumSizeHint() const {
    return m_label->minimumSizeHint();
}

bool WrappedLabelBox::hasHeightForWidth() const {
    return m_label->hasHeightForWidth();
}

int WrappedLabelBox::heightForWidth(int width) const {
    return m_label->heightForWidth(width);
}

bool WrappedLabelBox::event(QEvent* event) {
    // The label asks for a new layout (a new text, font or style): the box has no layout
    // of its own, so the request comes here and is passed on only if the height changes.
    if (event->type() == QEvent::LayoutRequest) check_height();
    return QWidget::event(event);
}

void WrappedLabelBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_label->setGeometry(rect());
    // A layout keeps the heights it asked for by width, so at a width it used before the
    // last text change it may hand out a height measured for an older text: once per
    // width and height, such a mismatch is sent back to it.
    const int needed = needed_height();
    if (needed != height() && (width() != m_width || needed != m_needed)) {
        m_width = width();
        m_needed = needed;
        updateGeometry();
        return;
    }
    m_width = width();
    m_needed = needed;
}

int WrappedLabelBox::needed_height() {
    const QFont font = m_label->font();
    const QMargins margins = m_label->contentsMargins();
    // The label's own margin and the document's are less than the spare pixels taken here.
    const int room = width() - margins.left() - margins.right() - 2 * m_label->margin() - 12;
    const bool one_line = surely_one_line(font, m_label->text(), room);
    if (one_line && m_line_height >= 0 && m_line_width == width() && m_line_font == font &&
        m_line_flags == m_label->textInteractionFlags()) {
        return m_line_height;
    }
    const int needed = m_label->heightForWidth(width());
    if (one_line) {
        m_line_font = font;
        m_line_width = width();
        m_line_height = needed;
        m_line_flags = m_label->textInteractionFlags();
    }
    return needed;
}

void WrappedLabelBox::check_height() {
    const int needed = needed_height();
    // Not laid out yet, or a new height: the layout measures the label again.
    if (!isVisible() || width() != m_width || needed != m_needed) {
        m_width = width();
        m_needed = needed;
        updateGeometry();
    }
}

}  // namespace quorvane
