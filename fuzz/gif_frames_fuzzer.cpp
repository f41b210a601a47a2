// Feeds arbitrary bytes to the GIF block walk and checks what it claims about them.
#include "picture/GifFrames.h"

#include <cstdlib>

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const hv::GifLayout layout = hv::ParseGif(bytes);
    if (!layout.isGif)
        Require(layout.frames.empty());
    for (const hv::GifFrameBlocks& frame : layout.frames) {
        Require(frame.imageLength > 0 && frame.imageOffset + frame.imageLength <= size);
        Require(frame.controlOffset + frame.controlLength <= size);
        Require(frame.disposal >= 0 && frame.disposal <= 7);
        Require(hv::FrameDelayMs(frame.delay) >= 50);
        const std::vector<std::uint8_t> single = hv::BuildFrameGif(bytes, layout, frame);
        Require(single.back() == 0x3B);
        const hv::GifLayout again = hv::ParseGif(single);
        Require(again.isGif && again.frames.size() == 1);
        Require(again.frames[0].width == frame.width && again.frames[0].height == frame.height);
        Require(again.frames[0].left == 0 && again.frames[0].top == 0);
        Require(again.frames[0].delay == frame.delay);
    }
    return 0;
}
