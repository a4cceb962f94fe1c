#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "ui/MainFaceFixture.h"
#include "ui/common/DesktopLinks.h"
#include "ui/common/LiveDevices.h"
#include "ui/common/MessageBox.h"
#include "ui/main/HelpMenu.h"
#include "ui/main/LogFilterBox.h"
#include "ui/main/MainToolbar.h"
#include "ui/main/TrayIcon.h"

namespace quorvane::test {
namespace {

class Commands : public MainFaceFixture {
protected:
    void SetUp() override {
        MainFaceFixture::SetUp();
        meter_device.clear();
        stat_device.clear();
        set_desktop_url_handler([this](const QUrl& url) { opened.push_back(url.toString()); });
        net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
        net.add_ethernet(3, "WAN", ipv4(10, 0, 0, 3));
        window->restore();
        ticks(1);
    }
    void TearDown() override { set_desktop_url_handler(nullptr); }
    std::vector<QString> opened;
};

TEST_F(Commands, TheToolbarHasItsSixButtonsAndTheHiddenTuneUp) {
    MainToolbar* bar = window->toolbar();
    const std::vector<std::pair<QToolButton*, const char*>> buttons{
        {bar->SpeedButton4(), "Configure"}, {bar->SpeedButton7(), "Meter"},
        {bar->SpeedButton8(), "Statistic"}, {bar->SpeedButton9(), "Help"},
        {bar->SpeedButton2(), "Home"},      {bar->SpeedButton3(), "Exit"}};
    int left = -1;
    for (const auto& [button, caption] : buttons) {
        EXPECT_TRUE(button->isVisible()) << caption;
        EXPECT_EQ(button->size(), QSize(41, 41)) << caption;
        EXPECT_EQ(button->toolTip(), caption);
        EXPECT_GT(button->x(), left) << "left to right in this order";
        left = button->x();
        auto* label = bar->findChild<QLabel*>(button->objectName() + "Caption");
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), caption);
        EXPECT_TRUE(label->isVisible());
    }
    EXPECT_FALSE(bar->SpeedButton6()->isVisible());
    // The device column is the widest; all seven fit the grid (see LogGridWidthsTest).
    for (int column : {0, 1, 3, 4, 5, 6})
        EXPECT_GT(window->StringGrid1()->columnWidth(2),
                  window->StringGrid1()->columnWidth(column));
    EXPECT_EQ(window->grid_model()->headerData(6, Qt::Horizontal).toString(), "Total traffic");
}

TEST_F(Commands, MeterKeepsItsDeviceWhileStatisticAndTheDoubleClickFollowTheGrid) {
    window->StringGrid1()->select_row(1);
    window->toolbar()->SpeedButton7()->click();
    EXPECT_EQ(meter_device, "WAN") << "an empty choice takes the grid's";
    EXPECT_TRUE(forms.Fmeter->isVisible());

    window->StringGrid1()->select_row(0);
    window->toolbar()->SpeedButton7()->click();
    EXPECT_EQ(meter_device, "WAN") << "a device chosen before is kept";

    meter_device = "   ";
    window->toolbar()->SpeedButton7()->click();
    EXPECT_EQ(meter_device, "LAN") << "blanks count as empty";

    window->toolbar()->SpeedButton8()->click();
    EXPECT_EQ(stat_device, "LAN");
    EXPECT_TRUE(forms.Fstat->isVisible());
    window->StringGrid1()->select_row(1);
    window->toolbar()->SpeedButton8()->click();
    EXPECT_EQ(stat_device, "LAN");

    forms.Fstat->hide();
    const QRect cell = window->StringGrid1()->visualRect(window->grid_model()->index(1, 2));
    QWidget* viewport = window->StringGrid1()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(stat_device, "WAN") << "a double click always replaces the device";
    EXPECT_TRUE(forms.Fstat->isVisible());
}

TEST_F(Commands, HomeHelpAndTheHelpMenuOpenTheirAddressesAndWindows) {
    window->toolbar()->SpeedButton2()->click();
    HelpMenu* help = window->PopupMenu2();
    help->Homepage1()->trigger();
    help->Help1()->trigger();
    help->Aboutus1()->trigger();
    help->ipsoftheday1()->trigger();

    const QString guide =
        QUrl::fromLocalFile(QString::fromStdString(window->help_file())).toString();
    EXPECT_EQ(opened, (std::vector<QString>{kHomePage, kHomePage, guide}));
    EXPECT_TRUE(forms.Fabout->isVisible());
    EXPECT_TRUE(forms.Ftip->isVisible());
    std::vector<std::string> items;
    for (QAction* action : help->actions()) items.push_back(action->text().toStdString());
    EXPECT_EQ(items,
              (std::vector<std::string>{"About us", "Help", "Home page", "Tips of the day"}));
}

TEST_F(Commands, TheTrayMenuRestoresAndShowsTheLiveWindowsAndItsPictureFollowsTheTick) {
    TrayIcon* tray = window->tray();
    EXPECT_EQ(tray->icon()->toolTip(), "Quorvane");
    std::vector<std::string> items;
    for (QAction* action : tray->PopupMenu1()->actions())
        if (!action->isSeparator()) items.push_back(action->text().toStdString());
    EXPECT_EQ(items, (std::vector<std::string>{"Restore", "Meter", "Statistic", "Usage chart",
                                               "Go to homepage", "Exit"}));

    tray->Meter2()->trigger();
    tray->Statistic1()->trigger();
    EXPECT_TRUE(forms.Fmeter->isVisible());
    EXPECT_TRUE(forms.Fstat->isVisible());
    EXPECT_TRUE(opened.empty());
    tray->gotohomepage2()->trigger();
    EXPECT_EQ(opened, (std::vector<QString>{kHomePage})) << "as the Home button does";

    window->hide();
    emit tray->icon()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window->isVisible());
    window->hide();
    tray->restore1()->trigger();
    EXPECT_TRUE(window->isVisible());

    traffic(2, 100, 0);
    ticks(1);
    EXPECT_EQ(tray->picture(), 1) << "download only";
    traffic(3, 0, 100);
    traffic(2, 100, 0);
    ticks(1);
    EXPECT_EQ(tray->picture(), 3);
    ticks(1);
    EXPECT_EQ(tray->picture(), 0);
}

TEST_F(Commands, WithoutATrayAMinimisedWindowStaysOnTheTaskBar) {
    ASSERT_FALSE(window->tray()->in_tray()) << "the offscreen platform has no tray";
    window->showMinimized();
    QTest::qWait(50);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMinimized());
    window->restore();
    EXPECT_FALSE(window->isMinimized());
}

// An error the user must act on is shown, naming the box and its text, and also goes to
// the event log.
TEST_F(Commands, AFailingCommandIsShownAndReachesTheEventLog) {
    window->filter_box()->ComboBox2()->setEditText("Brumaire");
    MessageBox::set_next_answer(MessageBox::Ok);
    window->filter_box()->SpeedButton5()->click();
    ASSERT_EQ(events.entries().size(), 1u);
    EXPECT_EQ(events.entries()[0].first, "quorvane");
    EXPECT_NE(events.entries()[0].second.find("Brumaire"), std::string::npos);
    EXPECT_EQ(MessageBox::last_text(),
              "The \"from\" month box holds \"Brumaire\", which is not the name of a month.\n"
              "Correct the box and try again.");
}

}  // namespace
}  // namespace quorvane::test
