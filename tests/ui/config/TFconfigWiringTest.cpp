// Needs the main window's wiring of the configuration dialog and the tip window (attach in
// TFmain::set_forms, load_general_cfg in Timer2Timer, exec() in SpeedButton4Click).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include "config/IniFile.h"
#include "ui/MainFaceFixture.h"
#include "ui/main/MainToolbar.h"

namespace quorvane::test {
namespace {

class ConfigWiring : public MainFaceFixture {
protected:
    void SetUp() override {
        // The start-with-the-desktop entry of these tests stays in their own folder.
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.str() + "/xdg"));
        MainFaceFixture::SetUp();
    }
    void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }
};

TEST_F(ConfigWiring, Timer2LoadsTheGeneralOptionsIntoTheDialogAndTheTip) {
    dir.write("config/config.ini", "[general]\nstartminimized=1\ntipoftheday=1\n");
    window->Timer2Timer();
    EXPECT_TRUE(forms.Fconfig->CheckBox2()->isChecked());
    EXPECT_TRUE(forms.Ftip->CheckBox1()->isChecked());
    EXPECT_TRUE(forms.Ftip->isVisible());
    EXPECT_FALSE(forms.Ftip->Tips().empty()) << "the tips were read at start-up";
}

TEST_F(ConfigWiring, ConfigureRunsTheDialogModallyOverTheDevicesOfTheMachine) {
    net.add_ethernet(2, "Office [LAN]", ipv4(10, 0, 0, 2));
    ticks(1);
    bool modal = false;
    QTimer::singleShot(0, window, [&] {
        modal = QApplication::activeModalWidget() == forms.Fconfig.get();
        EXPECT_EQ(forms.Fconfig->cell(0, 0), "Office [LAN]");
        forms.Fconfig->CheckBox3()->setChecked(true);
        forms.Fconfig->SpeedButton(4)->click();
        EXPECT_EQ(forms.Fconfig->cell(0, 2), "Not logged");
        forms.Fconfig->SpeedButton(3)->click();
    });
    window->toolbar()->SpeedButton4()->click();
    EXPECT_TRUE(modal);
    EXPECT_TRUE(window->engine().dev_cfg_changed());
    ticks(1);
    EXPECT_EQ(window->engine().mibarray()[0].log_option, 0);
}

TEST_F(ConfigWiring, TheTipsCloseSavesTheGeneralOptionsThroughTheDialog) {
    forms.Ftip->show();
    forms.Ftip->CheckBox1()->setChecked(true);
    forms.Ftip->SpeedButton3()->click();
    EXPECT_EQ(IniFile(dir.str() + "/config/config.ini").read_string("general", "tipoftheday", ""),
              "1");
}

}  // namespace
}  // namespace quorvane::test
