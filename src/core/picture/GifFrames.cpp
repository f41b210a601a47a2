#include "picture/GifFrames.h"

#include <algorithm>
#include <cstring>

namespace hv {
namespace {

constexpr std::size_t kHeaderLength = 13; // signature and logical screen descriptor
constexpr std::size_t kImageDescriptorLength = 10;
constexpr std::uint8_t kExtension = 0x21;
constexpr std::uint8_t kImage = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kGraphicControl = 0xF9;
constexpr std::uint8_t kPlainText = 0x01;
constexpr std::uint8_t kComment = 0xFE;
constexpr std::uint8_t kApplication = 0xFF;
constexpr std::size_t kNoEnd = static_cast<std::size_t>(-1);

int Le16(std::span<const std::uint8_t> d, std::size_t at) {
    return d[at] | (d[at + 1] << 8);
}

void PutLe16(std::vector<std::uint8_t>& d, std::size_t at, int value) {
    d[at] = static_cast<std::uint8_t>(value & 0xFF);
    d[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

std::size_t ColourTableBytes(std::uint8_t packed) {
    return (packed & 0x80) ? std::size_t{3} << ((packed & 7) + 1) : 0;
}

// The position after a chain of data sub-blocks starting at `at`, or kNoEnd when the chain
// runs past the data.
std::size_t SkipSubBlocks(std::span<const std::uint8_t> d, std::size_t at) {
    while (at < d.size()) {
        const std::size_t length = d[at];
        ++at;
        if (length == 0)
            return at;
        if (length > d.size() - at)
            return kNoEnd;
        at += length;
    }
    return kNoEnd;
}

bool HasSignature(std::span<const std::uint8_t> d) {
    return d.size() >= 6 &&
           (std::memcmp(d.data(), "GIF87a", 6) == 0 || std::memcmp(d.data(), "GIF89a", 6) == 0);
}

void ReadGraphicControl(std::span<const std::uint8_t> d, std::size_t at, GifFrameBlocks& f) {
    // at: the label's successor, the first sub-block's length byte
    if (d[at] < 4)
        return;
    f.disposal = (d[at + 1] >> 2) & 7;
    f.delay = Le16(d, at + 2);
}

} // namespace

GifLayout ParseGif(std::span<const std::uint8_t> d) {
    GifLayout layout;
    if (!HasSignature(d))
        return layout;
    layout.isGif = true;
    if (d.size() < kHeaderLength)
        return layout;
    layout.width = Le16(d, 6);
    layout.height = Le16(d, 8);
    layout.colourTableSize = ColourTableBytes(d[10]);
    std::size_t at = kHeaderLength + layout.colourTableSize;
    if (at > d.size())
        return layout;
    if (layout.colourTableSize > 0) {
        const std::size_t entry = kHeaderLength + 3 * std::size_t{d[11]};
        if (entry + 3 <= at)
            layout.background = std::array<std::uint8_t, 3>{d[entry], d[entry + 1], d[entry + 2]};
    }

    GifFrameBlocks pending; // graphic control waiting for its image
    while (at < d.size()) {
        const std::uint8_t kind = d[at];
        if (kind == kExtension) {
            if (d.size() - at < 2)
                break;
            const std::uint8_t label = d[at + 1];
            if (label != kGraphicControl && label != kPlainText && label != kComment &&
                label != kApplication)
                break;
            const std::size_t end = SkipSubBlocks(d, at + 2);
            if (end == kNoEnd)
                break;
            if (label == kGraphicControl) {
                pending = {};
                pending.controlOffset = at;
                pending.controlLength = end - at;
                ReadGraphicControl(d, at + 2, pending);
            }
            at = end;
        } else if (kind == kImage) {
            if (d.size() - at < kImageDescriptorLength + 1)
                break;
            GifFrameBlocks frame = pending;
            frame.imageOffset = at;
            frame.left = Le16(d, at + 1);
            frame.top = Le16(d, at + 3);
            frame.width = Le16(d, at + 5);
            frame.height = Le16(d, at + 7);
            std::size_t data = at + kImageDescriptorLength + ColourTableBytes(d[at + 9]);
            if (data >= d.size())
                break; // no room for the code size byte
            const std::size_t end = SkipSubBlocks(d, data + 1);
            if (end == kNoEnd)
                break;
            frame.imageLength = end - at;
            layout.frames.push_back(frame);
            pending = {};
            at = end;
        } else {
            break; // the trailer, or a byte that starts no block
        }
    }
    return layout;
}

std::vector<std::uint8_t> BuildFrameGif(std::span<const std::uint8_t> d, const GifLayout& layout,
                                        const GifFrameBlocks& frame) {
    const std::size_t head = kHeaderLength + layout.colourTableSize;
    std::vector<std::uint8_t> gif;
    gif.reserve(head + frame.controlLength + frame.imageLength + 1);
    gif.insert(gif.end(), d.begin(), d.begin() + static_cast<std::ptrdiff_t>(head));
    PutLe16(gif, 6, frame.width);
    PutLe16(gif, 8, frame.height);
    const auto blocks = [&](std::size_t offset, std::size_t length) {
        gif.insert(gif.end(), d.begin() + static_cast<std::ptrdiff_t>(offset),
                   d.begin() + static_cast<std::ptrdiff_t>(offset + length));
    };
    if (frame.controlLength > 0)
        blocks(frame.controlOffset, frame.controlLength);
    const std::size_t image = gif.size();
    blocks(frame.imageOffset, frame.imageLength);
    PutLe16(gif, image + 1, 0); // left
    PutLe16(gif, image + 3, 0); // top
    gif.push_back(kTrailer);
    return gif;
}

int FrameDelayMs(int delayHundredths) {
    return delayHundredths > 4 ? delayHundredths * 10 : 100;
}

} // namespace hv
