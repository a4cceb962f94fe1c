#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QLabel>
#include <QToolButton>

#include "config/IniFile.h"
#include "ui/ConfigDialogFixture.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

class TipWindow : public ConfigDialogFixture {
protected:
    // The window over a tip file of its own.
    void load(const std::string& content) {
        dir.write("config/tip.cfg", content);
        tip.attach(dir.str(), &dialog);
    }
    std::string shown() const { return tip.Label2()->text().toStdString(); }
};

TEST_F(TipWindow, IsASmallToolWindowWithItsControls) {
    EXPECT_EQ(tip.objectName(), "Ftip");
    EXPECT_EQ(tip.windowTitle(), "Tip of the day");
    EXPECT_EQ(tip.minimumSize(), QSize(385, 259));
    EXPECT_EQ(tip.maximumSize(), QSize(385, 259));
    EXPECT_EQ(tip.SpeedButton1()->text(), "Next tip      >>");
    EXPECT_EQ(tip.SpeedButton2()->text(), "<< Previous tip");
    EXPECT_EQ(tip.SpeedButton3()->text(), "Close");
    EXPECT_EQ(tip.CheckBox1()->text(), "Show Tip of the day on startup");
    EXPECT_EQ(tip.findChild<QWidget*>("Panel1")->palette().color(QPalette::Window),
              QColor(251, 254, 224));
    EXPECT_EQ(tip.Label2()->size(), QSize(300, 129));
    EXPECT_TRUE(tip.Label2()->wordWrap());
}

TEST_F(TipWindow, TheShippedTipsAreLoadedAtStartUp) {
    // The fixture's data directory is provisioned with the program's own tip file.
    EXPECT_GE(tip.Tips().size(), 12u);
    EXPECT_EQ(tip.LastTip(), static_cast<int>(tip.Tips().size()) - 1);
}

struct LoadCase {
    const char* name;
    const char* file;
    std::vector<std::string> tips;
};

class TipLoading : public TipWindow, public ::testing::WithParamInterface<LoadCase> {};

// Whatever the file holds, every showing shows one of its tips, and paging walks them all
// round, forwards and backwards.
TEST_P(TipLoading, LoadsShowsAndPagesRound) {
    load(GetParam().file);
    const auto& tips = GetParam().tips;
    ASSERT_EQ(tip.Tips(), tips);
    ASSERT_EQ(tip.LastTip(), static_cast<int>(tips.size()) - 1);
    for (int showing = 0; showing < 5; ++showing) {
        tip.show();
        ASSERT_LE(tip.CurrentTip(), tip.LastTip());
        EXPECT_EQ(shown(), tips[tip.CurrentTip()]);
        tip.hide();
    }
    tip.show_tip(tip.LastTip());
    tip.SpeedButton1()->click();
    EXPECT_EQ(tip.CurrentTip(), 0);
    EXPECT_EQ(shown(), tips[0]);
    tip.SpeedButton2()->click();
    EXPECT_EQ(tip.CurrentTip(), tip.LastTip());
    EXPECT_EQ(shown(), tips.back());
    for (size_t step = 0; step < tips.size(); ++step) tip.SpeedButton1Click();
    EXPECT_EQ(tip.CurrentTip(), tip.LastTip()) << "a full round comes back";
}

