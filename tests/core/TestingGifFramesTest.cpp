#include "GifBuilder.h"
#include "picture/GifFrames.h"

#include <cstring>
#include <gtest/gtest.h>
#include <span>

namespace hv {
namespace {

using test::GifBuilder;
using test::GifImage;
using test::Rgb;

const std::vector<Rgb> kFourColours{{10, 20, 30}, {200, 0, 0}, {0, 200, 0}, {0, 0, 200}};

std::vector<std::uint8_t> ThreeFrameGif() {
    GifImage second = GifImage::Solid(3, 2, 2, 50, 2);
    second.left = 4;
    second.top = 1;
    GifImage third = GifImage::Solid(8, 4, 3, 4, 3);
    third.transparent = 0;
    return GifBuilder(8, 4, kFourColours, 1)
        .Loop()
        .Image(GifImage::Solid(8, 4, 1, 0, 1))
        .Comment("between frames")
        .Image(second)
        .PlainText()
        .Image(third)
        .Bytes();
}

TEST(GifFramesTest, ReadsTheLogicalScreenAndTheGlobalColourTable) {
    const auto gif = ThreeFrameGif();
    const GifLayout layout = ParseGif(gif);
    EXPECT_TRUE(layout.isGif);
    EXPECT_EQ(layout.width, 8);
    EXPECT_EQ(layout.height, 4);
    EXPECT_EQ(layout.colourTableSize, 12u); // four entries of three bytes
    ASSERT_TRUE(layout.background.has_value());
    EXPECT_EQ(*layout.background, (std::array<std::uint8_t, 3>{200, 0, 0}));
}

TEST(GifFramesTest, FindsEveryFrameWithItsRectangleDelayAndDisposal) {
    const GifLayout layout = ParseGif(ThreeFrameGif());
    ASSERT_EQ(layout.frames.size(), 3u);
    struct Expected {
        int left, top, width, height, delay, disposal;
    };
    const Expected expected[] = {{0, 0, 8, 4, 0, 1}, {4, 1, 3, 2, 50, 2}, {0, 0, 8, 4, 4, 3}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const GifFrameBlocks& f = layout.frames[i];
        EXPECT_EQ(f.left, expected[i].left);
        EXPECT_EQ(f.top, expected[i].top);
        EXPECT_EQ(f.width, expected[i].width);
        EXPECT_EQ(f.height, expected[i].height);
        EXPECT_EQ(f.delay, expected[i].delay);
        EXPECT_EQ(f.disposal, expected[i].disposal);
        EXPECT_EQ(f.controlLength, 8u);
    }
}

TEST(GifFramesTest, AnImageWithoutGraphicControlIsAFrameWithoutDelay) {
    GifImage plain = GifImage::Solid(2, 2, 1);
    plain.control = false;
    const auto gif = GifBuilder(2, 2, kFourColours, 0, "GIF87a").Image(plain).Bytes();
    const GifLayout layout = ParseGif(gif);
    ASSERT_EQ(layout.frames.size(), 1u);
    EXPECT_EQ(layout.frames[0].controlLength, 0u);
    EXPECT_EQ(layout.frames[0].delay, 0);
}

TEST(GifFramesTest, AStandaloneFrameHoldsHeaderTableOwnBlocksAndTrailer) {
    const auto gif = ThreeFrameGif();
    const GifLayout layout = ParseGif(gif);
    ASSERT_EQ(layout.frames.size(), 3u);
    const GifFrameBlocks& f = layout.frames[1];
    const std::vector<std::uint8_t> frame = BuildFrameGif(gif, layout, f);

    ASSERT_EQ(frame.size(), 13 + 12 + f.controlLength + f.imageLength + 1);
    EXPECT_EQ(std::memcmp(frame.data(), "GIF89a", 6), 0);
    // The logical screen is the frame's size...
    EXPECT_EQ(frame[6] | frame[7] << 8, 3);
    EXPECT_EQ(frame[8] | frame[9] << 8, 2);
    // ...the global colour table is kept...
    EXPECT_TRUE(std::equal(gif.begin() + 10, gif.begin() + 25, frame.begin() + 10));
    // ...then the graphic control, the image placed at (0, 0) and the trailer.
    const std::size_t image = 25 + f.controlLength;
    EXPECT_TRUE(
        std::equal(frame.begin() + 25, frame.begin() + image, gif.begin() + f.controlOffset));
    EXPECT_EQ(frame[image], 0x2C);
    EXPECT_EQ(frame[image + 1] | frame[image + 2] << 8, 0);
    EXPECT_EQ(frame[image + 3] | frame[image + 4] << 8, 0);
    EXPECT_TRUE(
        std::equal(frame.begin() + image + 5, frame.end() - 1, gif.begin() + f.imageOffset + 5));
    EXPECT_EQ(frame.back(), 0x3B);
    // Each stand-alone frame walks as one frame of the same size.
    const GifLayout again = ParseGif(frame);
    ASSERT_EQ(again.frames.size(), 1u);
    EXPECT_EQ(again.frames[0].width, 3);
    EXPECT_EQ(again.frames[0].delay, 50);
}

TEST(GifFramesTest, ALocalColourTableStaysWithItsFrame) {
    GifImage own = GifImage::Solid(2, 2, 1);
    own.localPalette = {{1, 2, 3}, {4, 5, 6}};
    const auto gif = GifBuilder(2, 2, {}).Image(own).Image(GifImage::Solid(2, 2, 0)).Bytes();
    const GifLayout layout = ParseGif(gif);
    EXPECT_EQ(layout.colourTableSize, 0u);
    EXPECT_FALSE(layout.background.has_value());
    ASSERT_EQ(layout.frames.size(), 2u);
    EXPECT_EQ(layout.frames[0].imageLength, layout.frames[1].imageLength + 6);
}

TEST(GifFramesTest, DataThatIsNoGifIsRecognised) {
    const std::vector<std::vector<std::uint8_t>> samples{
        {},
        {'G', 'I', 'F'},
        {'G', 'I', 'F', '8', '8', 'a', 0, 0, 0, 0, 0, 0, 0},
        {0xFF, 0xD8, 0xFF, 0xE0}, // the start of a JPEG
    };
    for (const auto& data : samples) {
        const GifLayout layout = ParseGif(data);
        EXPECT_FALSE(layout.isGif);
        EXPECT_TRUE(layout.frames.empty());
    }
}

TEST(GifFramesTest, TheWalkStopsAtAnUnknownBlockKeepingTheFramesBefore) {
    const std::vector<std::vector<std::uint8_t>> intruders{
        {0x00},             // padding is not a block
        {0x21, 0x42, 0x00}, // an extension label the walk does not know
        {0x3B},             // the trailer itself
    };
    for (const auto& intruder : intruders) {
        const auto gif = GifBuilder(2, 2, kFourColours)
                             .Image(GifImage::Solid(2, 2, 1))
                             .Raw(intruder)
                             .Image(GifImage::Solid(2, 2, 2))
                             .Bytes();
        EXPECT_EQ(ParseGif(gif).frames.size(), 1u);
    }
}

TEST(GifFramesTest, AGraphicControlWithoutImageMakesNoFrame) {
    const auto gif = GifBuilder(2, 2, kFourColours)
                         .Image(GifImage::Solid(2, 2, 1, 7))
                         .Raw({0x21, 0xF9, 0x04, 0x08, 0x09, 0x00, 0x00, 0x00})
                         .Bytes();
    const GifLayout layout = ParseGif(gif);
    ASSERT_EQ(layout.frames.size(), 1u);
    EXPECT_EQ(layout.frames[0].delay, 7);
}

TEST(GifFramesTest, EveryTruncationKeepsOnlyWholeFramesInsideTheData) {
    const auto gif = ThreeFrameGif();
    const GifLayout whole = ParseGif(gif);
    std::size_t previousFrames = 0;
    for (std::size_t length = 0; length <= gif.size(); ++length) {
        SCOPED_TRACE(length);
        // A copy of exactly `length` bytes, so that a read past its end is caught by the
        // address sanitizer when the tests run under it.
        const std::vector<std::uint8_t> cut(gif.begin(), gif.begin() + length);
        const GifLayout layout = ParseGif(cut);
        EXPECT_GE(layout.frames.size(), previousFrames);
        EXPECT_LE(layout.frames.size(), whole.frames.size());
        previousFrames = layout.frames.size();
        for (const GifFrameBlocks& f : layout.frames) {
            EXPECT_LE(f.imageOffset + f.imageLength, cut.size());
            EXPECT_LE(f.controlOffset + f.controlLength, cut.size());
            const auto frame = BuildFrameGif(cut, layout, f);
            EXPECT_EQ(ParseGif(frame).frames.size(), 1u);
        }
    }
    EXPECT_EQ(previousFrames, 3u);
}

TEST(GifFramesTest, AColourTableLongerThanTheDataEndsTheWalk) {
    auto gif = GifBuilder(2, 2, kFourColours).Image(GifImage::Solid(2, 2, 1)).Bytes();
    gif[10] |= 0x07; // claims 256 entries: 768 bytes that are not there
    const GifLayout layout = ParseGif(gif);
    EXPECT_TRUE(layout.isGif);
    EXPECT_EQ(layout.colourTableSize, 768u);
    EXPECT_FALSE(layout.background.has_value());
    EXPECT_TRUE(layout.frames.empty());
}

TEST(GifFramesTest, ShortDelaysShowForATenthOfASecond) {
    const std::pair<int, int> cases[] = {{0, 100},  {1, 100},  {4, 100},       {5, 50},
                                         {10, 100}, {50, 500}, {65535, 655350}};
    for (const auto& [delay, ms] : cases)
        EXPECT_EQ(FrameDelayMs(delay), ms) << "delay " << delay;
}

} // namespace
} // namespace hv
