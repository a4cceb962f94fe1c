#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "config/Conversions.h"
#include "config/IniFile.h"
#include "ui/ConfigDialogFixture.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

const char* const kNotANumber =
    " Not a valid number format ,\n please use a plain number of 0 or more with \".\" as decimal "
    "separator  \n Ex : 12345.98";
const char* const kNotANumberComma =
    " Not a valid number format ,\n please use a plain number of 0 or more with \",\" as decimal "
    "separator  \n Ex : 12345,98";

class ConfigOptions : public ConfigDialogFixture {
protected:
    // A device row to work on, as the grid shows it.
    void select_device(const std::string& name) {
        fixed_devices = Tdev_list_arr{{name, kStatePresent, kKindEthernet}};
        dialog.Load_cfg_devlist();
        dialog.select_row(0);
    }
    void set_panel(const char* time_cost, int time_unit, const char* bw_cost, int bw_unit,
                   int bw_opt, bool do_not_log, bool no_tray) {
        dialog.Edit1()->setText(time_cost);
        dialog.ComboBox2()->setCurrentIndex(time_unit);
        dialog.Edit2()->setText(bw_cost);
        dialog.ComboBox3()->setCurrentIndex(bw_unit);
        dialog.ComboBox1()->setCurrentIndex(bw_opt);
        dialog.CheckBox3()->setChecked(do_not_log);
        dialog.CheckBox4()->setChecked(no_tray);
    }
};

TEST_F(ConfigOptions, AFirstGeneralSaveWritesGeneralThenXXXXX) {
    ASSERT_FALSE(fs::exists(dir.path() / "config" / "config.ini"));
    dialog.CheckBox2()->setChecked(true);
    tip.CheckBox1()->setChecked(false);
    dialog.save_general_cfg();
    EXPECT_EQ(config_ini(),
              "[general]\nstartminimized=1\ntipoftheday=0\n[XXXXX]\nstartminimized111=0\n");

    dialog.CheckBox2()->setChecked(false);
    tip.CheckBox1()->setChecked(true);
    dialog.save_general_cfg();
    EXPECT_EQ(config_ini(),
              "[general]\nstartminimized=0\ntipoftheday=1\n[XXXXX]\nstartminimized111=0\n");
}

struct GeneralCase {
    const char* name;
    const char* config_ini;  // nullptr: no file
    bool minimized;
    bool tip;
};

class ConfigGeneralLoad : public ConfigDialogFixture,
                          public ::testing::WithParamInterface<GeneralCase> {};

