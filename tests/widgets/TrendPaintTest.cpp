#include <gtest/gtest.h>

#include <QImage>

#include "widgets/TrendGraph.h"

// Colours print as their name in failures.
inline void PrintTo(const QColor& color, std::ostream* out) {
    *out << color.name().toStdString();
}

namespace quorvane {
namespace {

// A graph of 206 x 106 pixels with 20 slots: each slot is 10 pixels wide, slot i begins at
// x = 3 + 10 i and has its centre at x = 8 + 10 i; on the scale 0..100 a value v lies
// v pixels above the bottom margin, at y = 103 - v.
class Painting : public ::testing::Test {
protected:
    void SetUp() override {
        graph.resize(206, 106);
        graph.set_GridStyle(gsNone);
    }
    QImage picture() { return graph.grab().toImage(); }
    QColor at(const QImage& image, int x, int y) { return image.pixelColor(x, y); }
    static int centre(int i) { return 8 + 10 * i; }
    static int y_of(int v) { return 103 - v; }
    // Main values i * 5 (a rising line), twin values 40.
    void rising_main_flat_twin() {
        for (int i = 0; i < 20; ++i) {
            graph.AddValue(i * 5);
            graph.AddTwinValue(40);
        }
    }

    TrendGraph graph;
    const QColor white{255, 255, 255};
    const QColor red{255, 0, 0};
    const QColor aqua{0, 255, 255};
    const QColor lime{0, 255, 0};
};

TEST_F(Painting, LineDrawsTheTwinAreaTheMainLineThroughTheCentresAndTheStaticLine) {
    graph.set_Style(tsLine);
    graph.set_Options({toTwin});
    rising_main_flat_twin();
    const QImage image = picture();
    // Slot 0 holds 0, on the static line drawn over it.
    for (int i = 1; i < 20; ++i) EXPECT_EQ(at(image, centre(i), y_of(5 * i)), red) << "slot " << i;
    // The area runs between the first and the last centre, from the twin value down.
    EXPECT_EQ(at(image, 100, y_of(40) + 1), aqua);
    EXPECT_EQ(at(image, 100, 90), aqua);
    EXPECT_EQ(at(image, 100, y_of(40) - 2), white) << "above the twin value";
    EXPECT_EQ(at(image, 5, 90), white) << "left of the first centre";
    EXPECT_EQ(at(image, 200, 90), white) << "right of the last centre";
    // The static line at value 0 on the bottom margin, over the area.
    EXPECT_EQ(at(image, 100, 103), lime);
    EXPECT_EQ(at(image, 100, 104), white) << "below the margin";
    EXPECT_EQ(at(image, 100, 1), white) << "nothing above the scale";
}

TEST_F(Painting, LineWithoutTwinHasNoArea) {
    graph.set_Style(tsLine);
    rising_main_flat_twin();
    const QImage image = picture();
    EXPECT_EQ(at(image, 100, 90), white);
    EXPECT_EQ(at(image, 100, 103), lime);
    EXPECT_EQ(at(image, centre(10), y_of(50)), red);
}

TEST_F(Painting, OldLineDrawsTwoLinesAndNoStaticLine) {
    graph.set_Style(tsLineold);
    graph.set_Options({toTwin});
    rising_main_flat_twin();
    const QImage image = picture();
    EXPECT_EQ(at(image, 100, y_of(40)), aqua);
    EXPECT_EQ(at(image, 100, y_of(40) + 3), white) << "a line, no area";
    EXPECT_EQ(at(image, centre(3), y_of(15)), red);
    EXPECT_EQ(at(image, 100, 103), white) << "no static line";
}

TEST_F(Painting, FilledDrawsTheMainAreaTheTwinLineAndTheStaticLine) {
    graph.set_Style(tsFilled);
    graph.set_Options({toTwin});
    for (int i = 0; i < 20; ++i) {
        graph.AddValue(60);
        graph.AddTwinValue(20);
    }
    const QImage image = picture();
    EXPECT_EQ(at(image, 100, y_of(60) + 5), red);
    EXPECT_EQ(at(image, 100, y_of(60) - 3), white);
    EXPECT_EQ(at(image, 100, y_of(20)), aqua) << "the twin line over the area";
    EXPECT_EQ(at(image, 100, 103), lime);
}

TEST_F(Painting, BarsStandOnTheBottomMarginWithTheirOutline) {
    graph.set_Style(tsBar);
    for (int i = 0; i < 20; ++i) graph.AddValue(i == 5 ? 50 : 30);
    QImage image = picture();
    // Slot 5 spans x 53..63.
    EXPECT_EQ(at(image, 58, y_of(50) + 2), red);
    EXPECT_EQ(at(image, 58, 101), red);
    EXPECT_EQ(at(image, 58, y_of(50) - 2), white);
    EXPECT_EQ(at(image, 58, y_of(50)), QColor(Qt::black)) << "outlined in black without grid";
    EXPECT_EQ(at(image, 78, y_of(30) - 2), white);
    EXPECT_EQ(at(image, 78, y_of(30) + 2), red);

    graph.set_GridStyle(gsFull);
    image = picture();
    EXPECT_EQ(at(image, 58, y_of(50)), QColor(192, 192, 192)) << "outlined in the grid colour";
}

TEST_F(Painting, ScatterDrawsSmallSquaresOfBothSeries) {
    graph.set_Style(tsScatter);
    graph.set_Options({toTwin});
    for (int i = 0; i < 20; ++i) {
        graph.AddValue(100);
        graph.AddTwinValue(0);
    }
    const QImage image = picture();
    // r = 3: squares of 6 centred at 9 + 10 i; the main square's lower edge at the top
    // of the scale (94 + 3 above the bottom), the twin's on the bottom margin.
    EXPECT_EQ(at(image, 99, 106 - 97 - 3), red);
    EXPECT_EQ(at(image, 99, 106 - 3 - 3), aqua);
    EXPECT_EQ(at(image, 99, 50), white);
    EXPECT_EQ(at(image, 104, 106 - 97 - 3), white) << "between two squares";
}

TEST_F(Painting, ThreeDDrawsAFrontASideAndATopFace) {
    graph.set_Style(ts3D);
    for (int i = 0; i < 19; ++i) graph.AddValue(0);
    graph.AddValue(50);
    QImage image = picture();
    // Slot width 9.5; the last block spans x 184..193, its top 50 * 90 / 100 + 3 = 48
    // pixels above the bottom, at y = 58.
    EXPECT_EQ(at(image, 188, 80), red) << "the front";
    EXPECT_EQ(at(image, 198, 75), QColor(195, 0, 0)) << "the right side, darker";
    EXPECT_EQ(at(image, 193, 53), QColor(255, 60, 60)) << "the top, lighter";
    EXPECT_EQ(at(image, 188, 40), white);

    graph.set_Options({toTwin});
    for (int i = 0; i < 19; ++i) graph.AddTwinValue(0);
    graph.AddTwinValue(20);  // the block's bottom 21 pixels above the bottom edge
    image = picture();
    EXPECT_EQ(at(image, 188, 70), red);
    EXPECT_EQ(at(image, 188, 88), white) << "below the twin value";
}

TEST_F(Painting, TheGridIsSpacedFromTheRightEdgeAndByValue) {
    graph.set_Style(tsLineold);
    graph.set_GridStyle(gsFull);
    graph.set_GridXstep(50);
    graph.set_GridYstep(25);
    const QImage image = picture();
    const QColor silver(192, 192, 192);
    for (int x : {156, 106, 56, 6}) EXPECT_EQ(at(image, x, 20), silver) << x;
    EXPECT_EQ(at(image, 155, 20), white);
    // 25, 50 and 75 percent of 106 pixels: 27, 53 and 80 pixels above the bottom edge.
    for (int y : {79, 53, 26}) EXPECT_EQ(at(image, 30, y), silver) << y;
    EXPECT_EQ(at(image, 30, 60), white);

    graph.set_GridStyle(gsXGrid);
    EXPECT_EQ(at(picture(), 30, 53), white) << "vertical lines only";
    graph.set_GridStyle(gsYGrid);
    EXPECT_EQ(at(picture(), 156, 20), white) << "horizontal lines only";
}

TEST_F(Painting, TheGridOfAHugeScaleStillHasItsLines) {
    graph.set_Style(tsLineold);
    graph.set_GridStyle(gsYGrid);
    graph.set_GridYstep(10);
    graph.set_MaxVal(2000000000);
    const QImage image = picture();
    EXPECT_EQ(at(image, 30, 106 - 53), QColor(192, 192, 192)) << "50 percent";
}

bool has_ink(const QImage& image, const QRect& area, const QColor& background) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != background) return true;
    return false;
}

