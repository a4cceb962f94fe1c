#include "widgets/TrendPainter.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

#include "widgets/TrendLabels.h"

namespace quorvane {

namespace {

using Series = TrendBuffers::Series;

constexpr int kMargin = 3;
constexpr int kDepth = 10;  // the 3D style's offset to the right and up

// Floor division, for the grid's multiples of negative values.
int64_t floor_div(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

QColor shaded(const QColor& color, int delta) {
    auto channel = [delta](int value) { return std::clamp(value + delta, 0, 255); };
    return QColor(channel(color.red()), channel(color.green()), channel(color.blue()));
}

// One paint of the graph.
class TrendCanvas {
public:
    TrendCanvas(QPainter& painter, QSize size, const TrendBuffers& buffers, const TrendLook& look)
        : m_painter(painter),
          m_width(size.width()),
          m_height(size.height()),
          m_buffers(buffers),
          m_look(look),
          m_min(buffers.MinVal()),
          m_range(int64_t{buffers.MaxVal()} - buffers.MinVal()),
          m_slot(double(m_width - 2 * kMargin) / buffers.Divisions()) {}

    void background() { m_painter.fillRect(0, 0, m_width, m_height, m_look.background); }
    // Returns whether a grid was drawn.
    bool grid();
    // The series in the look's style; bars are outlined in the grid colour after a grid.
    void series(bool grid_drawn);

private:
    int value(Series series, int i) const { return m_buffers.value(series, i); }
    int divisions() const { return m_buffers.Divisions(); }
    // Pixels above the bottom edge of a value, with span pixels between the margins.
    int height_of(int64_t v, int span) const { return int((v - m_min) * span / m_range) + kMargin; }
    int y_of(int64_t v) const { return m_height - height_of(v, m_height - 2 * kMargin); }
    int centre_x(int i) const { return qRound(kMargin + i * m_slot + std::floor(m_slot / 2)); }
    void pen_and_brush(const QColor& color) {
        m_painter.setPen(QPen(color, 1));
        m_painter.setBrush(color);
    }

    void polyline(Series series, const QColor& color);
    void area(Series series, const QColor& color);
    void bars(bool grid_drawn);
    void scatter();
    void blocks();

    QPainter& m_painter;
    int m_width;
    int m_height;
    const TrendBuffers& m_buffers;
    const TrendLook& m_look;
    int64_t m_min;
    int64_t m_range;
    double m_slot;
};

bool TrendCanvas::grid() {
    const TGridStyle style = m_look.grid_style;
    if (style == gsNone) return false;
    m_painter.setPen(QPen(m_look.grid_color, 1));
    if ((style == gsXGrid || style == gsFull) && m_look.grid_x_step > 0) {
        // Spaced from the right edge.
        for (int a = m_look.grid_x_step; a < m_width; a += m_look.grid_x_step)
            m_painter.drawLine(m_width - a, 0, m_width - a, m_height - 1);
    }
    if ((style == gsYGrid || style == gsFull) && m_look.grid_y_step > 0) {
        // A line for every multiple b of the step with MinVal < b < MaxVal, at the whole
        // percent p = (b - MinVal) * 100 / range of the height. The values of one percent
        // draw the same line, so each percent is looked at once, whatever the range.
        const int64_t step = m_look.grid_y_step;
        for (int p = 0; p < 100; ++p) {
            const int64_t low = std::max<int64_t>(1, (p * m_range + 99) / 100);
            const int64_t high = std::min<int64_t>(m_range - 1, ((p + 1) * m_range + 99) / 100 - 1);
            if (low > high) continue;
            if (floor_div(m_min + high, step) * step < m_min + low) continue;
            const int y = m_height - qRound(p * m_height / 100.0);
            m_painter.drawLine(0, y, m_width - 1, y);
        }
    }
    return true;
}

void TrendCanvas::polyline(Series series, const QColor& color) {
    QPolygon points;
    for (int i = 0; i < divisions(); ++i) points << QPoint(centre_x(i), y_of(value(series, i)));
    m_painter.setPen(QPen(color, 1));
    m_painter.drawPolyline(points);
}

void TrendCanvas::area(Series series, const QColor& color) {
    pen_and_brush(color);
    const int bottom = m_height - kMargin;
    for (int i = 0; i + 1 < divisions(); ++i) {
        const int left = centre_x(i);
        const int right = centre_x(i + 1);
        const QPoint corners[] = {{left, bottom},
                                  {left, y_of(value(series, i))},
                                  {right, y_of(value(series, i + 1))},
                                  {right, bottom}};
        m_painter.drawPolygon(corners, 4);
    }
}

void TrendCanvas::bars(bool grid_drawn) {
    m_painter.setPen(QPen(grid_drawn ? m_look.grid_color : QColor(Qt::black), 1));
    m_painter.setBrush(m_look.color);
    const int span = m_height - 2 * kMargin;
    const int bottom = m_height - kMargin;
    for (int i = 0; i < divisions(); ++i) {
        const int left = qRound(kMargin + i * m_slot);
        const int right = qRound(kMargin + (i + 1) * m_slot);
        const int64_t v = value(Series::Main, i);
        const int top = m_height - qRound(double(v - m_min) * span / double(m_range) + kMargin);
        m_painter.drawRect(QRect(left, top, right - left, bottom - top));
        if (m_look.options.has(toValues) && !(v == 0 && m_look.options.has(toNoZeros)))
            paint_value_label(m_painter, m_look, QPoint((left + right) / 2, top - 1), v, true);
    }
}

void TrendCanvas::scatter() {
    const int r = std::max(1, qRound(m_slot / 4));
    const int span = m_height - 2 * r - 2 * kMargin;
    auto dots = [&](Series series, const QColor& color) {
        for (int i = 0; i < divisions(); ++i) {
            const int x = qRound(kMargin + i * m_slot + 2 * r);
            const int lower = m_height - height_of(value(series, i), span);
            m_painter.fillRect(QRect(x - r, lower - 2 * r, 2 * r, 2 * r), color);
        }
    };
    dots(Series::Main, m_look.color);
    if (m_look.options.has(toTwin)) dots(Series::Twin, m_look.color_base);
}

void TrendCanvas::blocks() {
    const double slot = double(m_width - kDepth - 2 * kMargin) / divisions();
    const int span = m_height - kDepth - 2 * kMargin;
    const bool twin = m_look.options.has(toTwin);
    const QColor side = shaded(m_look.color, -60);
    const QColor lid = shaded(m_look.color, 60);
    for (int i = 0; i < divisions(); ++i) {
        const int left = qRound(kMargin + i * slot);
        const int right = qRound(kMargin + (i + 1) * slot);
        int top = height_of(value(Series::Main, i), span);
        int bottom = twin ? height_of(value(Series::Twin, i), span) : kMargin;
        if (bottom > top) std::swap(top, bottom);
        const int y_top = m_height - top;
        const int y_bottom = m_height - bottom;
        pen_and_brush(m_look.color);
        m_painter.drawRect(QRect(left, y_top, right - left, y_bottom - y_top));
        pen_and_brush(side);
        const QPoint right_face[] = {{right, y_top},
                                     {right + kDepth, y_top - kDepth},
                                     {right + kDepth, y_bottom - kDepth},
                                     {right, y_bottom}};
        m_painter.drawPolygon(right_face, 4);
        pen_and_brush(lid);
        const QPoint top_face[] = {{left, y_top},
                                   {left + kDepth, y_top - kDepth},
                                   {right + kDepth, y_top - kDepth},
                                   {right, y_top}};
        m_painter.drawPolygon(top_face, 4);
        if (m_look.options.has(toValues)) {
            const int64_t shown =
                int64_t{value(Series::Main, i)} - (twin ? value(Series::Twin, i) : 0);
            if (!(shown == 0 && m_look.options.has(toNoZeros)))
                paint_value_label(m_painter, m_look,
                                  QPoint((left + right) / 2 + kDepth / 2, y_top - kDepth - 1),
                                  shown, false);
        }
    }
}

void TrendCanvas::series(bool grid_drawn) {
    const bool twin = m_look.options.has(toTwin);
    switch (m_look.style) {
        case tsLine:
            if (twin) area(Series::Twin, m_look.color_base);
            polyline(Series::Main, m_look.color);
            polyline(Series::StaticLine, m_look.color_static_line);
            break;
        case tsLineold:
            if (twin) polyline(Series::Twin, m_look.color_base);
            polyline(Series::Main, m_look.color);
            break;
        case tsFilled:
            area(Series::Main, m_look.color);
            if (twin) polyline(Series::Twin, m_look.color_base);
            polyline(Series::StaticLine, m_look.color_static_line);
            break;
        case tsScatter:
            scatter();
            break;
        case ts3D:
            blocks();
            break;
        case tsBar:
            bars(grid_drawn);
            break;
    }
}

}  // namespace

void paint_trend(QPainter& painter, QSize size, const TrendBuffers& buffers,
                 const TrendLook& look) {
    if (size.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    TrendCanvas canvas(painter, size, buffers, look);
    canvas.background();
    canvas.series(canvas.grid());
    painter.restore();
}

}  // namespace quorvane
