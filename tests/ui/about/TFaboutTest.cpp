#include <gtest/gtest.h>

#include <vector>

#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "ui/about/TFabout.h"
#include "ui/common/DesktopLinks.h"
#include "ui/common/LinkLabel.h"

namespace quorvane::test {
namespace {

// Every address the box opens reaches the test instead of the desktop.
class TFaboutTest : public ::testing::Test {
protected:
    void SetUp() override {
        set_desktop_url_handler([this](const QUrl& url) { opened.push_back(url); });
    }
    void TearDown() override { set_desktop_url_handler(nullptr); }

    QLabel* label(const char* name) { return box.findChild<QLabel*>(name); }

    TFabout box;
    std::vector<QUrl> opened;
};

TEST_F(TFaboutTest, IsASmallFixedWindowWithOnlyACloseButton) {
    EXPECT_EQ(box.objectName(), "Fabout");
    EXPECT_EQ(box.windowTitle(), "About Quorvane");
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.size(), QSize(363, 240));
    EXPECT_EQ(box.minimumSize(), QSize(363, 240));
    EXPECT_EQ(box.maximumSize(), QSize(363, 240));
    const Qt::WindowFlags flags = box.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::Window));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(box.palette().color(QPalette::Window), QColor(216, 228, 248));
}

struct TextCase {
    const char* label;
    const char* text;
};

class TFaboutText : public TFaboutTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(TFaboutText, ShowsItsLineExactly) {
    const QLabel* shown = label(GetParam().label);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Lines, TFaboutText,
                         ::testing::Values(TextCase{"product_name", "Quorvane"},
                                           TextCase{"version_caption", "Version        :"},
                                           TextCase{"version", "2.1.1(Build 2)"},
                                           TextCase{"home_caption", "go to      :"},
                                           TextCase{"home_link", kHomePage},
                                           TextCase{"update_information", "for update information"},
                                           TextCase{"mail_caption", "email support     :"},
                                           TextCase{"mail_link", kSupportAddress}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(TFaboutTest, ShowsTheProductNameInBoldOnAWhitePanelBesideTheLogo) {
    EXPECT_TRUE(label("product_name")->font().bold());
    const QLabel* logo = label("logo");
    ASSERT_NE(logo, nullptr);
    EXPECT_FALSE(logo->pixmap().isNull());
    const auto* panel = box.findChild<QWidget*>("panel");
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->autoFillBackground());
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(Qt::white));
}

struct LinkCase {
    const char* label;
    const char* url;
};

class TFaboutLink : public TFaboutTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(TFaboutLink, LooksLikeALinkAndOpensItsAddressWhenClicked) {
    box.show();
    QLabel* link = label(GetParam().label);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(link, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened.front(), QUrl(GetParam().url));
}

INSTANTIATE_TEST_SUITE_P(Links, TFaboutLink,
                         ::testing::Values(LinkCase{"home_link", kHomePage},
                                           LinkCase{"mail_link",
                                                    "mailto:support@quorvane.example.org"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(TFaboutTest, ARightClickOnALinkOpensNothing) {
    box.show();
    QTest::mouseClick(label("home_link"), Qt::RightButton);
    EXPECT_TRUE(opened.empty());
}

TEST_F(TFaboutTest, ItsFlatButtonClosesTheBox) {
    box.bring_up();
    ASSERT_TRUE(box.isVisible());
    auto* button = box.findChild<QToolButton*>("close_button");
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->autoRaise());
    EXPECT_FALSE(button->icon().isNull());

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(box.isVisible());
}

TEST_F(TFaboutTest, BringingItUpAgainKeepsOneOpenBox) {
    box.bring_up();
    box.bring_up();
    EXPECT_TRUE(box.isVisible());
    EXPECT_FALSE(box.isMinimized());
}

}  // namespace
}  // namespace quorvane::test
