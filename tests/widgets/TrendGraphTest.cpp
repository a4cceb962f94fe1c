#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

#include "widgets/TrendGraph.h"

namespace quorvane {
namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

class Graph : public ::testing::Test {
protected:
    void SetUp() override {
        graph.resize(254, 100);
        graph.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph));
        settle();
    }
    // Lets every pending repaint happen.
    static void settle() { QTest::qWait(50); }
    // The paints that one change of the graph brings.
    int paints_after(const std::function<void()>& change) {
        settle();
        PaintCounter counter(&graph);
        change();
        QElapsedTimer waited;
        waited.start();
        while (counter.paints == 0 && waited.elapsed() < 1000) QTest::qWait(5);
        settle();
        return counter.paints;
    }
    TrendGraph graph;
};

TEST_F(Graph, StartsWithTheDefaultsOfItsProperties) {
    EXPECT_EQ(graph.MinVal(), 0);
    EXPECT_EQ(graph.MaxVal(), 100);
    EXPECT_EQ(graph.Divisions(), 20);
    EXPECT_EQ(graph.Options(), TTrendOptions{});
    EXPECT_EQ(graph.Style(), tsBar);
    EXPECT_EQ(graph.Color(), QColor(255, 0, 0));
    EXPECT_EQ(graph.ColorBase(), QColor(0, 255, 255));
    EXPECT_EQ(graph.ColorStaticLine(), QColor(0, 255, 0));
    EXPECT_EQ(graph.BackGroundColor(), QColor(255, 255, 255));
    EXPECT_EQ(graph.GridStyle(), gsFull);
    EXPECT_EQ(graph.GridColor(), QColor(192, 192, 192));
    EXPECT_EQ(graph.GridXstep(), 10);
    EXPECT_EQ(graph.GridYstep(), 10);
    EXPECT_FALSE(graph.AutoScale());
}

struct Setter {
    const char* name;
    std::function<void(TrendGraph&)> same;
    std::function<void(TrendGraph&)> other;
};

// Each property set to the value it holds, and to another one.
std::vector<Setter> setters() {
    return {
        {"MinVal", [](TrendGraph& g) { g.set_MinVal(0); }, [](TrendGraph& g) { g.set_MinVal(5); }},
        {"MinVal made MaxVal - 1", [](TrendGraph& g) { g.set_MinVal(0); },
         [](TrendGraph& g) { g.set_MinVal(100); }},
        {"MaxVal", [](TrendGraph& g) { g.set_MaxVal(100); },
         [](TrendGraph& g) { g.set_MaxVal(50); }},
        {"Divisions", [](TrendGraph& g) { g.set_Divisions(20); },
         [](TrendGraph& g) { g.set_Divisions(90); }},
        {"Divisions clamped", [](TrendGraph& g) { g.set_Divisions(20); },
         [](TrendGraph& g) { g.set_Divisions(1); }},
        {"AutoScale", [](TrendGraph& g) { g.set_AutoScale(false); },
         [](TrendGraph& g) { g.set_AutoScale(true); }},
        {"Options", [](TrendGraph& g) { g.set_Options({}); },
         [](TrendGraph& g) { g.set_Options({toTwin}); }},
        {"Style", [](TrendGraph& g) { g.set_Style(tsBar); },
         [](TrendGraph& g) { g.set_Style(tsLine); }},
        {"Color", [](TrendGraph& g) { g.set_Color(QColor(255, 0, 0)); },
         [](TrendGraph& g) { g.set_Color(Qt::blue); }},
        {"ColorBase", [](TrendGraph& g) { g.set_ColorBase(QColor(0, 255, 255)); },
         [](TrendGraph& g) { g.set_ColorBase(Qt::green); }},
        {"ColorStaticLine", [](TrendGraph& g) { g.set_ColorStaticLine(QColor(0, 255, 0)); },
         [](TrendGraph& g) { g.set_ColorStaticLine(Qt::black); }},
        {"BackGroundColor", [](TrendGraph& g) { g.set_BackGroundColor(Qt::white); },
         [](TrendGraph& g) { g.set_BackGroundColor(QColor(233, 233, 254)); }},
        {"GridStyle", [](TrendGraph& g) { g.set_GridStyle(gsFull); },
         [](TrendGraph& g) { g.set_GridStyle(gsNone); }},
        {"GridColor", [](TrendGraph& g) { g.set_GridColor(QColor(192, 192, 192)); },
         [](TrendGraph& g) { g.set_GridColor(Qt::gray); }},
        {"GridXstep", [](TrendGraph& g) { g.set_GridXstep(10); },
         [](TrendGraph& g) { g.set_GridXstep(25); }},
        {"GridXstep cut to the width", [](TrendGraph& g) { g.set_GridXstep(10); },
         [](TrendGraph& g) { g.set_GridXstep(1000); }},
        {"GridYstep", [](TrendGraph& g) { g.set_GridYstep(10); },
         [](TrendGraph& g) { g.set_GridYstep(20); }},
    };
}

TEST_F(Graph, RepaintsWhenAPropertyChangesAndNotWhenItIsSetToItsValue) {
    for (const Setter& setter : setters()) {
        TrendGraph fresh;
        fresh.resize(254, 100);
        fresh.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&fresh));
        settle();
        PaintCounter counter(&fresh);
        setter.same(fresh);
        settle();
        EXPECT_EQ(counter.paints, 0) << setter.name << " set to its own value";
        setter.other(fresh);
        QElapsedTimer waited;
        waited.start();
        while (counter.paints == 0 && waited.elapsed() < 1000) QTest::qWait(5);
        EXPECT_GT(counter.paints, 0) << setter.name << " changed";
    }
}

TEST_F(Graph, TheFourOperationsAlwaysRepaint) {
    EXPECT_GT(paints_after([this] { graph.AddValue(0); }), 0);
    EXPECT_GT(paints_after([this] { graph.AddTwinValue(0); }), 0);
    EXPECT_GT(paints_after([this] { graph.ClearValues(); }), 0);
    EXPECT_GT(paints_after([this] { graph.ClearTwinValues(); }), 0);
}

TEST_F(Graph, GridStepsAboveTheSizeAreCutAndStepsOfZeroOrLessRefused) {
    graph.set_GridXstep(0);
    EXPECT_EQ(graph.GridXstep(), 10);
    graph.set_GridXstep(-4);
    EXPECT_EQ(graph.GridXstep(), 10);
    graph.set_GridXstep(1000);
    EXPECT_EQ(graph.GridXstep(), 254) << "the widget is 254 wide";
    graph.set_GridXstep(254);
    EXPECT_EQ(graph.GridXstep(), 254);
    graph.set_GridYstep(0);
    EXPECT_EQ(graph.GridYstep(), 10);
    graph.set_GridYstep(1000);
    EXPECT_EQ(graph.GridYstep(), 100) << "the widget is 100 high";
    graph.set_GridYstep(7);
    EXPECT_EQ(graph.GridYstep(), 7);
}

TEST_F(Graph, TheRefusalShowsItsErrorBoxOnlyInADesigner) {
    QString seen;
    auto watch = [&seen] {
        QTimer::singleShot(0, [&seen] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen = box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
    };
    watch();
    graph.set_GridXstep(0);  // at run time: silent
    QTest::qWait(20);
    EXPECT_TRUE(seen.isEmpty());

    graph.set_designing(true);
    watch();
    graph.set_GridYstep(-1);
    EXPECT_EQ(seen, "Value must be greater than 0!");
    EXPECT_EQ(graph.GridYstep(), 10);
}

}  // namespace
}  // namespace quorvane
