#include "ui/meter/TFmeter.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include "format/QuantityFormat.h"
#include "ui/common/LiveDevices.h"
#include "ui/common/WindowAlpha.h"
#include "ui/common/WindowMover.h"
#include "widgets/TrendGraph.h"

namespace quorvane {

namespace {

constexpr Qt::WindowFlags kFlags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
const QColor kBackground(123, 150, 222);
const QColor kFrame(74, 96, 160);

QLabel* make_label(const QString& text, const QColor& colour, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->adjustSize();
    return label;
}

// The low 32 bits of a rate, as the graph holds its values.
int32_t low_32_bits(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

QString per_second(const char* caption, int64_t bytes, const RegionalSettings& regional) {
    return QString::fromStdString(caption + bytes_to_str(bytes, regional) + "/s");
}

}  // namespace

TFmeter::TFmeter(QWidget* parent) : QWidget(parent, kFlags) {
    setObjectName("Fmeter");
    setWindowTitle("Meter");
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    build_face();
    build_menu();
    // The client area of 253 x 116 inside the thin frame; 120 pixels high in all.
    setMinimumSize(80, 48);
    resize(253 + 2 * kBorder, 116 + 2 * kBorder);
    place_children();  // a hidden window gets its resize event only when shown
    // 50 pixels from the top, the left edge 270 pixels left of the screen's right edge.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.right() + 1 - 270, area.top() + 50);
    }
}

void TFmeter::build_face() {
    m_client = new QWidget(this);
    m_client->setObjectName("client");
    m_client->setAutoFillBackground(true);
    QPalette palette = m_client->palette();
    palette.setColor(QPalette::Window, kBackground);
    m_client->setPalette(palette);

    m_label5 = make_label("--", Qt::white, "Label5", m_client);

    m_graph = new TrendGraph(m_client);
    m_graph->setObjectName("downloadtrend");
    m_graph->set_Divisions(90);
    m_graph->set_Options({toTwin});
    m_graph->set_Style(tsLine);
    m_graph->set_ColorBase(QColor(0, 255, 0));
    m_graph->set_BackGroundColor(QColor(233, 233, 254));
    m_graph->set_GridStyle(gsNone);
    m_graph->set_AutoScale(true);

    m_label4 = make_label("U:", QColor(0, 255, 0), "Label4", m_graph);
    m_label1 = make_label("D:", QColor(255, 0, 0), "Label1", m_graph);
    m_label6 = make_label("--", Qt::black, "Label6", m_graph);

    // Dragging works from the background, the graph and every label.
    m_mover = new WindowMover(this);
    for (QWidget* widget : std::initializer_list<QWidget*>{this, m_client, m_graph, m_label1,
                                                           m_label4, m_label5, m_label6})
        m_mover->watch(widget);
}

void TFmeter::place_children() {
    const QRect client = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    m_client->setGeometry(client);
    // The graph is anchored to all four sides; its first column lies under the left edge.
    m_graph->setGeometry(-1, 16, client.width() + 1, client.height() - 16);
    m_label5->setGeometry(0, 1, client.width(), 15);
    // The scale label is anchored to the graph's left and bottom edges.
    m_label6->move(2, m_graph->height() - 15);
    place_rate_labels();
}

void TFmeter::place_rate_labels() {
    m_label4->adjustSize();
    m_label1->adjustSize();
    m_label6->adjustSize();
    m_label4->move(1, -1);
    m_label1->move(std::max(81, m_label4->geometry().right() + 8), -1);
}

void TFmeter::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place_children();
}

void TFmeter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kFrame);
}

void TFmeter::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_label5->setText(QString::fromStdString(meter_device));
    m_tag = 1;
}

void TFmeter::update_meter(const Tmibarray& devices) {
    for (const Tmibdata& device : devices) {
        if (device.deventry != meter_device) continue;
        m_graph->AddValue(low_32_bits(device.dload_rate));
        m_label1->setText(per_second("D: ", device.dload_rate, m_regional));
        m_label4->setText(per_second("U: ", device.uload_rate, m_regional));
        m_graph->AddTwinValue(low_32_bits(device.uload_rate));
        m_label6->setText(per_second("Max scale: ", m_graph->MaxVal(), m_regional));
        place_rate_labels();
    }
}

void TFmeter::set_window_alpha(int alpha) {
    quorvane::set_window_alpha(*this, alpha);
}

}  // namespace quorvane