TEST_F(Painting, ValueLabelsStandAboveTheBarsAndZerosCanBeLeftOut) {
    graph.set_Style(tsBar);
    graph.set_Options({toValues});
    for (int i = 0; i < 20; ++i) graph.AddValue(i == 5 ? 50 : 0);
    QImage image = picture();
    const QRect above_bar5(53, y_of(50) - 14, 11, 12);
    const QRect above_zero(123, 103 - 14, 11, 12);
    EXPECT_TRUE(has_ink(image, above_bar5, white));
    EXPECT_TRUE(has_ink(image, above_zero, white)) << "the label 0";

    graph.set_Options({toValues, toNoZeros});
    image = picture();
    EXPECT_TRUE(has_ink(image, above_bar5, white));
    EXPECT_FALSE(has_ink(image, above_zero, white));

    graph.set_Options({});
    EXPECT_FALSE(has_ink(picture(), above_bar5, white)) << "no labels without toValues";
}

TEST_F(Painting, ABarLabelStaysInsideTheTopEdge) {
    graph.set_Style(tsBar);
    graph.set_Options({toValues});
    for (int i = 0; i < 20; ++i) graph.AddValue(100);
    const QImage image = picture();
    EXPECT_TRUE(has_ink(image, QRect(53, 0, 11, 3), QColor(255, 0, 0)))
        << "the label covers the top of the bar";
}

}  // namespace
}  // namespace quorvane
