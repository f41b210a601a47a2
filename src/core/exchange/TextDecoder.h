#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace hv {

// How a text file is encoded, as its first bytes tell: a UTF-8 or UTF-16 byte-order mark,
// or none (read as UTF-8).
enum class TextEncoding { Utf8, Utf8WithBom, Utf16LE, Utf16BE };

// Why bytes are not text.
enum class DecodeError {
    None,
    NulByte,   // a NUL character: binary data, or UTF-16 without its byte-order mark
    NotUtf8,   // a byte sequence that is not UTF-8
    BadUtf16,  // a lone surrogate in UTF-16
    Truncated, // the file ends inside a character
};

// Turns a file's bytes, given piece by piece in any split, into UTF-8 text without the
// byte-order mark. Every character is checked; the first fault stops the decoding, with
// the text before it already delivered.
class TextDecoder {
public:
    // Appends the text of the next bytes to out. False once a fault was found.
    bool Decode(std::string_view bytes, std::string& out);
    // The end of the file: false when it ends inside a character.
    bool Finish(std::string& out);

    TextEncoding encoding() const { return m_encoding; }
    DecodeError error() const { return m_error; }

private:
    bool DetectEncoding(std::string_view& bytes, std::string& out);
    bool DecodeUtf8(std::string_view bytes, std::string& out);
    bool DecodeUtf16(std::string_view bytes, std::string& out);
    bool PutCodePoint(char32_t c, std::string& out);
    bool Fail(DecodeError error);

    bool m_detected = false;
    TextEncoding m_encoding = TextEncoding::Utf8;
    DecodeError m_error = DecodeError::None;
    std::string m_head;    // the first bytes, until the encoding is known
    std::string m_partial; // an incomplete character carried to the next piece
    char32_t m_highSurrogate = 0;
};

} // namespace hv
