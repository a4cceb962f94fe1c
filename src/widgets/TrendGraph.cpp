#include "widgets/TrendGraph.h"

#include <QImage>
#include <QMessageBox>
#include <QPainter>

#include <algorithm>

#include "widgets/TrendPainter.h"

namespace quorvane {

TrendGraph::TrendGraph(QWidget* parent) : QWidget(parent) {
    // The widget draws all of its area itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

template <class T>
void TrendGraph::assign(T& field, const T& value) {
    if (field == value) return;
    field = value;
    update();
}

void TrendGraph::set_MinVal(int32_t value) {
    if (m_buffers.set_MinVal(value)) update();
}
void TrendGraph::set_MaxVal(int32_t value) {
    if (m_buffers.set_MaxVal(value)) update();
}
void TrendGraph::set_Divisions(int value) {
    if (m_buffers.set_Divisions(value)) update();
}
void TrendGraph::set_AutoScale(bool value) {
    if (m_buffers.set_AutoScale(value)) update();
}
void TrendGraph::set_Options(TTrendOptions value) {
    assign(m_look.options, value);
}
void TrendGraph::set_Style(TTrendStyle value) {
    assign(m_look.style, value);
}
void TrendGraph::set_Color(const QColor& value) {
    assign(m_look.color, value);
}
void TrendGraph::set_ColorBase(const QColor& value) {
    assign(m_look.color_base, value);
}
void TrendGraph::set_ColorStaticLine(const QColor& value) {
    assign(m_look.color_static_line, value);
}
void TrendGraph::set_BackGroundColor(const QColor& value) {
    assign(m_look.background, value);
}
void TrendGraph::set_GridStyle(TGridStyle value) {
    assign(m_look.grid_style, value);
}
void TrendGraph::set_GridColor(const QColor& value) {
    assign(m_look.grid_color, value);
}
void TrendGraph::set_GridXstep(int value) {
    set_grid_step(m_look.grid_x_step, value, width());
}
void TrendGraph::set_GridYstep(int value) {
    set_grid_step(m_look.grid_y_step, value, height());
}

void TrendGraph::set_grid_step(int& step, int value, int limit) {
    if (value <= 0) {
        if (m_designing)
            QMessageBox::critical(this, "Error", "Value must be greater than 0!", QMessageBox::Ok);
        return;
    }
    // A widget without a size yet still keeps a usable step.
    assign(step, std::min(value, std::max(limit, 1)));
}

void TrendGraph::AddValue(int32_t value) {
    m_buffers.add(TrendBuffers::Main, value);
    update();
}
void TrendGraph::AddTwinValue(int32_t value) {
    m_buffers.add(TrendBuffers::Twin, value);
    update();
}
void TrendGraph::ClearValues() {
    m_buffers.clear(TrendBuffers::Main);
    update();
}
void TrendGraph::ClearTwinValues() {
    m_buffers.clear(TrendBuffers::Twin);
    update();
}

TrendLook TrendGraph::look() const {
    TrendLook look = m_look;
    look.font = font();
    look.font_color = palette().color(QPalette::WindowText);
    return look;
}

void TrendGraph::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    QImage picture(size() * ratio, QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    {
        QPainter offscreen(&picture);
        paint_trend(offscreen, size(), m_buffers, look());
    }
    QPainter(this).drawImage(0, 0, picture);
}

}  // namespace quorvane
