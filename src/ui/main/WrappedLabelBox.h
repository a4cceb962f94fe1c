#pragma once

#include <QFont>
#include <QWidget>

class QLabel;

namespace quorvane {

// Holds one word-wrapping label in a layout and lays out its window again only when the
// label needs another height at its width: a new text that fills as many lines as the
// last one repaints the label and nothing else. (A word-wrapping label on its own makes
// its whole window lay itself out at every change of its text.)
class WrappedLabelBox : public QWidget {
public:
    // Holds a new label as its only child, filling the box.
    explicit WrappedLabelBox(QWidget* parent);

    QLabel* label() const { return m_label; }
    // Gives the box and its label the same size policy.
    void set_size_policy(const QSizePolicy& policy);
    // Shows the text, with the whole text as its tool-tip; an unchanged text is left alone.
    void set_text(const QString& text);
    // Lets the user select the label's text with the mouse and copy it. The label takes the
    // text interaction only while the mouse is over it or it holds the focus (a selection
    // to copy, its context menu open): a selectable label keeps its text as a document that
    // is laid out again at every change, three times the cost of painting it plainly, and a
    // figure that changes each second pays that every second. Both are painted alike.
    void set_selectable_by_mouse();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Asks the layout for room again when the label's height at the present width is not
    // the one last measured there.
    void check_height();
    // The label's height for its text at the box's width. A text that surely makes one line
    // of the label's font is as high as the last such text measured at this width and font,
    // without a measure: measuring a word-wrapping label lays its text out as a document
    // twice, the largest part of a tick's cost for a line whose figures change each second.
    int needed_height();
    // The label's text interaction on or off, as the mouse and the focus ask.
    void follow_interest(bool interested);

    QLabel* m_label;
    int m_width = -1;   // the width of the last measure
    int m_needed = -1;  // the label's height for that width
    // The height of one line, measured at this width in this font.
    QFont m_line_font;
    int m_line_width = -1;
    int m_line_height = -1;
    Qt::TextInteractionFlags m_line_flags;
    bool m_selectable = false;
};

}  // namespace quorvane
