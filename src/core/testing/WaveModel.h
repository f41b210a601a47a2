#pragma once

#include "testing/TestRun.h"

#include <array>
#include <deque>
#include <vector>

namespace hv {

// The points of the test dialog's four wave lines. Each step adds one point per line,
// zig-zagging up and down; the drawing shows the lines shifted left by ten pixels per
// stored point, so the visible part is a short window moving through the history.
class WaveModel {
public:
    static constexpr int kLines = 4;
    static constexpr int kMaxPoints = 1000;
    static constexpr int kStartX = 83;
    static constexpr int kStartY = 90;
    static constexpr int kMaxY = 220;
    static constexpr int kShiftPerPoint = 10;

    struct Point {
        int x = 0;
        int y = 0;
        bool operator==(const Point&) const = default;
    };
    struct Segment {
        Point from;
        Point to;
    };

    // Adds one point to every line. A full line drops its oldest point and moves the rest
    // left by that point's advance, so the drawing keeps moving at its usual pace.
    void AddStep(const WaveStep& step);

    int Count(int line) const { return static_cast<int>(m_points[line].size()); }
    const std::deque<Point>& Points(int line) const { return m_points[line]; }
    // The segments of one line to draw in a control `width` pixels wide, already shifted.
    std::vector<Segment> VisibleSegments(int line, int width) const;

private:
    std::array<std::deque<Point>, kLines> m_points;
    std::array<bool, kLines> m_up{}; // the next step of the line goes up (y decreases)
};

} // namespace hv
