#include "ui/config/TFconfig.h"

#include <algorithm>
#include <stdexcept>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QShowEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include "ui/common/WindowStacking.h"
#include "ui/pictures/ConfigPictures.h"
#include "ui/pictures/Pictures.h"

namespace quorvane {

namespace {

constexpr Qt::WindowFlags kFlags = Qt::Dialog | Qt::Tool | Qt::CustomizeWindowHint |
                                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* shown = new QLabel(text, parent);
    shown->setObjectName(name);
    shown->setTextFormat(Qt::PlainText);
    shown->move(x, y);
    shown->adjustSize();
    return shown;
}

QLineEdit* edit(QWidget* parent, const char* name, int x, int y, int width) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(x, y, width, 21);
    return field;
}

QComboBox* list(QWidget* parent, const char* name, const QStringList& items, int x, int y,
                int width) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    box->setGeometry(x, y, width, 21);
    return box;
}

QCheckBox* check(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->move(x, y);
    box->adjustSize();
    return box;
}

QToolButton* button(QWidget* parent, const char* name, const QString& text, const QIcon& icon,
                    const QRect& where, const QString& hint = QString()) {
    auto* pressed = new QToolButton(parent);
    pressed->setToolTip(hint);
    pressed->setObjectName(name);
    pressed->setAutoRaise(true);
    pressed->setIcon(icon);
    pressed->setIconSize(QSize(16, 16));
    if (!text.isEmpty()) {
        pressed->setText(text);
        pressed->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    pressed->setGeometry(where);
    return pressed;
}

QGroupBox* group(QWidget* page, const QRect& where) {
    auto* box = new QGroupBox(page);
    box->setGeometry(where);
    return box;
}

}  // namespace

TFconfig::TFconfig(QWidget* parent) : QDialog(parent, kFlags) {
    setObjectName("Fconfig");
    setWindowTitle("Configuration");
    setModal(true);
    setFixedSize(618, 459);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(216, 228, 248));
    setPalette(colours);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName("PageControl1");
    m_pages->setGeometry(13, 8, 596, 417);
    auto* devices = new QWidget;
    devices->setObjectName("TabSheet1");
    auto* general = new QWidget;
    general->setObjectName("TabSheet2");
    auto* meter = new QWidget;
    meter->setObjectName("TabSheet3");
    m_pages->addTab(devices, "Device ");
    m_pages->addTab(general, "General ");
    m_pages->addTab(meter, "Meter /statistic");
    // The third page is never shown.
    m_pages->setTabVisible(2, false);
    build_device_page(devices);
    build_general_page(general);
    build_meter_page(meter);

    auto* close_button =
        button(this, "SpeedButton3", "Close", close_picture(), QRect(528, 430, 82, 26));
    connect(close_button, &QToolButton::clicked, this, &TFconfig::SpeedButton3Click);

    FormCreate();
}

void TFconfig::build_device_page(QWidget* page) {
    QGroupBox* box = group(page, QRect(8, 4, 577, 373));
    label(box, "Label1", "Device list :", 16, 14);
    auto* refresh = button(box, "SpeedButton1", "", config_picture(ConfigPicture::Refresh),
                           QRect(75, 10, 24, 20), "Refresh Device List");
    connect(refresh, &QToolButton::clicked, this, &TFconfig::SpeedButton1Click);

    m_grid = new QTableWidget(box);
    m_grid->setObjectName("StringGrid1");
    m_grid->setGeometry(8, 40, 561, 137);
    m_grid->setColumnCount(4);
    // The status and option columns as wide as their captions and texts need at the font;
    // the device column takes the rest, leaving room for the vertical scroll bar, so the
    // grid never needs a horizontal one.
    const int widths[] = {233, 108, 105, 106};
    const QStringList samples[] = {{},
                                   {"Status", "Present", "Removed"},
                                   {"Logging option", "Not logged"},
                                   {"Tray indicator", "Not included"}};
    const QFontMetrics metrics(m_grid->font());
    int others = 0;
    for (int column = 1; column < 4; ++column) {
        int width = widths[column];
        for (const QString& text : samples[column])
            width = std::max(width, metrics.horizontalAdvance(text) + 14);
        m_grid->setColumnWidth(column, width);
        others += width;
    }
    const int viewport =
        561 - 2 * m_grid->frameWidth() - m_grid->verticalScrollBar()->sizeHint().width();
    m_grid->setColumnWidth(0, std::max(120, viewport - others));
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(18);
    m_grid->horizontalHeader()->setFixedHeight(18);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->horizontalHeader()->setStyleSheet(
        "QHeaderView::section { background-color: rgb(165, 203, 247); padding-left: 3px; "
        "border: 0px; border-right: 1px solid rgb(128, 160, 210); }");
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setWordWrap(false);
    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previous_row, int) {
                if (row != previous_row && row >= 0) StringGrid1Click();
            });

    // The captions in a column on the left; the fields start where the widest caption ends
    // at the dialog's font, so no caption runs into its field.
    QLabel* captions[] = {
        label(box, "Label16", "Network device:", 8, 197),
        label(box, "Label2", "Time base cost:", 8, 229),
        label(box, "Label3", "Packet base cost:", 8, 261),
        label(box, "Label6", "Logging option:", 8, 293),
        label(box, "Label15", "Tray icon indicator:", 8, 312),
        label(box, "Label7", "Delete uninstalled device:", 8, 336),
    };
    int x = 152;
    for (QLabel* caption : captions) x = std::max(x, caption->geometry().right() + 12);

    m_device_label = label(box, "Label17", "--", x, 199);
    m_device_label->setFixedWidth(562 - x);
    QFont bold = m_device_label->font();
    bold.setBold(true);
    m_device_label->setFont(bold);

    m_time_cost = edit(box, "Edit1", x + 1, 224, 121);
    label(box, "Label4", "/", x + 131, 228);
    m_time_unit = list(box, "ComboBox2", {"Minute", "Hour"}, x + 144, 224, 65);

    m_bw_cost = edit(box, "Edit2", x + 1, 256, 121);
    label(box, "Label5", "/", x + 132, 260);
    m_bw_unit = list(box, "ComboBox3", {"Byte", "KByte", "Mbyte"}, x + 144, 256, 65);
    m_bw_opt = list(box, "ComboBox1", {"Both ", "Download only", "Upload only"}, x + 224, 256, 118);

    m_do_not_log = check(box, "CheckBox3", "Do not log this device", x, 291);
    m_no_tray =
        check(box, "CheckBox4", "Do not include this device on tray icon indicator", x, 310);

    build_budget_fields(box);

    auto* remove =
        button(box, "SpeedButton5", "Delete", config_picture(ConfigPicture::Delete),
               QRect(x - 6, 328, 83, 26), "Delete the log of the selected removed device");
    connect(remove, &QToolButton::clicked, this, &TFconfig::SpeedButton5Click);
    auto* save = button(box, "SpeedButton4", "Save", config_picture(ConfigPicture::Save),
                        QRect(485, 339, 80, 26), "Save the options of the selected device");
    connect(save, &QToolButton::clicked, this, &TFconfig::SpeedButton4Click);
}

