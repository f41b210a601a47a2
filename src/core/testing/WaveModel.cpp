#include "testing/WaveModel.h"

#include <algorithm>

namespace hv {

void WaveModel::AddStep(const WaveStep& step) {
    for (int line = 0; line < kLines; ++line) {
        std::deque<Point>& points = m_points[line];
        if (points.size() >= static_cast<std::size_t>(kMaxPoints)) {
            const int advance = points[1].x - points[0].x;
            points.pop_front();
            for (Point& p : points)
                p.x -= advance;
        }
        int previousX = kStartX;
        int y = 0;
        if (points.empty()) {
            m_up[line] = false;
            y = step.dy[line] + kStartY;
        } else {
            const Point& last = points.back();
            y = m_up[line] ? last.y - step.dy[line] : last.y + step.dy[line];
            m_up[line] = !m_up[line];
            previousX = last.x;
        }
        points.push_back({previousX + step.dx[line] + 1, std::clamp(y, 0, kMaxY)});
    }
}

std::vector<WaveModel::Segment> WaveModel::VisibleSegments(int line, int width) const {
    const std::deque<Point>& points = m_points[line];
    const int shift = kShiftPerPoint * static_cast<int>(points.size());
    std::vector<Segment> segments;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const Point from{points[i].x - shift, points[i].y};
        const Point to{points[i + 1].x - shift, points[i + 1].y};
        if (from.x >= 0 && to.x <= width)
            segments.push_back({from, to});
    }
    return segments;
}

} // namespace hv
