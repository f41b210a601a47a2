#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace hv {

// Writes a table for spreadsheet programs: UTF-8 with a byte-order mark, fields separated
// by commas and rows by CR LF, a field quoted (by libcsv) when it holds a comma, a quote, a
// line break or blanks at an end, as RFC 4180 has it. Text cells are written so that a
// spreadsheet never runs them (FormulaGuard.h); numbers always with a decimal point.
class CsvWriter {
public:
    CsvWriter() = default;
    ~CsvWriter();
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    // Starts the file (a new, empty work file) with its byte-order mark.
    bool Open(const std::filesystem::path& file);

    CsvWriter& Text(std::string_view text);
    // A number with the given decimals, in the C locale whatever the process's locale.
    CsvWriter& Number(double value, int decimals);
    CsvWriter& Integer(long long value);
    // Ends the row.
    void EndRow();

    // Flushes and closes the file; false when anything could not be written.
    bool Close();
    long Rows() const { return m_rows; }

private:
    void Cell(std::string_view raw);

    std::FILE* m_file = nullptr;
    bool m_rowStarted = false;
    bool m_failed = false;
    long m_rows = 0;
};

} // namespace hv
