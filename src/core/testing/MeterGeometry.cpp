#include "testing/MeterGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hv {
namespace {

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

} // namespace

MeterGeometry::MeterGeometry(int width, int height, const MeterScale& scale)
    : m_scale(scale), m_radius(std::max((std::max(width, height) - 20) / 2, 0)), m_cx(width / 2),
      m_cy(height / 2 + 3 * m_radius / 5) {}

MeterPointF MeterGeometry::At(double angle, double distance) const {
    const double a = Radians(angle);
    return {m_cx + distance * std::cos(a), m_cy - distance * std::sin(a)};
}

MeterPoint MeterGeometry::AtRounded(double angle, double distance) const {
    const MeterPointF p = At(angle, distance);
    return {static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))};
}

std::vector<MeterPointF> MeterGeometry::BandPolygon(int band) const {
    const double step = static_cast<double>(m_scale.startAngle - m_scale.endAngle) / kBandSteps;
    const int first = band * kBandSteps / kBands;
    const int last = first + kBandSteps / kBands;
    const double inner = ArcRadius();
    const double outer = m_radius - m_radius / 18;
    std::vector<MeterPointF> polygon;
    for (int s = first; s <= last; ++s)
        polygon.push_back(At(m_scale.startAngle - s * step, inner));
    for (int s = last; s >= first; --s)
        polygon.push_back(At(m_scale.startAngle - s * step, outer));
    return polygon;
}

std::vector<MeterPoint> MeterGeometry::FaceRegion() const {
    const int ticks = std::max(m_scale.majorTicks * m_scale.minorTicksPerMajor, 1);
    // Whole degrees, at least one so that a narrow scale still ends.
    const int step = std::max((m_scale.startAngle - m_scale.endAngle) / ticks, 1);
    const double distance = m_radius - m_radius / 9;
    std::vector<MeterPoint> region;
    for (int angle = m_scale.startAngle; angle >= m_scale.endAngle; angle -= step)
        region.push_back(AtRounded(angle, distance));
    return region;
}

double MeterGeometry::NeedleAngle(double value) const {
    const double span = m_scale.maximum - m_scale.minimum;
    if (!(span > 0.0) || !std::isfinite(value))
        return m_scale.startAngle;
    const double degreesPerUnit = (m_scale.startAngle + 360.0 - m_scale.endAngle) / span;
    const double angle = m_scale.startAngle - (value - m_scale.minimum) * degreesPerUnit;
    // The needle never leaves the visible scale.
    const double low = std::min(m_scale.startAngle, m_scale.endAngle);
    const double high = std::max(m_scale.startAngle, m_scale.endAngle);
    return std::clamp(angle, low, high);
}

std::array<MeterPoint, 4> MeterGeometry::Needle(double value) const {
    const double angle = NeedleAngle(value);
    const double a = Radians(angle);
    const int half = 10 * NeedleWidth() / 8;
    const auto rounded = [](double x, double y) {
        return MeterPoint{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
    };
    const MeterPoint sideA = rounded(m_cx - half * std::sin(a), m_cy - half * std::cos(a));
    const MeterPoint tip = AtRounded(angle, 0.7 * m_radius);
    const MeterPoint sideB = rounded(m_cx + half * std::sin(a), m_cy + half * std::cos(a));
    const MeterPoint tail = AtRounded(angle + 180.0, m_radius / 6);
    return {sideA, tip, sideB, tail};
}

int MeterGeometry::HubGrey(int r) const {
    const int w = NeedleWidth();
    if (w <= 0)
        return 255;
    return std::clamp(255 - 255 * 4 * r / (3 * w), 0, 255);
}

std::array<MeterLabel, MeterGeometry::kLabels> MeterGeometry::Labels() const {
    std::array<MeterLabel, kLabels> labels;
    const int stepAngle = (m_scale.startAngle - m_scale.endAngle) / (kLabels - 1);
    const int distance = 11 * m_radius / 10;
    for (int i = 0; i < kLabels; ++i) {
        labels[i].text = std::to_string(25 * i);
        MeterPoint anchor = AtRounded(m_scale.startAngle - i * stepAngle, distance);
        anchor.y -= LabelFontHeight();
        labels[i].anchor = anchor;
    }
    return labels;
}

} // namespace hv
