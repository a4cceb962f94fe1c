#pragma once

#include <functional>
#include <string>

#include "format/RegionalSettings.h"
#include "usage/DeviceList.h"

class QWidget;

namespace quorvane {

class LogDatabase;
class TFtip;

// What the configuration dialog works on, owned by the main window and the other windows.
struct TFconfigLinks {
    std::string data_dir;       // config/config.ini and config/dev.ini are below it
    RegionalSettings regional;  // the decimal separator of amounts
    // The devices of the device grid (build_device_list over the main window's state).
    std::function<Tdev_list_arr()> device_list;
    LogDatabase* log = nullptr;  // deleting the log rows of a removed device
    // Tells the sampling side to read the log and tray options again (dev_cfg_changed).
    std::function<void()> dev_cfg_changed;
    TFtip* tip = nullptr;      // the tip window, whose check box the general options include
    QWidget* owner = nullptr;  // the window the dialog opens over (the main window)
    QWidget* meter = nullptr;  // the windows whose opacity the hidden page sets
    QWidget* stat = nullptr;
    // The start-with-the-desktop entry; empty: $XDG_CONFIG_HOME/autostart/quorvane.desktop.
    std::string autostart_file;
    // The program the entry starts; empty: this process's executable.
    std::string executable;
};

}  // namespace quorvane
