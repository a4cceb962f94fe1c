#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
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

}  // namespace
}  // namespace quorvane::test
