#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace hv {

// Pages are stored as UTF-16LE text after the byte-order mark FF FE, whatever charset their
// meta tag names; the program holds them as UTF-8 until then.

// UTF-8 text as UTF-16LE bytes; malformed input becomes U+FFFD.
std::string Utf8ToUtf16Le(std::string_view text);

// Writes text as UTF-16LE after the byte-order mark, replacing whatever the file held.
// False with the reason when the file could not be written.
bool WriteUtf16LeFile(const std::filesystem::path& file, std::string_view text,
                      std::string& reason);

} // namespace hv
