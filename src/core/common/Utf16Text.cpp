#include "common/Utf16Text.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace hv {
namespace {

// Decodes one UTF-8 sequence at text[i]; returns U+FFFD for a malformed one and advances i.
char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i++);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return 0xFFFD;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (byte(i) & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (byte(i++) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0xFFFD;
    return cp;
}

} // namespace

std::string Utf8ToUtf16Le(std::string_view text) {
    // Every UTF-8 sequence needs at most twice its length in UTF-16 (a surrogate pair for
    // four bytes), so the result fits in twice the input.
    std::string out(text.size() * 2, '\0');
    std::size_t n = 0;
    const auto put = [&](char32_t unit) {
        out[n++] = static_cast<char>(unit & 0xFF);
        out[n++] = static_cast<char>((unit >> 8) & 0xFF);
    };
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) { // most of a page
            out[n] = text[i++];
            n += 2;
            continue;
        }
        const char32_t cp = DecodeUtf8(text, i);
        if (cp < 0x10000) {
            put(cp);
        } else {
            put(0xD800 + ((cp - 0x10000) >> 10));
            put(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    out.resize(n);
    return out;
}

bool WriteUtf16LeFile(const std::filesystem::path& file, std::string_view text,
                      std::string& reason) {
    const std::string bytes = Utf8ToUtf16Le(text);
    errno = 0;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (out)
        out.write("\xFF\xFE", 2).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (out)
        out.close();
    if (out)
        return true;
    reason = errno != 0 ? std::strerror(errno) : "write error";
    return false;
}

} // namespace hv
