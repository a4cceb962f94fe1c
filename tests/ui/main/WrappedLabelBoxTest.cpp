#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "ui/main/WrappedLabelBox.h"

namespace quorvane::test {
namespace {

void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// A window of one wrapping line above a stretch, at a width of its own.
struct Holder {
    Holder() {
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        box->label()->setWordWrap(true);
        box->set_size_policy(policy);
        layout->addWidget(box);
        layout->addStretch(1);
        box->set_text("short");
        window.resize(400, 300);
        window.show();
        settle();
    }
    void width(int pixels) {
        window.resize(pixels, 300);
        settle();
    }
    QLabel* label() const { return box->label(); }
    bool whole() const { return label()->height() >= label()->heightForWidth(label()->width()); }
    int lines_at(int pixels) const {
        return label()->heightForWidth(pixels) / label()->fontMetrics().lineSpacing();
    }

    QWidget window;
    WrappedLabelBox* box = new WrappedLabelBox(&window);
};

TEST(WrappedLabelBoxTest, TheLineFollowsItsTextAndItsWidth) {
    Holder holder;
    const int line = holder.label()->height();
    holder.box->set_text(QString(120, 'x').replace(10, 1, ' ').replace(70, 1, ' '));
    settle();
    EXPECT_GT(holder.label()->height(), line);
    EXPECT_TRUE(holder.whole());
    EXPECT_EQ(holder.label()->toolTip(), holder.label()->text());
    holder.box->set_text("short again");
    settle();
    EXPECT_EQ(holder.label()->height(), line);
}

// The layout keeps the heights it measured by width: a text changed at one width must not
// leave the height measured for the old text at another.
TEST(WrappedLabelBoxTest, AWidthUsedBeforeATextChangeIsMeasuredAgain) {
    Holder holder;
    holder.width(150);  // "short" on one line at 150 and at 400
    holder.width(400);
    // One line at 400, more at 150: at 400 nothing is laid out again.
    const QString text = "a text of some words that wrap when narrow";
    ASSERT_EQ(holder.lines_at(400), 1);
    holder.box->set_text(text);
    settle();
    ASSERT_EQ(holder.lines_at(400), 1);
    ASSERT_GT(holder.lines_at(150), 1);
    holder.width(150);
    EXPECT_TRUE(holder.whole()) << holder.label()->height() << " for "
                                << holder.label()->heightForWidth(150);
}

// Whatever the texts that follow each other, the label always has the height its text needs
// at its width: a text that stays on one line keeps it without a measure, and one that needs
// more lines (or joins, marks or breaks its characters) gets them.
TEST(WrappedLabelBoxTest, EveryTextGetsTheHeightItNeeds) {
    Holder holder;
    holder.width(260);
    const QString texts[] = {
        "00:00:01",
        "00:00:02",
        "12 connections, 1:23:45 h, 1,024.00 MB",
        "12 connections, 1:23:46 h, 1,024.01 MB",
        QString(40, QLatin1Char('W')),  // one word wider than the label
        "short",
        "a text of many words that surely needs a second line at this width, and a third",
        "short",
        QString::fromUtf8("caf\u00e9 \u20ac 12.50 \u2013 ok"),
        QString::fromUtf8("two\nlines"),
        QString::fromUtf8("e\u0301 and \u05e9\u05dc\u05d5\u05dd and \U0001F600"),
        QString(38, QLatin1Char('i')),
        QString(38, QLatin1Char('M')),
        "",
        "00:00:03",
        "   ",
    };
    for (const QString& text : texts) {
        holder.box->set_text(text);
        settle();
        EXPECT_EQ(holder.label()->height(), holder.label()->heightForWidth(holder.label()->width()))
            << text.toStdString();
    }
}

}  // namespace
}  // namespace quorvane::test

namespace quorvane::test {
namespace {

// Whether the label keeps its text as a document for selecting it (Qt's text control).
bool keeps_document(const QLabel* label) {
    for (const QObject* child : label->children()) {
        if (QByteArray(child->metaObject()->className()).contains("TextControl")) return true;
    }
    return false;
}

// A selectable line takes the text interaction while the mouse is over it or it keeps a
// selection in its focus, and gives it up when the focus goes elsewhere.
TEST(WrappedLabelBoxTest, TheTextCanBeSelectedAndCopiedWhileTheMouseIsOverIt) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* box = new WrappedLabelBox(&window);
    box->label()->setWordWrap(true);
    box->set_selectable_by_mouse();
    auto* other = new QLineEdit(&window);
    layout->addWidget(box);
    layout->addWidget(other);
    box->set_text("1:02:03 / 12.50");
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QLabel* label = box->label();
    EXPECT_EQ(label->textInteractionFlags(), Qt::NoTextInteraction);
    EXPECT_FALSE(keeps_document(label));
    const QImage plain = label->grab().toImage();

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), label->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(label, &enter);
    ASSERT_EQ(label->textInteractionFlags(), Qt::TextSelectableByMouse);
    EXPECT_EQ(label->grab().toImage(), plain) << "the same pixels either way";
    // A double click selects a word and gives the label the focus.
    QTest::mouseDClick(label, Qt::LeftButton, {}, QPoint(3, label->height() / 2));
    ASSERT_TRUE(label->hasSelectedText());
    EXPECT_TRUE(label->hasFocus());
    const QString selected = label->selectedText();

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(label, &leave);
    EXPECT_EQ(label->textInteractionFlags(), Qt::TextSelectableByMouse);
    EXPECT_EQ(label->selectedText(), selected);
    QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), selected);

    other->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(label->textInteractionFlags(), Qt::NoTextInteraction);
    EXPECT_FALSE(keeps_document(label));
    EXPECT_EQ(label->text(), "1:02:03 / 12.50");
}

}  // namespace
}  // namespace quorvane::test
