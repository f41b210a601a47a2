#pragma once

#include <array>
#include <string>
#include <vector>

namespace hv {

// The scale of an analogue gauge. Angles are degrees counter-clockwise from the positive
// x axis; the scale runs from the start angle (minimum) clockwise to the end angle.
struct MeterScale {
    double minimum = 0.0;
    double maximum = 100.0;
    int startAngle = 160;
    int endAngle = 20;
    int majorTicks = 10;
    int minorTicksPerMajor = 5;
    bool operator==(const MeterScale&) const = default;
};

struct MeterPoint {
    int x = 0;
    int y = 0;
    bool operator==(const MeterPoint&) const = default;
};

struct MeterPointF {
    double x = 0.0;
    double y = 0.0;
};

struct MeterLabel {
    std::string text;
    MeterPoint anchor; // top centre of the text
};

// Where a gauge of a given size draws its parts. The face (arc, coloured bands, needle
// clipping region) depends only on size and scale and is drawn once; the needle, hub and
// labels are drawn on every paint.
class MeterGeometry {
public:
    static constexpr int kBands = 4;
    static constexpr int kBandSteps = 200;
    static constexpr int kLabels = 5;

    MeterGeometry(int width, int height, const MeterScale& scale = {});

    int Radius() const { return m_radius; }
    MeterPoint Centre() const { return {m_cx, m_cy}; }
    const MeterScale& Scale() const { return m_scale; }

    // Radius of the yellow scale arc.
    int ArcRadius() const { return 4 * m_radius / 5; }
    // Polygon of coloured band 0..3 between the arc and the rim.
    std::vector<MeterPointF> BandPolygon(int band) const;
    // The region the needle is clipped to: points just inside the rim at every minor tick.
    std::vector<MeterPoint> FaceRegion() const;

    // Angle of the needle for a value, held within the scale's ends.
    double NeedleAngle(double value) const;
    // The needle's corners: side A, tip, side B, tail.
    std::array<MeterPoint, 4> Needle(double value) const;
    // Whether the needle's A side is in shadow (it leans left of straight up).
    static bool ShadowOnSideA(double angle) { return angle > 90.0; }

    // The hub: circles from HubRadius() down to 0, shading to white at the centre.
    int HubRadius() const { return 3 * NeedleWidth() / 4; }
    int HubGrey(int r) const;

    int LabelFontHeight() const { return m_radius / 5; }
    std::array<MeterLabel, kLabels> Labels() const;

private:
    int NeedleWidth() const { return m_radius / 20; }
    MeterPointF At(double angle, double distance) const;
    MeterPoint AtRounded(double angle, double distance) const;

    MeterScale m_scale;
    int m_radius;
    int m_cx;
    int m_cy;
};

} // namespace hv
