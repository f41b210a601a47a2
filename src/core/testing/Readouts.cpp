#include "testing/Readouts.h"

namespace hv {
namespace {

constexpr int kFillBitmapWidth = 2;

std::uint8_t Bit(Segment s) {
    return static_cast<std::uint8_t>(1u << static_cast<int>(s));
}

} // namespace

std::uint8_t LitSegments(int digit) {
    if (digit < 0 || digit > 9)
        return 0;
    // Which digits light each segment.
    static constexpr std::array<std::array<bool, 10>, kSegments> kLitFor{{
        //  0      1      2      3      4      5      6      7      8      9
        {false, false, true, true, true, true, true, false, true, true},    // middle
        {true, false, true, true, false, true, true, true, true, true},     // top
        {true, false, false, false, true, true, true, false, true, true},   // upper left
        {true, true, true, true, true, false, false, true, true, true},     // upper right
        {true, false, true, false, false, false, true, false, true, false}, // lower left
        {true, true, false, true, true, true, true, true, true, true},      // lower right
        {true, false, true, true, false, true, true, false, true, true},    // bottom
    }};
    std::uint8_t mask = 0;
    for (int s = 0; s < kSegments; ++s) {
        if (kLitFor[s][digit])
            mask |= Bit(static_cast<Segment>(s));
    }
    return mask;
}

const SegmentShape& SegmentOutline(Segment s) {
    static const std::array<SegmentShape, kSegments> kShapes{{
        {{{{-6, 19}, {-3, 16}, {16, 16}, {19, 19}, {16, 22}, {-3, 22}}}, 6},
        {{{{-6, 0}, {19, 0}, {13, 6}, {0, 6}}}, 4},
        {{{{-6, 0}, {-6, 20}, {0, 14}, {0, 6}}}, 4},
        {{{{19, 0}, {19, 20}, {13, 14}, {13, 6}}}, 4},
        {{{{-6, 18}, {-6, 38}, {0, 32}, {0, 24}}}, 4},
        {{{{19, 18}, {19, 38}, {13, 32}, {13, 24}}}, 4},
        {{{{-6, 38}, {19, 38}, {13, 32}, {0, 32}}}, 4},
    }};
    return kShapes[static_cast<int>(s)];
}

std::array<int, 3> ItemCounterDigits(int n) {
    return {n < 100 ? -1 : n / 100 % 10, n < 10 ? -1 : n / 10 % 10, n % 10};
}

LevelBarLayout LayOutLevelBar(int value) {
    LevelBarLayout layout;
    if (value <= 0)
        return layout;
    layout.filled = true;
    const int stretched = static_cast<int>(2.8 * value) - 2;
    layout.fillWidth = stretched < 1 ? kFillBitmapWidth : stretched;
    layout.rightCap = value > 99;
    return layout;
}

} // namespace hv