INSTANTIATE_TEST_SUITE_P(
    Files, TipLoading,
    ::testing::Values(
        LoadCase{"ThreeTips", "one\n#\ntwo\n#\nthree\n#\n", {"one\n", "two\n", "three\n"}},
        LoadCase{"OneTip", "alone\r\n#\r\n", {"alone\n"}},
        LoadCase{"AnEmptyTip", "a\n#\n#\nb\n#\n", {"a\n", "", "b\n"}},
        LoadCase{"BlankLinesJoined", "first\n\n\nsecond\n#\n", {"first\nsecond\n"}},
        LoadCase{"TrailingTextDropped", "kept\n#\nnever shown\n", {"kept\n"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TipWindow, WithOneTipPagingKeepsShowingIt) {
    load("alone\n#\n");
    tip.show();
    tip.SpeedButton1Click();
    EXPECT_EQ(shown(), "alone\n");
    tip.SpeedButton2Click();
    EXPECT_EQ(shown(), "alone\n");
    EXPECT_EQ(tip.CurrentTip(), 0);
}

struct NoTipsCase {
    const char* name;
    const char* file;  // nullptr: no file
};

class TipWindowWithoutTips : public TipWindow, public ::testing::WithParamInterface<NoTipsCase> {};

TEST_P(TipWindowWithoutTips, SaysSoAndPagingDoesNothing) {
    const fs::path file = dir.path() / "config" / "tip.cfg";
    fs::remove(file);
    if (GetParam().file != nullptr) {
        load(GetParam().file);
    } else {
        const QString box_before = MessageBox::last_text();
        tip.attach(dir.str(), &dialog);
        // No box at start for an optional file; the reason is kept, naming the file.
        EXPECT_EQ(MessageBox::last_text(), box_before) << "no box was asked for";
        EXPECT_EQ(tip.load_error(),
                  "Cannot open file \"" + file.string() + "\". No such file or directory");
    }
    EXPECT_TRUE(tip.Tips().empty());
    EXPECT_EQ(tip.LastTip(), 0);
    tip.show();
    EXPECT_EQ(shown(), TFtip::kNoTips);
    tip.SpeedButton1()->click();
    tip.SpeedButton2()->click();
    EXPECT_EQ(shown(), TFtip::kNoTips);
    EXPECT_EQ(tip.CurrentTip(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, TipWindowWithoutTips,
                         ::testing::Values(NoTipsCase{"MissingFile", nullptr},
                                           NoTipsCase{"NoHashLine", "a tip never closed\n"},
                                           NoTipsCase{"EmptyFile", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

// "Close" saves every general option as the dialog and the tip window show them, unsaved
// changes of the dialog included; the title bar's close box saves nothing.
TEST_F(TipWindow, CloseSavesTheGeneralOptionsTheCloseBoxDoesNot) {
    tip.show();
    tip.CheckBox1()->setChecked(true);
    tip.close();
    EXPECT_FALSE(tip.isVisible());
    EXPECT_FALSE(fs::exists(dir.path() / "config" / "config.ini"));

    tip.show();
    EXPECT_FALSE(tip.CheckBox1()->isChecked()) << "the box shows the saved setting";
    tip.CheckBox1()->setChecked(true);
    dialog.CheckBox2()->setChecked(true);  // changed in the dialog, not saved there
    dialog.CheckBox1()->setChecked(true);
    tip.SpeedButton3()->click();
    EXPECT_FALSE(tip.isVisible());
    EXPECT_EQ(config_ini(),
              "[general]\nstartminimized=1\ntipoftheday=1\n[XXXXX]\nstartminimized111=0\n");
    EXPECT_TRUE(fs::exists(autostart_file()));

    // Read back at the next start.
    tip.CheckBox1()->setChecked(false);
    dialog.load_general_cfg();
    EXPECT_TRUE(tip.CheckBox1()->isChecked());
    // Unticked and left by the title bar's close box: ticked again at the next opening,
    // as saved.
    tip.show();
    tip.CheckBox1()->setChecked(false);
    tip.close();
    tip.show();
    EXPECT_TRUE(tip.CheckBox1()->isChecked());
}

TEST_F(TipWindow, CloseStillClosesWhenTheSaveFails) {
    tip.show();
    fs::remove_all(dir.path() / "config");
    EXPECT_THROW(tip.SpeedButton3Click(), IniWriteError);
    EXPECT_FALSE(tip.isVisible());
}

}  // namespace
}  // namespace quorvane::test
