#include "exchange/CsvWriter.h"

#include "exchange/FormulaGuard.h"

#include <charconv>
#include <csv.h>

namespace hv {
namespace {

bool NeedsQuotes(std::string_view cell) {
    if (cell.empty())
        return false;
    if (cell.front() == ' ' || cell.back() == ' ')
        return true; // a reader may strip blanks outside quotes
    return cell.find_first_of(",\"\r\n\t") != std::string_view::npos;
}

} // namespace

CsvWriter::~CsvWriter() {
    if (m_file)
        std::fclose(m_file);
}

bool CsvWriter::Open(const std::filesystem::path& file) {
    m_file = std::fopen(file.c_str(), "wb");
    m_failed = m_file == nullptr || std::fputs("\xEF\xBB\xBF", m_file) == EOF;
    return !m_failed;
}

void CsvWriter::Cell(std::string_view raw) {
    if (!m_file)
        return;
    if (m_rowStarted && std::fputc(',', m_file) == EOF)
        m_failed = true;
    m_rowStarted = true;
    if (NeedsQuotes(raw)) {
        if (csv_fwrite(m_file, raw.data(), raw.size()) != 0)
            m_failed = true;
    } else if (!raw.empty() && std::fwrite(raw.data(), 1, raw.size(), m_file) != raw.size()) {
        m_failed = true;
    }
}

CsvWriter& CsvWriter::Text(std::string_view text) {
    Cell(GuardedCell(text));
    return *this;
}

CsvWriter& CsvWriter::Number(double value, int decimals) {
    char text[64];
    const auto [end, ec] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    Cell(ec == std::errc() ? std::string_view(text, static_cast<std::size_t>(end - text))
                           : std::string_view());
    return *this;
}

CsvWriter& CsvWriter::Integer(long long value) {
    Cell(std::to_string(value));
    return *this;
}

void CsvWriter::EndRow() {
    if (m_file && std::fputs("\r\n", m_file) == EOF)
        m_failed = true;
    m_rowStarted = false;
    ++m_rows;
}

bool CsvWriter::Close() {
    if (!m_file)
        return false;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    return closed && !m_failed;
}

} // namespace hv
