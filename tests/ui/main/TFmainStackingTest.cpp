#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include "config/IniFile.h"
#include "ui/MainFaceFixture.h"
#include "ui/main/HelpMenu.h"
#include "ui/main/MainToolbar.h"
#include "ui/main/TrayIcon.h"

namespace quorvane::test {
namespace {

// The windows the main window opens belong to it: it is their transient parent, so the
// window manager keeps them in front of it, and each opens in front, active.
class Stacking : public MainFaceFixture {
protected:
    void SetUp() override {
        MainFaceFixture::SetUp();
        window->restore();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    static QWindow* owner_of(QWidget* shown) {
        return shown->windowHandle() ? shown->windowHandle()->transientParent() : nullptr;
    }
    // Opened in front: visible, active, and centred on the main window.
    void expect_in_front(QWidget* shown, const char* what) {
        SCOPED_TRACE(what);
        EXPECT_TRUE(shown->isVisible());
        EXPECT_EQ(owner_of(shown), window->windowHandle()) << "owned by the main window";
        // Only dialogs and tool windows carry their owner to the window manager.
        const Qt::WindowType type = shown->windowType();
        EXPECT_TRUE(type == Qt::Dialog || type == Qt::Tool) << type;
        EXPECT_TRUE(QTest::qWaitForWindowActive(shown)) << "raised and active";
        EXPECT_LE(
            (shown->frameGeometry().center() - window->frameGeometry().center()).manhattanLength(),
            4)
            << "centred on the main window";
    }
};

TEST_F(Stacking, TheAboutBoxTheTipAndTheStatisticsWindowOpenInFrontOfTheMainWindow) {
    window->PopupMenu2()->Aboutus1()->trigger();
    expect_in_front(forms.Fabout.get(), "about");
    window->PopupMenu2()->ipsoftheday1()->trigger();
    expect_in_front(forms.Ftip.get(), "tip");
    window->toolbar()->SpeedButton8()->click();
    expect_in_front(forms.Fstat.get(), "statistics");

    // Clicked back into the main window and opened again: in front again.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    window->PopupMenu2()->Aboutus1()->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowActive(forms.Fabout.get()));
}

TEST_F(Stacking, TheUsageChartOpensInFrontOfTheMainWindow) {
    window->SpeedButton6Click();
    expect_in_front(forms.Ftuneup.get(), "chart");
}

TEST_F(Stacking, TheTipAtStartUpIsTheWindowTheUserSees) {
    dir.write("config/config.ini", "[general]\ntipoftheday=1\n");
    window->Timer2Timer();
    expect_in_front(forms.Ftip.get(), "tip at start-up");
}

TEST_F(Stacking, TheMeterBelongsToNoWindowAndAHiddenMainWindowOwnsNothing) {
    window->toolbar()->SpeedButton7()->click();
    EXPECT_TRUE(forms.Fmeter->isVisible());
    EXPECT_EQ(owner_of(forms.Fmeter.get()), nullptr) << "it stays while the window is in the tray";

    window->toolbar()->SpeedButton8()->click();
    forms.Fstat->hide();
    window->hide();
    window->tray()->Statistic1()->trigger();
    EXPECT_TRUE(forms.Fstat->isVisible());
    EXPECT_EQ(owner_of(forms.Fstat.get()), nullptr);
}

}  // namespace
}  // namespace quorvane::test
