#pragma once

#include "exchange/TextDecoder.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <vector>

namespace hv {

// Reads a table in CSV as spreadsheet programs write it: UTF-8 with or without a
// byte-order mark or UTF-16 with one; fields separated by commas, semicolons or tabs (the
// header line tells which); quoted fields that hold separators, quotes or line breaks. The
// fields are split by libcsv in strict mode. The file is read piece by piece, never whole.

// What the reader accepts at most.
inline constexpr std::size_t kCsvMaxFieldBytes = 1024 * 1024;
inline constexpr std::size_t kCsvMaxColumns = 256;
inline constexpr std::size_t kCsvMaxHeaderBytes = 64 * 1024;

struct CsvRecord {
    long line = 0;                   // the line of the file on which the record begins
    std::vector<std::string> fields; // at most kCsvMaxColumns; the others are only counted
    std::size_t fieldCount = 0;      // how many fields the record has
};

// Why a file could not be read to its end.
enum class CsvFault {
    None,
    Empty,         // nothing but blanks
    NotText,       // bytes that are not text in the file's encoding
    NulByte,       // a NUL character
    BadQuote,      // a quote inside a field that is not quoted, or text after a closing one
    UnclosedQuote, // the file ends inside a quoted field
    FieldTooLong,  // a field longer than kCsvMaxFieldBytes
    HeaderTooLong, // a first line longer than kCsvMaxHeaderBytes
    TooManyColumns,
    ReadFailed, // the file could not be read
};

struct CsvReadResult {
    CsvFault fault = CsvFault::None;
    long line = 0; // where the fault lies
    char delimiter = ',';
    TextEncoding encoding = TextEncoding::Utf8;
    bool stopped = false; // the record handler asked to stop
};

struct CsvReadHandlers {
    // Rates how well the fields of a header line name the expected columns; the separator
    // whose split rates best is used (on a tie, the one giving more fields).
    std::function<int(const std::vector<std::string>& headerFields)> rateHeader;
    // Every record in order, the header first; returning false stops the reading.
    std::function<bool(const CsvRecord& record)> record;
    // How many bytes of the file have been read, after each piece.
    std::function<void(std::uint64_t bytesRead)> progress;
};

CsvReadResult ReadCsv(std::istream& in, const CsvReadHandlers& handlers);

} // namespace hv
