#include "exchange/TextDecoder.h"

namespace hv {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEBom = "\xFF\xFE";
constexpr std::string_view kUtf16BEBom = "\xFE\xFF";

unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}

// The length of the UTF-8 sequence a lead byte starts; 0 for a byte that cannot lead.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Whether the second byte of a sequence is allowed after its lead byte: no overlong forms,
// no surrogates, nothing beyond U+10FFFF.
bool SecondByteFits(unsigned char lead, unsigned char second) {
    if ((second & 0xC0) != 0x80)
        return false;
    switch (lead) {
    case 0xE0:
        return second >= 0xA0;
    case 0xED:
        return second < 0xA0;
    case 0xF0:
        return second >= 0x90;
    case 0xF4:
        return second < 0x90;
    default:
        return true;
    }
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace

bool TextDecoder::Fail(DecodeError error) {
    m_error = error;
    return false;
}

bool TextDecoder::Decode(std::string_view bytes, std::string& out) {
    if (m_error != DecodeError::None)
        return false;
    if (!m_detected && !DetectEncoding(bytes, out))
        return m_error == DecodeError::None;
    if (m_encoding == TextEncoding::Utf16LE || m_encoding == TextEncoding::Utf16BE)
        return DecodeUtf16(bytes, out);
    return DecodeUtf8(bytes, out);
}

bool TextDecoder::Finish(std::string& out) {
    if (m_error != DecodeError::None)
        return false;
    if (!m_detected) {
        // Fewer bytes than a byte-order mark: plain UTF-8, or a mark alone.
        m_detected = true;
        const std::string head = std::move(m_head);
        if (head == kUtf16LEBom || head == kUtf16BEBom)
            m_encoding = head == kUtf16LEBom ? TextEncoding::Utf16LE : TextEncoding::Utf16BE;
        else if (!DecodeUtf8(head, out))
            return false;
    }
    if (!m_partial.empty() || m_highSurrogate != 0)
        return Fail(DecodeError::Truncated);
    return true;
}

// Collects the first three bytes, then strips a byte-order mark. False while undecided.
bool TextDecoder::DetectEncoding(std::string_view& bytes, std::string& out) {
    const std::size_t take = std::min(bytes.size(), 3 - m_head.size());
    m_head.append(bytes.substr(0, take));
    bytes.remove_prefix(take);
    const std::string_view head = m_head;
    std::string_view rest;
    if (head.starts_with(kUtf16LEBom) || head.starts_with(kUtf16BEBom)) {
        m_encoding = head.starts_with(kUtf16LEBom) ? TextEncoding::Utf16LE : TextEncoding::Utf16BE;
        rest = head.substr(2);
    } else if (head.size() < 3 && kUtf8Bom.starts_with(head)) {
        return false; // perhaps the start of a UTF-8 mark
    } else if (head == kUtf8Bom) {
        m_encoding = TextEncoding::Utf8WithBom;
    } else if (head.size() < 2 && (head == "\xFF" || head == "\xFE")) {
        return false; // perhaps the start of a UTF-16 mark
    } else {
        rest = head;
    }
    m_detected = true;
    const std::string carried(rest);
    m_head.clear();
    return Decode(carried, out);
}

bool TextDecoder::DecodeUtf8(std::string_view bytes, std::string& out) {
    std::size_t i = 0;
    if (!m_partial.empty()) {
        // Complete the character begun in the previous piece.
        const int need = SequenceLength(Byte(m_partial[0]));
        while (m_partial.size() < static_cast<std::size_t>(need) && i < bytes.size()) {
            const unsigned char c = Byte(bytes[i]);
            const bool fits =
                m_partial.size() == 1 ? SecondByteFits(Byte(m_partial[0]), c) : IsContinuation(c);
            if (!fits)
                return Fail(DecodeError::NotUtf8);
            m_partial.push_back(bytes[i++]);
        }
        if (m_partial.size() < static_cast<std::size_t>(need))
            return true;
        out += m_partial;
        m_partial.clear();
    }
    std::size_t runStart = i;
    while (i < bytes.size()) {
        const unsigned char lead = Byte(bytes[i]);
        if (lead == 0) {
            out.append(bytes.substr(runStart, i - runStart));
            return Fail(DecodeError::NulByte);
        }
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const int length = SequenceLength(lead);
        bool valid = length > 0;
        std::size_t k = 1;
        for (; valid && k < static_cast<std::size_t>(length) && i + k < bytes.size(); ++k)
            valid = k == 1 ? SecondByteFits(lead, Byte(bytes[i + k]))
                           : IsContinuation(Byte(bytes[i + k]));
        if (!valid) {
            out.append(bytes.substr(runStart, i - runStart));
            return Fail(DecodeError::NotUtf8);
        }
        if (i + static_cast<std::size_t>(length) > bytes.size()) {
            out.append(bytes.substr(runStart, i - runStart));
            m_partial.assign(bytes.substr(i));
            return true;
        }
        i += static_cast<std::size_t>(length);
    }
    out.append(bytes.substr(runStart));
    return true;
}

bool TextDecoder::PutCodePoint(char32_t unit, std::string& out) {
    if (m_highSurrogate != 0) {
        if (unit < 0xDC00 || unit > 0xDFFF)
            return Fail(DecodeError::BadUtf16);
        AppendUtf8(0x10000 + ((m_highSurrogate - 0xD800) << 10) + (unit - 0xDC00), out);
        m_highSurrogate = 0;
        return true;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        m_highSurrogate = unit;
        return true;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF)
        return Fail(DecodeError::BadUtf16);
    if (unit == 0)
        return Fail(DecodeError::NulByte);
    AppendUtf8(unit, out);
    return true;
}

bool TextDecoder::DecodeUtf16(std::string_view bytes, std::string& out) {
    const bool little = m_encoding == TextEncoding::Utf16LE;
    std::size_t i = 0;
    auto unitOf = [little](unsigned char first, unsigned char second) {
        return static_cast<char32_t>(little ? first | (second << 8) : (first << 8) | second);
    };
    if (!m_partial.empty() && !bytes.empty()) {
        const char32_t unit = unitOf(Byte(m_partial[0]), Byte(bytes[0]));
        m_partial.clear();
        i = 1;
        if (!PutCodePoint(unit, out))
            return false;
    }
    for (; i + 1 < bytes.size(); i += 2)
        if (!PutCodePoint(unitOf(Byte(bytes[i]), Byte(bytes[i + 1])), out))
            return false;
    if (i < bytes.size())
        m_partial.assign(1, bytes[i]);
    return true;
}

} // namespace hv
