#pragma once

#include "AnalysisTestSupport.h"
#include "PersonsFixture.h"
#include "common/Clock.h"
#include "exchange/CsvReader.h"
#include "exchange/PersonImport.h"

#include <fstream>
#include <string>
#include <vector>

namespace hv::test {

// An installation on 15 June 2024 with helpers to write files as spreadsheet programs
// save them and to read rows back.
class ExchangeFixture : public PersonsFixture {
protected:
    std::string WriteFile(const std::string& name, const std::string& bytes) {
        const std::string path = (install.path() / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // UTF-16 with a byte-order mark, as "Unicode text" is saved, from UTF-8 text (ASCII and
    // two-byte sequences are enough for the tests).
    static std::string Utf16(const std::string& text, bool little = true) {
        std::u16string units;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c >= 0xC0 && i + 1 < text.size())
                units.push_back(static_cast<char16_t>(
                    ((c & 0x1F) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F)));
            else
                units.push_back(c);
        }
        std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
        for (char16_t u : units) {
            const char low = static_cast<char>(u & 0xFF), high = static_cast<char>(u >> 8);
            out += little ? std::string{low, high} : std::string{high, low};
        }
        return out;
    }

    // Every record of a file as the reader splits it (the header first).
    static std::vector<std::vector<std::string>> ReadRecords(const std::string& path,
                                                             CsvReadResult* result = nullptr) {
        std::ifstream in(path, std::ios::binary);
        std::vector<std::vector<std::string>> records;
        CsvReadHandlers handlers;
        handlers.record = [&](const CsvRecord& r) {
            records.push_back(r.fields);
            return true;
        };
        const CsvReadResult read = ReadCsv(in, handlers);
        if (result)
            *result = read;
        return records;
    }

    std::vector<ImportRow> Check(const std::string& path, int groupId,
                                 ImportSummary* out = nullptr) {
        std::vector<ImportRow> rows;
        ImportHandlers handlers;
        handlers.row = [&](ImportRow& row) {
            rows.push_back(row);
            return true;
        };
        const ImportSummary summary = CheckPersonsFile(path, groupId, handlers);
        if (out)
            *out = summary;
        return rows;
    }

    ImportOutcome Import(const std::string& path, int groupId, bool dryRun = false) {
        ImportTarget target{groupId, "Acme"};
        return ImportPersonsFile(path, target, dryRun, {});
    }

    long Persons(int groupId) {
        return Count("SELECT count(*) AS cnt FROM Examer WHERE GroupID=?", {groupId});
    }

    FixedClock clock{InstantAt({2024, 6, 15, 10, 0, 0})};
    ScopedClock scopedClock{clock};
};

} // namespace hv::test
