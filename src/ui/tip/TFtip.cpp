#include "ui/tip/TFtip.h"

#include <filesystem>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QRandomGenerator>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>

#include <cstdio>

#include "config/IniFile.h"
#include "config/TipFile.h"
#include "ui/common/GeneralOptionsSaver.h"
#include "ui/common/MessageBox.h"
#include "ui/common/WindowStacking.h"
#include "ui/pictures/ConfigPictures.h"
#include "ui/pictures/Pictures.h"

namespace quorvane {

namespace {

constexpr Qt::WindowFlags kFlags = Qt::Window | Qt::Tool | Qt::CustomizeWindowHint |
                                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

QToolButton* page_button(QWidget* parent, const char* name, const QString& text,
                         const QRect& where) {
    auto* pressed = new QToolButton(parent);
    pressed->setObjectName(name);
    pressed->setAutoRaise(true);
    pressed->setText(text);
    pressed->setGeometry(where);
    return pressed;
}

}  // namespace

const char* const TFtip::kNoTips =
    "There are no tips to show.\n\nThe tips are read from config/tip.cfg in Quorvane's data "
    "directory when the program starts; each tip there ends with a line holding only \"#\".";

TFtip::TFtip(QWidget* parent) : QWidget(parent, kFlags) {
    setObjectName("Ftip");
    setWindowTitle("Tip of the day");
    setFixedSize(385, 259);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setGeometry(6, 6, 373, 212);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette cream = panel->palette();
    cream.setColor(QPalette::Window, QColor(251, 254, 224));
    panel->setPalette(cream);

    auto* picture = new QLabel(panel);
    picture->setObjectName("Image1");
    picture->setPixmap(tip_picture(40));
    picture->setGeometry(12, 12, 40, 40);

    auto* heading = new QLabel("Did You know ?", panel);
    heading->setObjectName("Label1");
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    heading->setFont(bold);
    heading->setGeometry(64, 14, 300, 22);

    m_text = new QLabel(panel);
    m_text->setObjectName("Label2");
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setGeometry(64, 42, 300, 129);

    m_previous = page_button(panel, "SpeedButton2", "<< Previous tip", QRect(64, 180, 120, 24));
    m_next = page_button(panel, "SpeedButton1", "Next tip      >>", QRect(244, 180, 120, 24));
    connect(m_previous, &QToolButton::clicked, this, &TFtip::SpeedButton2Click);
    connect(m_next, &QToolButton::clicked, this, &TFtip::SpeedButton1Click);

    m_show_on_startup = new QCheckBox("Show Tip of the day on startup", this);
    m_show_on_startup->setObjectName("CheckBox1");
    m_show_on_startup->setGeometry(8, 228, 260, 22);

    m_close = new QToolButton(this);
    m_close->setObjectName("SpeedButton3");
    m_close->setAutoRaise(true);
    m_close->setIcon(close_picture());
    m_close->setIconSize(QSize(16, 16));
    m_close->setText("Close");
    m_close->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_close->setGeometry(297, 225, 82, 28);
    connect(m_close, &QToolButton::clicked, this, &TFtip::SpeedButton3Click);

    m_text->setText(kNoTips);
}

void TFtip::attach(const std::string& data_dir, GeneralOptionsSaver* config, QWidget* owner) {
    m_tip_file = data_dir + "/config/tip.cfg";
    m_config = config;
    m_owner = owner;
    try {
        loadtip();
    } catch (const TipFileError& error) {
        // The tips are optional: no box holds up the start, the window says that it has no
        // tips, and the reason goes to the terminal.
        m_load_error = error.what();
        std::fprintf(stderr, "quorvane: %s\n", m_load_error.c_str());
    }
}

void TFtip::loadtip() {
    // A file that cannot be read leaves no tips behind.
    m_tips.clear();
    m_last_tip = 0;
    m_current_tip = 0;
    m_tips = read_tip_file(m_tip_file);
    m_last_tip = m_tips.empty() ? 0 : static_cast<int>(m_tips.size()) - 1;
    m_current_tip = 0;
}

void TFtip::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    if (m_owner != nullptr && m_owner->isVisible()) centre_on(this, m_owner);
    // The box shows the saved setting: a tick the title-bar button left unsaved is undone.
    if (!m_tip_file.empty()) {
        const IniFile config(
            std::filesystem::path(m_tip_file).replace_filename("config.ini").string());
        m_show_on_startup->setChecked(config.read_string("general", "tipoftheday", "0") == "1");
    }
    FormShow();
    // Shown together with the main window at start: in front of it once both are up.
    QTimer::singleShot(0, this, [this] {
        raise();
        activateWindow();
    });
}

void TFtip::FormShow() {
    if (m_tips.empty()) {
        m_current_tip = 0;
        m_text->setText(kNoTips);
        return;
    }
    show_tip(QRandomGenerator::global()->bounded(m_last_tip + 1));
}

void TFtip::show_tip(int index) {
    if (index < 0 || index >= static_cast<int>(m_tips.size())) return;
    m_current_tip = index;
    m_text->setText(QString::fromLocal8Bit(m_tips[static_cast<size_t>(index)]));
}

void TFtip::SpeedButton1Click() {
    if (m_tips.empty()) return;
    show_tip(m_current_tip < m_last_tip ? m_current_tip + 1 : 0);
}

void TFtip::SpeedButton2Click() {
    if (m_tips.empty()) return;
    show_tip(m_current_tip <= 0 ? m_last_tip : m_current_tip - 1);
}

void TFtip::SpeedButton3Click() {
    // The window closes even when the save fails; the failure goes on to the event log.
    struct Hide {
        QWidget* window;
        ~Hide() { window->hide(); }
    } hide{this};
    if (m_config != nullptr) m_config->save_general_cfg();
}

}  // namespace quorvane
