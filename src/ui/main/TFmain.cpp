#include "ui/main/TFmain.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "config/IniFile.h"
#include "logdb/LogDatabase.h"
#include "traffic/TrafficEngine.h"
#include "ui/common/MessageBox.h"
#include "ui/common/ModalWindows.h"
#include "ui/common/UIInitialized.h"
#include "ui/main/BudgetMonitor.h"
#include "ui/main/DisplayModeBar.h"
#include "ui/main/Forms.h"
#include "ui/main/HelpMenu.h"
#include "ui/main/LogFilterBox.h"
#include "ui/main/LogGrid.h"
#include "ui/main/LogGridModel.h"
#include "ui/main/LogStatusLine.h"
#include "ui/main/MainToolbar.h"
#include "ui/main/SummaryPanel.h"
#include "ui/main/TrayIcon.h"
#include "ui/main/ViewErrors.h"
#include "ui/pictures/Pictures.h"
#include "usage/TariffBookCache.h"

namespace quorvane {

namespace {

const char* const kCloseQuestion =
    "Close application ?\nQuorvane will stop recording your online time";
// In this platform's words: the service manager is systemd.
const char* const kServiceCloseRefusal =
    "You cannot close Quorvane because it runs as a service.\nTo stop it, stop the service "
    "QVANESVC with the system's service manager (systemctl stop QVANESVC).";

}  // namespace

TFmain::TFmain(MainWindowContext context, QWidget* parent)
    : QMainWindow(parent), m_context(std::move(context)) {
    setObjectName("Fmain");
    setWindowTitle("Quorvane");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(application_icon());
    setFixedSize(751, 539);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(216, 228, 248));
    setPalette(colours);
    setAutoFillBackground(true);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    build_face();
    FormCreate();
    connect_commands();

    // Both timers count from the window's creation.
    m_timer2 = new QTimer(this);
    m_timer2->setObjectName("Timer2");
    m_timer2->setSingleShot(true);
    m_timer2->setInterval(1000);
    connect(m_timer2, &QTimer::timeout, this, &TFmain::Timer2Timer);
    m_timer2->start();

    m_timer3 = new QTimer(this);
    m_timer3->setObjectName("Timer3");
    m_timer3->setInterval(1000);
    connect(m_timer3, &QTimer::timeout, this, &TFmain::Timer3Timer);
    m_timer3->start();
}

// Every stop of the program (the window closed, a stop signal, the service's stop) passes
// here: each open connection's row gets its last figures before the process ends.
TFmain::~TFmain() {
    try {
        if (m_engine) m_engine->write_final_figures();
    } catch (const std::exception& error) {
        write_tick_error(error.what());
    }
}

void TFmain::FormCreate() {
    // The log database connection on DataDir/config/log.db (it opens at the first
    // statement), and the sampling engine that writes to it.
    m_log = std::make_unique<LogDatabase>(m_context.data_dir + "/config/log.db");
    m_engine = std::make_unique<TrafficEngine>(m_context.ports, m_context.regional,
                                               m_context.data_dir, *m_log);
    m_engine->set_observer(this);
    // The device options are read again at the first tick.
    m_engine->set_dev_cfg_changed();
    QGuiApplication::setApplicationDisplayName("Quorvane");
    m_help_file = m_context.data_dir + "/qvane help/qvane.html";
    // What keeps the log from recording is said from the start.
    m_log_status->refresh(m_context.data_dir, "");
    // Erase and export work on the database view only.
    m_filter->SpeedButton1()->setEnabled(false);
    m_filter->SpeedButton10()->setEnabled(false);
}

void TFmain::build_face() {
    auto* face = new QWidget(this);
    face->setObjectName("face");
    auto* layout = new QVBoxLayout(face);
    layout->setContentsMargins(8, 0, 8, 6);
    layout->setSpacing(4);

    m_toolbar = new MainToolbar(face);
    m_grid_model = new LogGridModel(m_context.regional, this);
    m_grid = new LogGrid(m_grid_model, face);
    m_grid->setFixedHeight(12 * 18 + 6);
    m_display_mode = new DisplayModeBar(face);
    m_summary = new SummaryPanel(face);
    m_filter = new LogFilterBox(face);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    bottom->addWidget(m_summary, 1);
    bottom->addWidget(m_filter);

    layout->addWidget(m_toolbar);
    layout->addWidget(m_grid);
    layout->addWidget(m_display_mode);
    layout->addLayout(bottom, 1);
    m_log_status = new LogStatusLine(face);
    layout->addWidget(m_log_status);
    setCentralWidget(face);

    m_tray = new TrayIcon(this);
    m_budgets = new BudgetMonitor(m_context.data_dir, m_context.regional, *m_tray,
                                  m_context.event_log, m_context.application_source, this);
    connect(m_log_status, &LogStatusLine::problem_changed, m_tray, &TrayIcon::set_problem);
    m_help_menu = new HelpMenu(this);
}

