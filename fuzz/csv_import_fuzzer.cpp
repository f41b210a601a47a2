// Feeds arbitrary bytes to the CSV reader and the import's row checks, and checks what they
// claim about them: fields within the limits and valid UTF-8 without NUL, records in line
// order, and every row either valid with its derived columns or carrying a message.
#include "exchange/CsvReader.h"
#include "exchange/PersonImport.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

bool IsUtf8WithoutNul(const std::string& text) {
    hv::TextDecoder decoder;
    std::string out;
    // A leading mark would be taken as one; a field never starts with one it kept.
    return decoder.Decode("x" + text, out) && decoder.Finish(out) && out == "x" + text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    {
        std::istringstream in(bytes);
        long lastLine = 0;
        hv::CsvReadHandlers handlers;
        handlers.record = [&](const hv::CsvRecord& r) {
            Require(r.line >= lastLine && r.line >= 1);
            lastLine = r.line;
            Require(r.fields.size() <= hv::kCsvMaxColumns && r.fieldCount >= r.fields.size());
            for (const std::string& f : r.fields)
                Require(f.size() <= hv::kCsvMaxFieldBytes + 64 * 1024 && IsUtf8WithoutNul(f));
            return true;
        };
        const hv::CsvReadResult result = hv::ReadCsv(in, handlers);
        Require(result.fault == hv::CsvFault::None || result.line >= 1);
    }
    {
        std::istringstream in(bytes);
        hv::PersonKeys keys;
        hv::ImportHandlers handlers;
        handlers.row = [](hv::ImportRow& row) {
            if (row.status == hv::ImportStatus::Valid)
                Require(row.message.empty() && !row.person.bzHW.empty() &&
                        !row.person.result.empty() && row.person.bzM >= 1 && row.person.bzM <= 12);
            else
                Require(!row.message.empty());
            return true;
        };
        const hv::ImportSummary summary =
            hv::ReadPersons(in, size, 1, {2024, 6, 15, 12, 0, 0}, keys, handlers);
        Require(summary.Readable() || !summary.problem.empty());
    }
    return 0;
}
