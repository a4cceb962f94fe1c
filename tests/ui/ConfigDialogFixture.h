#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "logdb/LogDatabase.h"
#include "support/FakeClock.h"
#include "support/FakeNetwork.h"
#include "support/FakeRandom.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"
#include "traffic/TrafficEngine.h"
#include "ui/common/MessageBox.h"
#include "ui/config/TFconfig.h"
#include "ui/tip/TFtip.h"
#include "usage/DeviceList.h"

namespace quorvane::test {

// The configuration dialog and the tip window wired as start-up wires them, over a fake
// machine with a real engine, a provisioned data directory and its real log; the
// start-with-the-desktop entry goes below the test's own folder.
class ConfigDialogFixture : public ::testing::Test {
protected:
    void SetUp() override {
        provision_data_dir(dir.str());
        log = std::make_unique<LogDatabase>(dir.str() + "/config/log.db");
        engine = std::make_unique<TrafficEngine>(TrafficPorts{net, net, net, clock, random},
                                                 regional, dir.str(), *log);
        attach();
    }
    // The message-box seam is left as found: no answer pending, no last text.
    void TearDown() override {
        MessageBox::set_next_answer(MessageBox::Ok);
        MessageBox::information(nullptr, "", "");
    }

    void attach() {
        TFconfigLinks links;
        links.data_dir = dir.str();
        links.regional = regional;
        links.device_list = [this] {
            if (fixed_devices) return *fixed_devices;
            TDialupEntriesArray phone_book;
            net.read_dialup_entries(phone_book);
            return build_device_list(phone_book, engine->mibarray(), *log);
        };
        links.log = log.get();
        links.dev_cfg_changed = [this] { engine->set_dev_cfg_changed(); };
        links.tip = &tip;
        links.autostart_file = autostart_file();
        links.executable = "/usr/local/bin/quorvane";
        dialog.attach(links);
        tip.attach(dir.str(), &dialog);
    }
    std::string autostart_file() const {
        return (dir.path() / "xdg" / "autostart" / "quorvane.desktop").string();
    }
    std::string config_ini() const { return dir.read("config/config.ini"); }
    std::string dev_ini() const { return dir.read("config/dev.ini"); }

    // The grid's rows below the header, cell by cell.
    std::vector<std::vector<std::string>> grid() const {
        std::vector<std::vector<std::string>> rows;
        for (int row = 0; row < dialog.data_rows(); ++row) {
            std::vector<std::string> cells;
            for (int column = 0; column < 4; ++column)
                cells.push_back(dialog.cell(row, column).toStdString());
            rows.push_back(cells);
        }
        return rows;
    }
    // The device panel: name, time cost, time unit, traffic cost, traffic unit, charged
    // traffic, do not log, not on the tray.
    std::vector<std::string> panel() const {
        auto index = [](const QComboBox* box) { return std::to_string(box->currentIndex()); };
        auto ticked = [](const QCheckBox* box) { return box->isChecked() ? "x" : "-"; };
        return {dialog.Label17()->text().toStdString(),
                dialog.Edit1()->text().toStdString(),
                index(dialog.ComboBox2()),
                dialog.Edit2()->text().toStdString(),
                index(dialog.ComboBox3()),
                index(dialog.ComboBox1()),
                ticked(dialog.CheckBox3()),
                ticked(dialog.CheckBox4())};
    }
    std::vector<LogRow> rows() { return log->read_filtered(LogFilter{}); }

    TempDir dir;
    FakeNetwork net;
    FakeClock clock;
    FakeRandom random;
    RegionalSettings regional;
    std::unique_ptr<LogDatabase> log;
    std::unique_ptr<TrafficEngine> engine;
    std::optional<Tdev_list_arr> fixed_devices;
    TFtip tip;
    TFconfig dialog;
};

}  // namespace quorvane::test
