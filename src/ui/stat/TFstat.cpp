#include "ui/stat/TFstat.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTableWidget>
#include <QToolButton>
#include <QWindow>

#include "ui/common/DropDownComboBox.h"
#include "ui/common/LiveDevices.h"
#include "ui/common/WindowAlpha.h"
#include "ui/pictures/Pictures.h"
#include "ui/stat/StatTexts.h"

namespace quorvane {

namespace {

constexpr Qt::WindowFlags kFlags =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
constexpr int kRows = kStatRows + 1;  // the header row and the twelve figures

QTableWidgetItem* cell_item(const QString& text, Qt::ItemFlags flags) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(flags);
    return item;
}

}  // namespace

TFstat::TFstat(QWidget* parent) : QWidget(parent, kFlags) {
    FormCreate();
}

void TFstat::FormCreate() {
    setObjectName("Fstat");
    setWindowTitle("Device statistics");
    setFixedSize(379, 314);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(216, 228, 248));
    setPalette(palette);

    build_grid();
    build_device_box();

    m_close_button = new QToolButton(this);
    m_close_button->setObjectName("SpeedButton5");
    m_close_button->setGeometry(286, 278, 81, 28);
    m_close_button->setAutoRaise(true);
    m_close_button->setIcon(close_picture());
    m_close_button->setIconSize(QSize(20, 20));
    m_close_button->setText("Close");
    m_close_button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(m_close_button, &QToolButton::clicked, this, &TFstat::SpeedButton5Click);
}

void TFstat::build_grid() {
    m_grid = new QTableWidget(kRows, 2, this);
    m_grid->setObjectName("StringGrid1");
    m_grid->setGeometry(16, 16, 353, 225);
    m_grid->setFrameShape(QFrame::NoFrame);
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setMinimumSectionSize(16);
    m_grid->verticalHeader()->setDefaultSectionSize(16);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->setColumnWidth(0, 169);
    m_grid->setColumnWidth(1, 181);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setWordWrap(false);

    // The first row is fixed: the column headers, in their own colour, not selectable.
    for (int column = 0; column < 2; ++column) {
        auto* header = cell_item(column == 0 ? "Description" : "Value", Qt::ItemIsEnabled);
        header->setBackground(QColor(165, 203, 247));
        m_grid->setItem(0, column, header);
    }
    const auto& descriptions = stat_descriptions();
    for (int row = 1; row < kRows; ++row) {
        const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        m_grid->setItem(row, 0, cell_item(descriptions[row - 1], flags));
        m_grid->setItem(row, 1, cell_item(QString(), flags));
    }
}

void TFstat::build_device_box() {
    m_label1 = new QLabel("Network device:", this);
    m_label1->setObjectName("Label1");
    m_label1->move(16, 255);
    m_label1->adjustSize();

    m_device_box = new DropDownComboBox(this);
    m_device_box->setObjectName("ComboBox1");
    m_device_box->setEditable(true);
    m_device_box->setInsertPolicy(QComboBox::NoInsert);
    m_device_box->setCompleter(nullptr);
    // Beside its label, with room between them at any font, reaching the table's right edge.
    const int left = m_label1->geometry().right() + 9;
    m_device_box->setGeometry(left, 252, 370 - left, m_device_box->sizeHint().height());
    // A typed name is not used: only a pick from the list chooses the device, so Enter in
    // the text does nothing.
    m_device_box->lineEdit()->installEventFilter(this);
    connect(m_device_box, &DropDownComboBox::dropping_down, this, &TFstat::ComboBox1DropDown);
    connect(m_device_box, &QComboBox::activated, this, &TFstat::ComboBox1Click);
}

bool TFstat::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_device_box->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
    }
    return QWidget::eventFilter(watched, event);
}

QString TFstat::cell(int row, int column) const {
    const QTableWidgetItem* item = m_grid->item(row, column);
    return item ? item->text() : QString();
}

void TFstat::update_stat(const Tmibarray& devices) {
    for (const Tmibdata& device : devices) {
        if (device.deventry != stat_device) continue;
        const auto values = stat_values(device, m_regional);
        for (int row = 1; row < kRows; ++row)
            m_grid->item(row, 1)->setText(QString::fromStdString(values[row - 1]));
    }
}

void TFstat::set_device_text(const std::string& name) {
    m_device_box->setEditText(QString::fromStdString(name));
}

void TFstat::set_window_alpha(int alpha) {
    quorvane::set_window_alpha(*this, alpha);
}

void TFstat::ComboBox1DropDown() {
    // The list is made afresh; what the box shows stays.
    const QString shown = m_device_box->currentText();
    const QSignalBlocker quiet(m_device_box);
    m_device_box->clear();
    try {
        if (m_devices != nullptr) {
            for (const Tmibdata& device : *m_devices)
                m_device_box->addItem(QString::fromStdString(device.deventry));
        }
    } catch (const std::exception&) {
        // The list keeps the names added so far.
    }
    const int found = m_device_box->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_device_box->setCurrentIndex(found);
    m_device_box->setEditText(shown);
}

void TFstat::ComboBox1Click() {
    stat_device = m_device_box->currentText().toStdString();
}

void TFstat::SpeedButton5Click() {
    close();
}

void TFstat::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_shown_once) {
        m_shown_once = true;
        // Shown by itself, the first time in the middle of the screen; a window that owns
        // it has placed it already.
        const bool owned = windowHandle() != nullptr && windowHandle()->transientParent();
        if (QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr && !owned) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->geometry().center());
            move(frame.topLeft());
        }
    }
    m_tag = 1;
}

void TFstat::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_tag = 0;
}

void TFstat::closeEvent(QCloseEvent* event) {
    m_tag = 0;
    event->accept();
}

}  // namespace quorvane
