#include <gtest/gtest.h>

#include <string>

#include <QLineEdit>

#include "config/IniFile.h"
#include "ui/ConfigDialogFixture.h"
#include "ui/common/MessageBox.h"

namespace quorvane::test {
namespace {

// The monthly budget fields of the device page.
class ConfigBudget : public ConfigDialogFixture {
protected:
    void select_device(const std::string& name) {
        fixed_devices = Tdev_list_arr{{name, kStatePresent, kKindEthernet}};
        dialog.Load_cfg_devlist();
        dialog.select_row(0);
    }
    std::string key(const char* name) {
        return IniFile(dir.str() + "/config/dev.ini").read_string("LAN", name, "missing");
    }
};

TEST_F(ConfigBudget, SavedAfterTheOtherKeysAndLoadedBack) {
    select_device("LAN");
    dialog.load_device_cfg();
    EXPECT_EQ(dialog.budget_cost()->text(), "0");
    EXPECT_EQ(dialog.budget_mbytes()->text(), "0");
    dialog.budget_cost()->setText(" 25.50 ");
    dialog.budget_mbytes()->setText("2048");
    dialog.save_device_cfg();
    EXPECT_EQ(dir.read("config/dev.ini"),
              "[LAN]\nTime_cost=0\nTime_cost_sat=0\nBw_cost=0\nBw_cost_sat=0\nBw_opt=0\n"
              "log_option=1\ntray_option=1\nBudget_cost=25.50\nBudget_mbytes=2048\n");
    dialog.budget_cost()->clear();
    dialog.load_device_cfg();
    EXPECT_EQ(dialog.budget_cost()->text(), "25.50");
    EXPECT_EQ(dialog.budget_mbytes()->text(), "2048");
    // A blank field removes the budget: 0.
    dialog.budget_mbytes()->setText("  ");
    dialog.save_device_cfg();
    EXPECT_EQ(key("Budget_mbytes"), "0");
}

// The number check of the prices: a refused budget keeps its stored value.
TEST_F(ConfigBudget, ARefusedBudgetKeepsItsValue) {
    dir.write("config/dev.ini", "[LAN]\nBudget_cost=10\nBudget_mbytes=500\n");
    select_device("LAN");
    dialog.load_device_cfg();
    dialog.budget_cost()->setText("12,50");
    dialog.budget_mbytes()->setText("750");
    MessageBox::set_next_answer(MessageBox::Ok);
    dialog.save_device_cfg();
    EXPECT_NE(MessageBox::last_text().indexOf("Not a valid number format"), -1);
    EXPECT_EQ(key("Budget_cost"), "10");
    EXPECT_EQ(key("Budget_mbytes"), "750");
}

// A device without a budget gets no keys for it.
TEST_F(ConfigBudget, NoBudgetWritesNoKeys) {
    select_device("LAN");
    dialog.save_device_cfg();
    EXPECT_EQ(key("Budget_cost"), "missing");
    EXPECT_EQ(key("Budget_mbytes"), "missing");
}

}  // namespace
}  // namespace quorvane::test
