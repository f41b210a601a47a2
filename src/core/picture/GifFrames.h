#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace hv {

// Where one frame of a GIF lies in the file and how it is shown.
struct GifFrameBlocks {
    std::size_t controlOffset = 0; // graphic control extension, when controlLength > 0
    std::size_t controlLength = 0;
    std::size_t imageOffset = 0; // image descriptor, local colour table and image data
    std::size_t imageLength = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int disposal = 0; // 0..7: 2 restores the background, 3 the previous picture
    int delay = 0;    // hundredths of a second
};

// What the block walk found in a GIF.
struct GifLayout {
    bool isGif = false; // the data starts with GIF87a or GIF89a
    int width = 0;      // logical screen
    int height = 0;
    std::size_t colourTableSize = 0; // bytes of the global colour table, 0 without one
    std::optional<std::array<std::uint8_t, 3>> background;
    std::vector<GifFrameBlocks> frames;
};

// Reads the header of a GIF and walks its blocks. Data that is not a GIF gives
// isGif false. The walk stops at the trailer, at a block it does not know and at a block
// that would run past the end of the data; the frames completed before that are kept.
// Never reads outside `data`.
GifLayout ParseGif(std::span<const std::uint8_t> data);

// A stand-alone one-frame GIF of one frame: the header, the global colour table, the
// frame's own blocks and the trailer. Its logical screen is the frame's size and its
// image sits at (0, 0); the frame's offset is for the caller to apply.
std::vector<std::uint8_t> BuildFrameGif(std::span<const std::uint8_t> data, const GifLayout& layout,
                                        const GifFrameBlocks& frame);

// How long a frame is shown: its delay, or 100 ms for delays of 0 to 4 hundredths.
int FrameDelayMs(int delayHundredths);

} // namespace hv
