#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace hv {

// Writes a new zip archive entry by entry, each entry streamed from a file in fixed-size
// blocks, so memory never grows with the files' sizes. Entries are deflated at the
// strongest level with zeroed dates and attributes; a name outside ASCII is marked as
// UTF-8, and a file of 4 GiB or more gets the 64-bit extension of the format.
class ZipWriter {
public:
    ZipWriter() = default;
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // Test seams. writeRefused is asked before each block written and makes the write fail
    // as a full disk would; readRefused is asked before a file is opened and, with a
    // reason, makes the file unreadable.
    std::function<bool()> writeRefused;
    std::function<std::optional<std::string>(const std::filesystem::path&)> readRefused;
    // Told the share of the current file written so far, from 0 to 1 (in thousandths).
    std::function<void(double)> onProgress;

    // Creates the archive file (replacing whatever it held).
    bool Create(const std::filesystem::path& archive, std::string& error);

    enum class AddResult {
        Added,
        Unreadable, // the file could not be opened; nothing was added (error says why)
        Failed,     // the archive could not be written, or the file broke off while read
    };
    AddResult AddFile(const std::string& name, const std::filesystem::path& file,
                      std::string& error);

    // Writes the archive's directory and closes the file; false when the disk refused it.
    bool Close(std::string& error);

private:
    bool WriteEntryData(std::FILE* in, std::uintmax_t size, std::string& error);

    void* m_zip = nullptr;
};

} // namespace hv
