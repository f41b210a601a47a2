#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hv::test {

using Rgb = std::array<std::uint8_t, 3>;

// One image of a GIF being built: its rectangle within the logical screen, one palette
// index per pixel (row by row) and, when `control` is set, a graphic control extension
// with its delay (hundredths of a second), disposal method and transparent index.
struct GifImage {
    int left = 0;
    int top = 0;
    int width = 1;
    int height = 1;
    std::vector<std::uint8_t> pixels;
    bool control = true;
    int delay = 0;
    int disposal = 0;
    std::optional<int> transparent;
    std::vector<Rgb> localPalette;

    static GifImage Solid(int width, int height, std::uint8_t index, int delay = 0,
                          int disposal = 0) {
        GifImage image;
        image.width = width;
        image.height = height;
        image.pixels.assign(static_cast<std::size_t>(width) * height, index);
        image.delay = delay;
        image.disposal = disposal;
        return image;
    }
};

// Writes small, real GIF files for tests: the image data is proper LZW that any decoder
// reads (plain codes with a clear code often enough that the code size never grows).
class GifBuilder {
public:
    GifBuilder(int width, int height, std::vector<Rgb> palette, int backgroundIndex = 0,
               const char* version = "GIF89a")
        : m_palette(std::move(palette)) {
        Append(version);
        Le16(width);
        Le16(height);
        if (m_palette.empty()) {
            m_bytes.push_back(0);
        } else {
            const int bits = TableBits(m_palette.size());
            m_bytes.push_back(static_cast<std::uint8_t>(0x80 | 0x70 | (bits - 1)));
        }
        m_bytes.push_back(static_cast<std::uint8_t>(backgroundIndex));
        m_bytes.push_back(0);
        AppendTable(m_palette);
    }

    GifBuilder& Image(const GifImage& image) {
        if (image.control) {
            m_bytes.insert(m_bytes.end(), {0x21, 0xF9, 0x04});
            m_bytes.push_back(static_cast<std::uint8_t>(((image.disposal & 7) << 2) |
                                                        (image.transparent ? 1 : 0)));
            Le16(image.delay);
            m_bytes.push_back(static_cast<std::uint8_t>(image.transparent.value_or(0)));
            m_bytes.push_back(0);
        }
        m_bytes.push_back(0x2C);
        Le16(image.left);
        Le16(image.top);
        Le16(image.width);
        Le16(image.height);
        if (image.localPalette.empty()) {
            m_bytes.push_back(0);
        } else {
            m_bytes.push_back(
                static_cast<std::uint8_t>(0x80 | (TableBits(image.localPalette.size()) - 1)));
            AppendTable(image.localPalette);
        }
        m_bytes.push_back(kCodeSize);
        SubBlocks(Lzw(image.pixels));
        return *this;
    }

    GifBuilder& Comment(const std::string& text) {
        m_bytes.insert(m_bytes.end(), {0x21, 0xFE});
        SubBlocks(std::vector<std::uint8_t>(text.begin(), text.end()));
        return *this;
    }

    // The looping extension most animated GIFs carry.
    GifBuilder& Loop() {
        m_bytes.insert(m_bytes.end(), {0x21, 0xFF, 0x0B});
        Append("NETSCAPE2.0");
        m_bytes.insert(m_bytes.end(), {0x03, 0x01, 0x00, 0x00, 0x00});
        return *this;
    }

    GifBuilder& PlainText() {
        m_bytes.insert(m_bytes.end(), {0x21, 0x01, 0x0C});
        m_bytes.insert(m_bytes.end(), 12, 0);
        SubBlocks({'h', 'i'});
        return *this;
    }

    GifBuilder& Raw(const std::vector<std::uint8_t>& bytes) {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }

    std::vector<std::uint8_t> Bytes(bool trailer = true) const {
        std::vector<std::uint8_t> out = m_bytes;
        if (trailer)
            out.push_back(0x3B);
        return out;
    }

private:
    static constexpr std::uint8_t kCodeSize = 8; // 9-bit codes, indices up to 255

    static int TableBits(std::size_t entries) {
        int bits = 1;
        while ((std::size_t{1} << bits) < entries)
            ++bits;
        return bits;
    }

    void Append(const char* text) {
        for (; *text; ++text)
            m_bytes.push_back(static_cast<std::uint8_t>(*text));
    }

    void Le16(int value) {
        m_bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        m_bytes.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
    }

    void AppendTable(std::vector<Rgb> table) {
        if (table.empty())
            return;
        table.resize(std::size_t{1} << TableBits(table.size()), Rgb{0, 0, 0});
        for (const Rgb& c : table)
            m_bytes.insert(m_bytes.end(), c.begin(), c.end());
    }

    void SubBlocks(const std::vector<std::uint8_t>& data) {
        for (std::size_t at = 0; at < data.size(); at += 255) {
            const std::size_t n = std::min<std::size_t>(255, data.size() - at);
            m_bytes.push_back(static_cast<std::uint8_t>(n));
            m_bytes.insert(m_bytes.end(), data.begin() + at, data.begin() + at + n);
        }
        m_bytes.push_back(0);
    }

    static std::vector<std::uint8_t> Lzw(const std::vector<std::uint8_t>& pixels) {
        constexpr int clear = 1 << kCodeSize;
        constexpr int end = clear + 1;
        constexpr int width = kCodeSize + 1;
        // Each code after the first adds a table entry; clear before the table would need
        // a wider code.
        constexpr int literalsPerClear = clear - 3;
        std::vector<std::uint8_t> out;
        std::uint32_t buffer = 0;
        int filled = 0;
        const auto emit = [&](int code) {
            buffer |= static_cast<std::uint32_t>(code) << filled;
            filled += width;
            while (filled >= 8) {
                out.push_back(static_cast<std::uint8_t>(buffer & 0xFF));
                buffer >>= 8;
                filled -= 8;
            }
        };
        int run = 0;
        emit(clear);
        for (std::uint8_t p : pixels) {
            if (run == literalsPerClear) {
                emit(clear);
                run = 0;
            }
            emit(p);
            ++run;
        }
        emit(end);
        if (filled > 0)
            out.push_back(static_cast<std::uint8_t>(buffer & 0xFF));
        return out;
    }

    std::vector<Rgb> m_palette;
    std::vector<std::uint8_t> m_bytes;
};

} // namespace hv::test
