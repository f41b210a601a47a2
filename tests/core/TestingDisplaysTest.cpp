#include "common/Random.h"
#include "testing/MeterGeometry.h"
#include "testing/Readouts.h"
#include "testing/TraceModel.h"
#include "testing/WaveModel.h"

#include <cmath>
#include <gtest/gtest.h>

namespace hv {
namespace {

// ---- Gauge -----------------------------------------------------------------------------

TEST(MeterGeometryTest, TheTestDialogsGaugeHasRadius65AroundItsLowerMiddle) {
    const MeterGeometry g(150, 95);
    EXPECT_EQ(g.Radius(), 65);
    EXPECT_EQ(g.Centre(), (MeterPoint{75, 86}));
    EXPECT_EQ(g.ArcRadius(), 52);
    // The larger side decides, whichever it is.
    EXPECT_EQ(MeterGeometry(95, 150).Radius(), 65);
}

TEST(MeterGeometryTest, TheNeedleSweepsFrom160To20DegreesOverZeroTo28) {
    const MeterGeometry g(150, 95);
    const std::pair<double, double> cases[] = {
        {0.0, 160.0},  {14.0, 90.0},   {28.0, 20.0},         {2.5, 147.5},
        {28.1, 20.0},  {100.0, 20.0},  {1e9, 20.0}, // held at the end of the scale
        {-0.1, 160.0}, {-50.0, 160.0}, {std::nan(""), 160.0}};
    for (const auto& [value, angle] : cases)
        EXPECT_DOUBLE_EQ(g.NeedleAngle(value), angle) << "value " << value;
}

TEST(MeterGeometryTest, TheNeedlePointsWhereItsAngleSays) {
    const MeterGeometry g(150, 95);
    const MeterPoint c = g.Centre();
    for (double value = 0.0; value <= 28.0; value += 0.1) {
        const auto [a, tip, b, tail] = g.Needle(value);
        const double angle = g.NeedleAngle(value) * M_PI / 180.0;
        // The tip lies 0.7 R out along the angle, the tail R/6 behind the centre.
        EXPECT_NEAR(tip.x, c.x + 45.5 * std::cos(angle), 0.5);
        EXPECT_NEAR(tip.y, c.y - 45.5 * std::sin(angle), 0.5);
        EXPECT_NEAR(tail.x, c.x - 10 * std::cos(angle), 0.5);
        EXPECT_NEAR(tail.y, c.y + 10 * std::sin(angle), 0.5);
        // The sides sit across the needle, three pixels either side of the centre.
        EXPECT_NEAR(std::hypot(a.x - c.x, a.y - c.y), 3.0, 0.75);
        EXPECT_NEAR(std::hypot(b.x - c.x, b.y - c.y), 3.0, 0.75);
    }
    const auto straightUp = g.Needle(14.0);
    EXPECT_EQ(straightUp[1], (MeterPoint{75, 41})); // 86 - 45.5, rounded half away from zero
    EXPECT_EQ(straightUp[0], (MeterPoint{72, 86}));
    EXPECT_EQ(straightUp[2], (MeterPoint{78, 86}));
    EXPECT_EQ(straightUp[3], (MeterPoint{75, 96}));
    EXPECT_TRUE(MeterGeometry::ShadowOnSideA(g.NeedleAngle(0.0)));
    EXPECT_FALSE(MeterGeometry::ShadowOnSideA(g.NeedleAngle(14.0)));
    EXPECT_FALSE(MeterGeometry::ShadowOnSideA(g.NeedleAngle(28.0)));
}

TEST(MeterGeometryTest, FourBandsOf51StepsCoverTheScaleBetweenArcAndRim) {
    const MeterGeometry g(150, 95);
    const MeterPoint c = g.Centre();
    double previousEnd = 160.0;
    for (int band = 0; band < MeterGeometry::kBands; ++band) {
        const auto polygon = g.BandPolygon(band);
        ASSERT_EQ(polygon.size(), 102u);
        const double inner = std::hypot(polygon.front().x - c.x, polygon.front().y - c.y);
        const double outer = std::hypot(polygon.back().x - c.x, polygon.back().y - c.y);
        EXPECT_NEAR(inner, 52.0, 1e-9);
        EXPECT_NEAR(outer, 62.0, 1e-9); // R - R/18
        const double start = std::atan2(c.y - polygon.front().y, polygon.front().x - c.x);
        const double end = std::atan2(c.y - polygon[50].y, polygon[50].x - c.x);
        EXPECT_NEAR(start * 180 / M_PI, previousEnd, 1e-9);
        EXPECT_NEAR(end * 180 / M_PI, previousEnd - 35.0, 1e-9);
        previousEnd -= 35.0;
    }
}

TEST(MeterGeometryTest, TheFaceRegionFollowsTheMinorTicksJustInsideTheRim) {
    const MeterGeometry g(150, 95);
    const auto region = g.FaceRegion();
    ASSERT_EQ(region.size(), 71u); // 160 down to 20 degrees in steps of 2
    const MeterPoint c = g.Centre();
    for (const MeterPoint& p : region)
        EXPECT_NEAR(std::hypot(p.x - c.x, p.y - c.y), 58.0, 0.75); // R - R/9
    // A scale narrower than its tick count still ends.
    MeterScale narrow;
    narrow.startAngle = 95;
    narrow.endAngle = 85;
    EXPECT_EQ(MeterGeometry(150, 95, narrow).FaceRegion().size(), 11u);
}

TEST(MeterGeometryTest, HubShadesFromDarkRimToWhiteCentreAndLabelsAreFixed) {
    const MeterGeometry g(150, 95);
    EXPECT_EQ(g.HubRadius(), 2);
    EXPECT_EQ(g.HubGrey(2), 29);
    EXPECT_EQ(g.HubGrey(1), 142);
    EXPECT_EQ(g.HubGrey(0), 255);
    EXPECT_EQ(g.LabelFontHeight(), 13);
    const auto labels = g.Labels();
    const char* texts[] = {"0", "25", "50", "75", "100"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(labels[i].text, texts[i]);
    // "50" straight above the centre, 71 pixels out, its top a font height higher.
    EXPECT_EQ(labels[2].anchor, (MeterPoint{75, 86 - 71 - 13}));
    EXPECT_LT(labels[0].anchor.x, 75);
    EXPECT_GT(labels[4].anchor.x, 75);
    EXPECT_EQ(labels[0].anchor.y, labels[4].anchor.y);
}

// ---- Seven-segment readouts ------------------------------------------------------------

TEST(ReadoutsTest, SegmentsLitPerDigit) {
    // Digit -> which segments light, in the order middle, top, upper left, upper right,
    // lower left, lower right, bottom.
    const char* lit[] = {"0111111", "0001010", "1101101", "1101011", "1011010",
                         "1110011", "1110111", "0101010", "1111111", "1111011"};
    for (int digit = 0; digit <= 9; ++digit) {
        const std::uint8_t mask = LitSegments(digit);
        for (int s = 0; s < kSegments; ++s)
            EXPECT_EQ(IsLit(mask, static_cast<Segment>(s)), lit[digit][s] == '1')
                << "digit " << digit << " segment " << s;
    }
    EXPECT_EQ(LitSegments(-1), 0);
    EXPECT_EQ(LitSegments(10), 0);
}

TEST(ReadoutsTest, SegmentOutlinesStayInsideTheDigitCell) {
    for (int s = 0; s < kSegments; ++s) {
        const SegmentShape& shape = SegmentOutline(static_cast<Segment>(s));
        EXPECT_EQ(shape.count, s == 0 ? 6 : 4);
        for (int i = 0; i < shape.count; ++i) {
            EXPECT_GE(shape.points[i].x, -6);
            EXPECT_LE(shape.points[i].x, 19);
            EXPECT_GE(shape.points[i].y, 0);
            EXPECT_LE(shape.points[i].y, 38);
        }
    }
}

TEST(ReadoutsTest, TheItemCounterBlanksLeadingZeros) {
    const std::pair<int, std::array<int, 3>> cases[] = {
        {0, {-1, -1, 0}}, {5, {-1, -1, 5}}, {10, {-1, 1, 0}}, {99, {-1, 9, 9}},
        {100, {1, 0, 0}}, {562, {5, 6, 2}}, {999, {9, 9, 9}}};
    for (const auto& [n, digits] : cases)
        EXPECT_EQ(ItemCounterDigits(n), digits) << n;
}

TEST(ReadoutsTest, LevelBarsStretchTheirFillToTheValue) {
    struct Case {
        int value;
        bool filled;
        int width;
        bool cap;
    };
    const Case cases[] = {{0, false, 0, false},   {1, true, 2, false},    {2, true, 3, false},
                          {50, true, 138, false}, {99, true, 275, false}, {100, true, 278, true}};
    for (const Case& c : cases) {
        const LevelBarLayout layout = LayOutLevelBar(c.value);
        EXPECT_EQ(layout.filled, c.filled) << c.value;
        EXPECT_EQ(layout.fillWidth, c.width) << c.value;
        EXPECT_EQ(layout.rightCap, c.cap) << c.value;
    }
}

// ---- Trace -----------------------------------------------------------------------------

TEST(TraceModelTest, ColumnsNeverLeaveTheBox) {
    for (std::uint32_t seed : {1u, 2u, 99u, 12345u}) {
        rng::Seed(seed);
        TraceModel trace;
        for (int i = 0; i < 3000; ++i) {
            trace.AddColumn(1 + rng::Next() % 30);
            const TraceModel::Column& c = trace.Columns().back();
            ASSERT_GE(c.top, TraceModel::kTop);
            ASSERT_GE(c.length, 0);
            ASSERT_LE(c.top + c.length, TraceModel::kBottom) << "seed " << seed << " #" << i;
        }
    }
    TraceModel longFirst;
    longFirst.AddColumn(30);
    EXPECT_EQ(longFirst.Columns().back().top, 470);
    EXPECT_EQ(longFirst.Columns().back().length, 20); // cut at the bottom of the box
}

TEST(TraceModelTest, ColumnsClimbThenTurnAtTheTopAndEveryThirdColumn) {
    TraceModel trace;
    for (int length : {10, 10, 10, 10, 10})
        trace.AddColumn(length);
    // Up from 470 for four columns, then the run of three turns it down.
    const int tops[] = {470, 460, 450, 440, 450};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(trace.Columns()[i].top, tops[i]) << i;

    TraceModel climbing;
    climbing.AddColumn(1);
    climbing.AddColumn(30);
    climbing.AddColumn(30);
    climbing.AddColumn(30);
    for (int i = 0; i < 10; ++i)
        climbing.AddColumn(30);
    for (const auto& c : climbing.Columns())
        EXPECT_GE(c.top, TraceModel::kTop);
}

TEST(TraceModelTest, TheNewestColumnIsAt828AndOnly285Show) {
    TraceModel trace;
    for (int i = 0; i < 300; ++i)
        trace.AddColumn(5);
    const auto shown = trace.VisibleColumns();
    ASSERT_EQ(shown.size(), 285u);
    EXPECT_EQ(shown.back().x, 828);
    EXPECT_EQ(shown.front().x, 828 - 284);
    EXPECT_GE(shown.front().x, TraceModel::kLeft);
}

TEST(TraceModelTest, BeyondAThousandColumnsTheOldestAreDropped) {
    TraceModel trace;
    for (int i = 0; i < 1000; ++i)
        trace.AddColumn(1 + i % 30);
    const TraceModel::Column second = trace.Columns()[1];
    trace.AddColumn(7);
    EXPECT_EQ(trace.Count(), 1000);
    EXPECT_EQ(trace.Columns().front().top, second.top);
    EXPECT_EQ(trace.VisibleColumns().back().x, 828);
    trace.Clear();
    EXPECT_EQ(trace.Count(), 0);
    trace.AddColumn(3);
    EXPECT_EQ(trace.Columns().back().top, 470); // starts afresh
}

// ---- Wave ------------------------------------------------------------------------------

WaveStep Step(int dx, int dy) {
    WaveStep step;
    step.dx.fill(dx);
    step.dy.fill(dy);
    return step;
}

TEST(WaveModelTest, LinesZigZagFromTheirStartPoint) {
    WaveModel wave;
    wave.AddStep(Step(9, 20));
    wave.AddStep(Step(0, 15));
    wave.AddStep(Step(29, 40));
    wave.AddStep(Step(59, 60));
    wave.AddStep(Step(0, 60));
    using P = WaveModel::Point;
    // First point: x 83 + dx + 1, y 90 + dy; then down, up, down, ...; y within 0..220.
    const std::vector<P> expected{{93, 110}, {94, 125}, {124, 85}, {184, 145}, {185, 85}};
    for (int line = 0; line < WaveModel::kLines; ++line)
        EXPECT_EQ(std::vector<P>(wave.Points(line).begin(), wave.Points(line).end()), expected);

    WaveModel clamped;
    for (int i = 0; i < 12; ++i)
        clamped.AddStep(Step(0, 60));
    for (const P& p : clamped.Points(0)) {
        EXPECT_GE(p.y, 0);
        EXPECT_LE(p.y, 220);
    }
}

TEST(WaveModelTest, OnlySegmentsInsideTheControlAreDrawnAfterTheShift) {
    rng::Seed(1);
    WaveModel wave;
    for (int step = 0; step < 200; ++step) {
        WaveStep s;
        for (int line = 0; line < 4; ++line) {
            s.dx[line] = rng::Next() % 60;
            s.dy[line] = 1 + rng::Next() % 60;
        }
        wave.AddStep(s);
        for (int line = 0; line < 4; ++line) {
            for (const auto& seg : wave.VisibleSegments(line, 421)) {
                ASSERT_GE(seg.from.x, 0);
                ASSERT_LE(seg.to.x, 421);
            }
        }
    }
    std::size_t shown = 0;
    for (int line = 0; line < 4; ++line)
        shown += wave.VisibleSegments(line, 421).size();
    EXPECT_GT(shown, 20u); // about 13 segments per line
}

TEST(WaveModelTest, AFullLineDropsItsOldestPointAndKeepsMoving) {
    rng::Seed(5);
    WaveModel wave;
    auto randomStep = [] {
        WaveStep s;
        for (int line = 0; line < 4; ++line) {
            s.dx[line] = rng::Next() % 60;
            s.dy[line] = 1 + rng::Next() % 60;
        }
        return s;
    };
    for (int i = 0; i < 1000; ++i)
        wave.AddStep(randomStep());
    ASSERT_EQ(wave.Count(0), 1000);
    const auto before = wave.Points(0);
    for (int i = 0; i < 4000; ++i) {
        wave.AddStep(randomStep());
        ASSERT_EQ(wave.Count(0), 1000);
        // Still something to see after many more steps than the line holds.
        ASSERT_FALSE(wave.VisibleSegments(0, 421).empty()) << i;
    }
    // Rebased: the oldest kept point sits where the line began.
    EXPECT_EQ(wave.Points(0).front().x, before.front().x);
}

} // namespace
} // namespace hv
