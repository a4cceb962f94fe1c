#include "ui/TFmain.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "config/IniFile.h"
#include "logdb/LogDatabase.h"
#include "traffic/TrafficEngine.h"
#include "ui/Forms.h"
#include "ui/MessageBox.h"
#include "ui/ModalWindows.h"
#include "ui/UIInitialized.h"

namespace quorvane {

namespace {

const char* const kCloseQuestion =
    "Close application ?\nQuorvane will stop recording your online time";
const char* const kServiceCloseRefusal =
    "You can not close Quorvane because it runs in service mode\nPlese go to Start menu > "
    "Quorvane  > service manager to stop the service.";

}  // namespace

TFmain::TFmain(MainWindowContext context, QWidget* parent)
    : QMainWindow(parent), m_context(std::move(context)) {
    setObjectName("Fmain");
    setWindowTitle("Quorvane");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(751, 539);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(216, 228, 248));
    setPalette(colours);
    setAutoFillBackground(true);

    m_exit2 = new QAction("Exit", this);
    m_exit2->setObjectName("exit2");
    connect(m_exit2, &QAction::triggered, this, [this] { close(); });

    FormCreate();

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

TFmain::~TFmain() = default;

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
}

void TFmain::SetServiceMode(bool value) {
    m_is_service = value;
    // In service mode the program cannot be ended from the tray.
    if (value) m_exit2->setEnabled(false);
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
    // The general options reach the configuration dialog, and the log filter gets its
    // defaults, once those windows are built.
    if (config.read_string("general", "startminimized", "0") == "0") restore();
    if (config.read_string("general", "tipoftheday", "0") == "1" && m_forms && m_forms->Ftip) {
        m_forms->Ftip->show();
    }
}

// One tick of the sampling cycle. An error ends the tick and goes to the event log; the
// next tick starts afresh. The same error tick after tick is written once.
void TFmain::Timer3Timer() {
    try {
        m_engine->advance_tick_counter();
        m_engine->sample_interfaces();
        // The now-online grid is redrawn here once the grid exists.
        if (m_engine->dev_cfg_changed()) m_engine->reload_dev_options();
        m_engine->logging_pass();
        m_last_tick_error.clear();
    } catch (const std::exception& error) {
        write_tick_error(error.what());
    } catch (...) {
        write_tick_error("Unknown error in the sampling tick");
    }
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