// Only exactly "1" ticks a box; names match whatever their letter case.
TEST_P(ConfigGeneralLoad, TicksTheBoxesOnlyForExactlyOne) {
    if (GetParam().config_ini != nullptr) dir.write("config/config.ini", GetParam().config_ini);
    dialog.CheckBox2()->setChecked(!GetParam().minimized);
    tip.CheckBox1()->setChecked(!GetParam().tip);
    dialog.load_general_cfg();
    EXPECT_EQ(dialog.CheckBox2()->isChecked(), GetParam().minimized);
    EXPECT_EQ(tip.CheckBox1()->isChecked(), GetParam().tip);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigGeneralLoad,
    ::testing::Values(
        GeneralCase{"NoFile", nullptr, false, false},
        GeneralCase{"Both", "[general]\nstartminimized=1\ntipoftheday=1\n", true, true},
        GeneralCase{"AnyCase", "[GENERAL]\nStartMinimized=1\nTipOfTheDay=1\n", true, true},
        GeneralCase{"Two", "[general]\nstartminimized=2\ntipoftheday=2\n", false, false},
        GeneralCase{"OtherSection", "[XXXXX]\nstartminimized=1\n", false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigOptions, TheAutostartEntryIsWrittenRemovedAndRemovedAgain) {
    dialog.CheckBox1()->setChecked(true);
    dialog.save_general_cfg();
    ASSERT_TRUE(fs::exists(autostart_file()));
    EXPECT_EQ(IniFile(autostart_file()).read_string("Desktop Entry", "Exec", ""),
              "/usr/local/bin/quorvane");
    EXPECT_EQ(IniFile(autostart_file()).read_string("Desktop Entry", "Path", ""), dir.str());
    dialog.CheckBox1()->setChecked(false);
    dialog.load_general_cfg();
    EXPECT_TRUE(dialog.CheckBox1()->isChecked());

    dialog.CheckBox1()->setChecked(false);
    dialog.save_general_cfg();
    EXPECT_FALSE(fs::exists(autostart_file()));
    EXPECT_NO_THROW(dialog.save_general_cfg());
    dialog.CheckBox1()->setChecked(true);
    dialog.load_general_cfg();
    EXPECT_FALSE(dialog.CheckBox1()->isChecked());
}

TEST_F(ConfigOptions, AMissingConfigFolderIsAWriteErrorAndTheAutostartStepDoesNotRun) {
    fs::remove_all(dir.path() / "config");
    dialog.CheckBox1()->setChecked(true);
    try {
        dialog.save_general_cfg();
        FAIL() << "the save succeeded";
    } catch (const IniWriteError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Unable to write to " + dir.str() + "/config/config.ini");
    }
    EXPECT_FALSE(fs::exists(autostart_file()));

    select_device("eth0");
    try {
        dialog.save_device_cfg();
        FAIL() << "the save succeeded";
    } catch (const IniWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + dir.str() + "/config/dev.ini");
    }
    EXPECT_FALSE(fs::exists(dir.path() / "config"));
}

TEST_F(ConfigOptions, ADeviceSaveWritesTheSevenKeysInOrder) {
    select_device("Office [LAN]");
    set_panel(" 1.5 ", 1, "", 2, 1, true, false);
    dialog.save_device_cfg();
    EXPECT_EQ(dev_ini(),
              "[Office [LAN]]\nTime_cost=1.5\nTime_cost_sat=1\nBw_cost=0\nBw_cost_sat=2\n"
              "Bw_opt=1\nlog_option=0\ntray_option=1\n");
    // The readers ask in lower case.
    const IniFile ini(dir.str() + "/config/dev.ini");
    EXPECT_EQ(ini.read_string("office [lan]", "time_cost", ""), "1.5");
    EXPECT_EQ(ini.read_string("Office [LAN]", "bw_opt", ""), "1");
    EXPECT_EQ(ini.read_string("Office [LAN]", "time_cost_sat", ""), "1");
}

TEST_F(ConfigOptions, LoadingReadsKeysWhateverTheirCase) {
    dir.write("config/dev.ini",
              "[eth0]\ntime_cost=2,5\ntime_cost_sat=1\nBW_COST=0.001\nbw_cost_sat=2\nbw_opt=2\n"
              "LOG_OPTION=0\nTray_Option=0\n");
    select_device("ETH0");
    dialog.load_device_cfg();
    EXPECT_EQ(panel(), (std::vector<std::string>{"ETH0", "2,5", "1", "0.001", "2", "2", "x", "x"}));
}

TEST_F(ConfigOptions, AMissingSectionLoadsTheDefaults) {
    select_device("never saved");
    set_panel("9", 1, "9", 1, 1, true, true);
    dialog.load_device_cfg();
    EXPECT_EQ(panel(),
              (std::vector<std::string>{"never saved", "0", "0", "0", "0", "0", "-", "-"}));
}

// A refused amount keeps its key; every other key is written, and the message names the
// number format.
TEST_F(ConfigOptions, ARefusedAmountLeavesItsKeyTheOtherKeysAreWritten) {
    dir.write("config/dev.ini", "[eth0]\nTime_cost=3\nBw_cost=4\n");
    select_device("eth0");
    set_panel("1,5", 0, "2.25", 1, 0, false, true);
    MessageBox::set_next_answer(MessageBox::Ok);
    dialog.save_device_cfg();
    EXPECT_EQ(MessageBox::last_text().toStdString(), kNotANumber);
    EXPECT_EQ(dev_ini(),
              "[eth0]\nTime_cost=3\nBw_cost=2.25\nTime_cost_sat=0\nBw_cost_sat=1\nBw_opt=0\n"
              "log_option=1\ntray_option=0\n");
}

// A negative price would show every cost as a credit: it is refused with the same message.
TEST_F(ConfigOptions, ANegativePriceIsRefusedAndItsKeyKept) {
    dir.write("config/dev.ini", "[eth0]\nTime_cost=3\nBw_cost=4\n");
    select_device("eth0");
    set_panel("-1.5", 0, "-5", 1, 0, false, false);
    MessageBox::set_next_answer(MessageBox::Ok);
    dialog.save_device_cfg();
    EXPECT_EQ(MessageBox::last_text().toStdString(), kNotANumber);
    const IniFile ini(dir.str() + "/config/dev.ini");
    EXPECT_EQ(ini.read_string("eth0", "Time_cost", ""), "3");
    EXPECT_EQ(ini.read_string("eth0", "Bw_cost", ""), "4");
}

TEST_F(ConfigOptions, AnIndexOutsideItsListLoadsAsNoSelectionAndSavesAsMinusOne) {
    dir.write("config/dev.ini", "[eth0]\nTime_cost_sat=5\nBw_cost_sat=-1\nBw_opt=3\n");
    select_device("eth0");
    dialog.load_device_cfg();
    EXPECT_EQ(dialog.ComboBox2()->currentIndex(), -1);
    EXPECT_EQ(dialog.ComboBox3()->currentIndex(), -1);
    EXPECT_EQ(dialog.ComboBox1()->currentIndex(), -1);
    dialog.save_device_cfg();
    const IniFile ini(dir.str() + "/config/dev.ini");
    EXPECT_EQ(ini.read_string("eth0", "Time_cost_sat", ""), "-1");
    EXPECT_EQ(ini.read_string("eth0", "Bw_cost_sat", ""), "-1");
    EXPECT_EQ(ini.read_string("eth0", "Bw_opt", ""), "-1");
}

// A hand-edited value that is no number stops the load there; what came before it stays.
TEST_F(ConfigOptions, AnUnreadableIndexStopsTheLoadNamingTheText) {
    dir.write("config/dev.ini", "[eth0]\nTime_cost=7\nTime_cost_sat=hour\nBw_cost=8\n");
    select_device("eth0");
    dialog.Edit2()->setText("unchanged");
    try {
        dialog.load_device_cfg();
        FAIL() << "the load succeeded";
    } catch (const ConversionError& error) {
        EXPECT_NE(std::string(error.what()).find("'hour'"), std::string::npos) << error.what();
    }
    EXPECT_EQ(dialog.Edit1()->text(), "7");
    EXPECT_EQ(dialog.Edit2()->text(), "unchanged");
}

struct NumberCase {
    const char* text;
    const char* separator;
    bool accepted;
};

class ConfigNumberCheck : public ConfigDialogFixture,
                          public ::testing::WithParamInterface<NumberCase> {};

TEST_P(ConfigNumberCheck, AcceptsPlainAmountsWithTheRegionalSeparator) {
    regional.decimal_separator = GetParam().separator;
    attach();
    // A box answered beforehand marks the last text: an accepted amount asks nothing.
    MessageBox::set_next_answer(MessageBox::Ok);
    MessageBox::information(nullptr, "marker", "marker");
    if (!GetParam().accepted) MessageBox::set_next_answer(MessageBox::Ok);
    EXPECT_EQ(dialog.test_number(GetParam().text), GetParam().accepted);
    EXPECT_EQ(MessageBox::last_text().toStdString(), GetParam().accepted ? std::string("marker")
                                                     : std::string(GetParam().separator) == ","
                                                         ? std::string(kNotANumberComma)
                                                         : std::string(kNotANumber));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigNumberCheck,
    ::testing::Values(NumberCase{"12345.98", ".", true}, NumberCase{"  -3 ", ".", false},
                      NumberCase{"+0.5", ".", true}, NumberCase{"1e3", ".", true},
                      NumberCase{"2.5E-2", ".", true}, NumberCase{"0.123456", ".", true},
                      NumberCase{"", ".", true}, NumberCase{"   ", ".", true},
                      NumberCase{"1,5", ",", true}, NumberCase{"1,5", ".", false},
                      NumberCase{"1.5", ",", false}, NumberCase{"1,000.5", ".", false},
                      NumberCase{"abc", ".", false}, NumberCase{"1e", ".", false},
                      NumberCase{"99999999999999999", ".", false},
                      // A negative price is refused as text is; minus zero is zero.
                      NumberCase{"-5", ".", false}, NumberCase{"-0,01", ",", false},
                      NumberCase{"-0", ".", true}, NumberCase{"0", ".", true}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

}  // namespace
}  // namespace quorvane::test
