#pragma once

#include <array>
#include <cstdint>

namespace hv {

// The seven segments of a digit of the test dialog's readouts.
enum class Segment { Middle, Top, UpperLeft, UpperRight, LowerLeft, LowerRight, Bottom };
inline constexpr int kSegments = 7;

struct SegmentPoint {
    int x = 0;
    int y = 0;
};

// Segments lit for a digit 0..9, one bit per Segment (bit 0 Middle ... bit 6 Bottom);
// none for a blank (negative) digit.
std::uint8_t LitSegments(int digit);
inline bool IsLit(std::uint8_t mask, Segment s) {
    return (mask >> static_cast<int>(s)) & 1u;
}
// The polygon of a segment relative to the digit's origin (at most six corners).
struct SegmentShape {
    std::array<SegmentPoint, 6> points{};
    int count = 0;
};
const SegmentShape& SegmentOutline(Segment s);

// The three digits of the contact-tick counter: hundreds, tens, units, leading zeros blank
// (-1).
std::array<int, 3> ItemCounterDigits(int n);

// How a level bar 280 pixels wide shows a value 0..100: the left cap and fill from value
// 1, the fill stretched to its width (its own 2 pixels when that would be less than 1),
// the right cap from 100.
struct LevelBarLayout {
    bool filled = false;
    int fillWidth = 0;
    bool rightCap = false;
};
LevelBarLayout LayOutLevelBar(int value);

} // namespace hv