void TFconfig::build_general_page(QWidget* page) {
    QGroupBox* box = group(page, QRect(8, 12, 577, 365));
    m_start_with_desktop = check(box, "CheckBox1", "Start when I log in", 16, 16);
    m_start_with_desktop->setToolTip("Start Quorvane when you log in to your desktop session");
    m_start_minimized = check(box, "CheckBox2", "Minimized on startup", 16, 40);
    m_start_minimized->setToolTip("Start in the tray, without showing the main window");
    auto* save = button(box, "SpeedButton2", "Save", config_picture(ConfigPicture::Save),
                        QRect(488, 331, 79, 27), "Save the general options");
    connect(save, &QToolButton::clicked, this, &TFconfig::SpeedButton2Click);
}

void TFconfig::build_meter_page(QWidget* page) {
    QGroupBox* box = group(page, QRect(8, 12, 577, 365));
    const QIcon apply = config_picture(ConfigPicture::Apply);
    // A window's transparency: its caption, the percent box (100 at first), "%" and Apply.
    struct Names {
        const char *caption, *edit, *percent, *apply;
    };
    auto transparency = [&](Names names, const char* text, int y, void (TFconfig::*applied)()) {
        label(box, names.caption, text, 16, y + 4);
        QLineEdit* percent = edit(box, names.edit, 160, y, 41);
        percent->setText("100");
        label(box, names.percent, "%", 206, y + 4);
        auto* apply_button = button(box, names.apply, "Apply", apply, QRect(224, y - 2, 70, 24));
        connect(apply_button, &QToolButton::clicked, this, applied);
        return percent;
    };
    m_meter_percent = transparency({"Label8", "Edit3", "Label9", "SpeedButton6"},
                                   "Meter transparency :", 16, &TFconfig::SpeedButton6Click);
    m_stat_percent = transparency({"Label10", "Edit4", "Label11", "SpeedButton8"},
                                  "Statistic transparency :", 48, &TFconfig::SpeedButton8Click);

    label(box, "Label12", "Meter default device :", 16, 92);
    list(box, "ComboBox4", {}, 160, 88, 200);
    label(box, "Label13", "Statistic default device :", 16, 124);
    list(box, "ComboBox5", {}, 160, 120, 200);
    label(box, "Label14", "Meter default graph type :", 16, 156);
    list(box, "ComboBox6", {"3D", "Bar", "Line", "Fill color"}, 160, 152, 100);

    auto* save = button(box, "SpeedButton7", "Save", config_picture(ConfigPicture::Save),
                        QRect(488, 331, 79, 27));
    connect(save, &QToolButton::clicked, this, &TFconfig::SpeedButton2Click);
}

void TFconfig::FormCreate() {
    m_grid->setHorizontalHeaderLabels(
        {"Network device", "Status", "Logging option", "Tray indicator"});
    fill_grid({}, nullptr);
}

void TFconfig::attach(TFconfigLinks links) {
    m_links = std::move(links);
    m_attached = true;
}

const TFconfigLinks& TFconfig::links() const {
    if (!m_attached) {
        throw std::logic_error("The configuration dialog was not attached to its data directory");
    }
    return m_links;
}

QToolButton* TFconfig::SpeedButton(int number) const {
    return findChild<QToolButton*>("SpeedButton" + QString::number(number));
}

void TFconfig::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    // Over the main window.
    if (m_links.owner != nullptr && m_links.owner->isVisible()) centre_on(this, m_links.owner);
    FormShow();
}

void TFconfig::FormShow() {
    Load_cfg_devlist();
    if (selected_row() < 0) select_row(0);
    load_device_cfg();
}

void TFconfig::SpeedButton3Click() {
    // Nothing is saved; the controls keep their contents for the next opening.
    reject();
}

}  // namespace quorvane
