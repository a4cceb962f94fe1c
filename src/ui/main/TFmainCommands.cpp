// The main window's commands: the toolbar, the tray menu, the help menu, the grid's double
// click, the display mode and the log filter's buttons.
#include <QAction>
#include <QCursor>
#include <QRadioButton>
#include <QToolButton>
#include <QUrl>

#include "traffic/TextTrim.h"
#include "ui/common/DesktopLinks.h"
#include "ui/common/LiveDevices.h"
#include "ui/common/WindowStacking.h"
#include "ui/main/DeviceComboBox.h"
#include "ui/main/DisplayModeBar.h"
#include "ui/main/Forms.h"
#include "ui/main/HelpMenu.h"
#include "ui/main/LogFilterBox.h"
#include "ui/main/LogGrid.h"
#include "ui/main/MainToolbar.h"
#include "ui/main/TFmain.h"
#include "ui/main/TrayIcon.h"

namespace quorvane {

void TFmain::connect_commands() {
    auto on = [this](auto* sender, auto signal, void (TFmain::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { command([this, handler] { (this->*handler)(); }); });
    };
    on(m_toolbar->SpeedButton4(), &QToolButton::clicked, &TFmain::SpeedButton4Click);
    on(m_toolbar->SpeedButton7(), &QToolButton::clicked, &TFmain::SpeedButton7Click);
    on(m_toolbar->SpeedButton8(), &QToolButton::clicked, &TFmain::SpeedButton8Click);
    on(m_toolbar->SpeedButton9(), &QToolButton::clicked, &TFmain::SpeedButton9Click);
    on(m_toolbar->SpeedButton2(), &QToolButton::clicked, &TFmain::SpeedButton2Click);
    on(m_toolbar->SpeedButton3(), &QToolButton::clicked, &TFmain::SpeedButton3Click);
    on(m_toolbar->SpeedButton6(), &QToolButton::clicked, &TFmain::SpeedButton6Click);
    on(m_grid, &LogGrid::doubleClicked, &TFmain::StringGrid1DblClick);
    on(m_display_mode->Radionowonline(), &QRadioButton::clicked, &TFmain::RadionowonlineClick);
    on(m_display_mode->Radiofrimdatabase(), &QRadioButton::clicked,
       &TFmain::RadiofrimdatabaseClick);
    on(m_filter->SpeedButton5(), &QToolButton::clicked, &TFmain::SpeedButton5Click);
    on(m_filter->SpeedButton1(), &QToolButton::clicked, &TFmain::SpeedButton1Click);
    on(m_filter->SpeedButton10(), &QToolButton::clicked, &TFmain::SpeedButton10Click);
    on(m_filter->ComboBoxEx1(), &DeviceComboBox::entered, &TFmain::ComboBoxEx1Enter);
    on(m_filter->ComboBoxEx1(), &DeviceComboBox::dropping_down, &TFmain::ComboBoxEx1DropDown);
    connect_chart();

    auto show_form = [this](auto member) {
        return [this, member] {
            if (m_forms && (m_forms->*member)) show_window((m_forms->*member).get());
        };
    };
    connect(m_tray, &TrayIcon::restore_requested, this, &TFmain::restore);
    connect(m_tray->Meter2(), &QAction::triggered, this, show_form(&Forms::Fmeter));
    connect(m_tray->Statistic1(), &QAction::triggered, this, show_form(&Forms::Fstat));
    connect(m_tray->gotohomepage2(), &QAction::triggered, this, [this] { OpenURL(kHomePage); });
    connect(m_tray->exit2(), &QAction::triggered, this, [this] { close(); });
    // Erase and export work on the database view: enabled exactly while it is the mode,
    // whatever refresh failed or succeeded since.
    connect(m_display_mode->Radiofrimdatabase(), &QRadioButton::toggled, this, [this](bool on) {
        m_filter->SpeedButton1()->setEnabled(on);
        m_filter->SpeedButton10()->setEnabled(on);
    });

    connect(m_help_menu->Aboutus1(), &QAction::triggered, this, show_form(&Forms::Fabout));
    on(m_help_menu->Help1(), &QAction::triggered, &TFmain::Help1Click);
    connect(m_help_menu->Homepage1(), &QAction::triggered, this, [this] { OpenURL(kHomePage); });
    connect(m_help_menu->ipsoftheday1(), &QAction::triggered, this, show_form(&Forms::Ftip));
}

void TFmain::command(const std::function<void()>& body) {
    try {
        body();
    } catch (const std::exception& error) {
        m_context.event_log.write_error(m_context.application_source, error.what());
    } catch (...) {
        m_context.event_log.write_error(m_context.application_source, "Unknown error");
    }
}

void TFmain::show_window(QWidget* window) {
    // The meter floats above every window by itself and stays on screen while this window
    // is in the tray: it belongs to no window.
    if (m_forms && window == m_forms->Fmeter.get()) {
        bring_to_front(window);
        return;
    }
    // The boxes open in the middle of this window every time; the statistics and chart
    // windows there the first time, and then where the user left them.
    const bool box = m_forms && (window == m_forms->Fabout.get() || window == m_forms->Ftip.get());
    show_over(window, this, box ? Placement::every_opening : Placement::first_opening);
}

void TFmain::OpenURL(const QString& address) {
    open_desktop_url(QUrl(address));
}

void TFmain::SpeedButton4Click() {
    if (!m_forms || !m_forms->Fconfig) return;
    set_window_owner(m_forms->Fconfig.get(), this);
    m_forms->Fconfig->exec();
}

void TFmain::SpeedButton7Click() {
    // The meter keeps the device chosen before; only an empty choice takes the grid's.
    if (trim_blanks(meter_device).empty()) {
        meter_device = m_grid->selected_device().toStdString();
    }
    if (m_forms && m_forms->Fmeter) show_window(m_forms->Fmeter.get());
}

void TFmain::SpeedButton8Click() {
    if (trim_blanks(stat_device).empty()) {
        stat_device = m_grid->selected_device().toStdString();
    }
    if (m_forms && m_forms->Fstat) {
        // The device box names the device whose figures the window shows.
        m_forms->Fstat->set_device_text(stat_device);
        show_window(m_forms->Fstat.get());
    }
}

void TFmain::SpeedButton9Click() {
    m_help_menu->popup(QCursor::pos());
}

void TFmain::SpeedButton2Click() {
    OpenURL(kHomePage);
}

void TFmain::SpeedButton3Click() {
    close();
}

void TFmain::StringGrid1DblClick() {
    // A double click always replaces the statistics window's device.
    stat_device = m_grid->selected_device().toStdString();
    if (m_forms && m_forms->Fstat) {
        m_forms->Fstat->set_device_text(stat_device);
        show_window(m_forms->Fstat.get());
    }
}

void TFmain::Help1Click() {
    open_desktop_url(QUrl::fromLocalFile(QString::fromStdString(m_help_file)));
}

}  // namespace quorvane