void TFmain::SetServiceMode(bool value) {
    m_is_service = value;
    // In service mode the program cannot be ended from the tray.
    if (value) m_tray->exit2()->setEnabled(false);
    UIInitialized = true;
}

void TFmain::UIInitialize(int mode) {
    try {
        SetServiceMode(mode != 0);
    } catch (const std::exception& error) {
        if (!IsService()) throw;
        m_context.event_log.write_error(m_context.service_source, error.what());
    }
}

void TFmain::Timer2Timer() {
    struct Dispose {
        QTimer*& timer;
        ~Dispose() {
            timer->stop();
            timer->deleteLater();
            timer = nullptr;
        }
    } dispose{m_timer2};
    IniFile config(m_context.data_dir + "/config/config.ini");
    // The general options into the configuration dialog and the tip window's check box. A
    // failure goes to the event log; the start-up goes on.
    if (m_forms && m_forms->Fconfig && m_forms->Fconfig->attached()) {
        command([this] { m_forms->Fconfig->load_general_cfg(); });
    }
    // The log filter's defaults: every device, from today to today. A failure here only
    // leaves the boxes as they were.
    try {
        ComboBoxEx1Enter();
        const LocalTime now = m_context.ports.clock.now();
        m_filter->set_dates_to(QDate(now.year, now.month, now.day));
    } catch (...) {
    }
    if (config.read_string("general", "startminimized", "0") == "0") restore();
    // The tip comes last, in front of the main window it belongs to.
    if (config.read_string("general", "tipoftheday", "0") == "1" && m_forms && m_forms->Ftip) {
        show_window(m_forms->Ftip.get());
    }
}

// One tick of the sampling cycle. An error ends the tick and goes to the event log; the
// next tick starts afresh. The same error tick after tick is written once.
void TFmain::Timer3Timer() {
    try {
        m_engine->advance_tick_counter();
        m_engine->sample_interfaces();
        if (isVisible() && m_display_mode->now_online()) {
            // A tariff that does not convert stops only the grid, never the logging below;
            // the summary then has no figures.
            try {
                Grid_now_online();
            } catch (const std::exception& error) {
                show_no_summary(m_summary);
                write_tick_error(error.what());
            }
        }
        if (m_engine->dev_cfg_changed()) m_engine->reload_dev_options();
        m_engine->logging_pass();
        m_budgets->tick(*m_log, m_engine->mibarray(), m_context.ports.clock.now());
        m_last_tick_error.clear();
        m_log_status->refresh(m_context.data_dir, "");
    } catch (const LogDatabaseError& error) {
        write_tick_error(error.what());
        m_log_status->refresh(m_context.data_dir, error.what());
    } catch (const std::exception& error) {
        write_tick_error(error.what());
    } catch (...) {
        write_tick_error("Unknown error in the sampling tick");
    }
    if (m_central_problem) m_log_status->set_central_problem(m_central_problem());
}

void TFmain::write_tick_error(const std::string& message) {
    if (message == m_last_tick_error) return;
    m_last_tick_error = message;
    try {
        m_context.event_log.write_error(m_context.application_source, message);
    } catch (...) {
        // The tick swallows everything, also a failing event log.
    }
}

void TFmain::set_tray_icon(int index) {
    m_tray_index = index;
    m_tray->set_picture(index);
}

QAction* TFmain::exit2() const {
    return m_tray->exit2();
}

void TFmain::FormClose(bool& can_close) {
    if (IsService()) {
        MessageBox::confirmation_ok(this, "Confirm", kServiceCloseRefusal);
        can_close = false;
        return;
    }
    if (m_close_confirmed) {
        can_close = true;
        return;
    }
    const bool yes =
        MessageBox::question_yes_cancel(this, "Confirm", kCloseQuestion) == MessageBox::Yes;
    // A stop request that came while the question was open has answered it.
    can_close = yes || m_close_confirmed;
}

void TFmain::close_confirmed() {
    m_close_confirmed = true;
    // An open close question is dismissed; the close it belongs to then ends the window.
    dismiss_modal_windows();
    if (!close()) m_close_confirmed = false;
}

void TFmain::closeEvent(QCloseEvent* event) {
    bool can_close = false;
    FormClose(can_close);
    if (!can_close) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

void TFmain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Minimised, the window goes to the tray; without a tray it stays on the task bar, where
    // it can be restored from.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_tray->in_tray()) {
        QTimer::singleShot(0, this, [this] {
            if (isMinimized()) hide();
        });
    }
}

void TFmain::restore() {
    if (!m_shown_once) {
        m_shown_once = true;
        if (auto* where = screen()) move(where->availableGeometry().center() - rect().center());
    }
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    if (MessageBox::has_display()) {
        raise();
        activateWindow();
    }
}

}  // namespace quorvane
