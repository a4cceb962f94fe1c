#pragma once

#include <QWidget>

#include <cstdint>

#include "widgets/TrendBuffers.h"
#include "widgets/TrendLook.h"

namespace quorvane {

// A scrolling trend of one stream, with an optional twin series on the same scale: each
// value enters at the right edge and the oldest leaves at the left. It can rescale itself
// to the largest value held and draws in one of six styles. Child widgets (labels) are
// drawn over it. Every setter repaints only when the value changes; the four operations
// always repaint. The painting goes through one off-screen image, so it does not flicker.
class TrendGraph : public QWidget {
    Q_OBJECT

public:
    explicit TrendGraph(QWidget* parent = nullptr);

    int32_t MinVal() const { return m_buffers.MinVal(); }
    int32_t MaxVal() const { return m_buffers.MaxVal(); }
    int Divisions() const { return m_buffers.Divisions(); }
    bool AutoScale() const { return m_buffers.AutoScale(); }
    TTrendOptions Options() const { return m_look.options; }
    TTrendStyle Style() const { return m_look.style; }
    QColor Color() const { return m_look.color; }
    QColor ColorBase() const { return m_look.color_base; }
    QColor ColorStaticLine() const { return m_look.color_static_line; }
    QColor BackGroundColor() const { return m_look.background; }
    TGridStyle GridStyle() const { return m_look.grid_style; }
    QColor GridColor() const { return m_look.grid_color; }
    int GridXstep() const { return m_look.grid_x_step; }
    int GridYstep() const { return m_look.grid_y_step; }

    void set_MinVal(int32_t value);
    void set_MaxVal(int32_t value);
    void set_Divisions(int value);
    void set_AutoScale(bool value);
    void set_Options(TTrendOptions value);
    void set_Style(TTrendStyle value);
    void set_Color(const QColor& value);
    void set_ColorBase(const QColor& value);
    void set_ColorStaticLine(const QColor& value);
    void set_BackGroundColor(const QColor& value);
    void set_GridStyle(TGridStyle value);
    void set_GridColor(const QColor& value);
    // Steps above 0 only, cut to the width (height); 0 or below is refused and leaves the
    // step as it was: silently at run time, with an error box in a form designer.
    void set_GridXstep(int value);
    void set_GridYstep(int value);

    void AddValue(int32_t value);
    void AddTwinValue(int32_t value);
    void ClearValues();
    void ClearTwinValues();

    const TrendBuffers& buffers() const { return m_buffers; }
    // A form designer that hosts the widget says so, for the refusal's error box.
    void set_designing(bool value) { m_designing = value; }
    bool designing() const { return m_designing; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    template <class T>
    void assign(T& field, const T& value);
    void set_grid_step(int& step, int value, int limit);
    TrendLook look() const;

    TrendBuffers m_buffers;
    TrendLook m_look;
    bool m_designing = false;
};

}  // namespace quorvane
