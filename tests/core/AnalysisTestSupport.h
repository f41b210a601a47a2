#pragma once

// Helpers of the analysis tests: persons and tests in a test installation, a fixed clock
// at a chosen local time, and pages read back from the Reports folder.

#include "common/Clock.h"
#include "common/OleDate.h"
#include "data/AdoDb.h"
#include "data/Schema.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace hv::test {

// The instant at which the local clock (UTC in the tests) shows dt.
inline Clock::TimePoint InstantAt(const DateTime& dt) {
    std::tm tm{};
    tm.tm_year = dt.year - 1900;
    tm.tm_mon = dt.month - 1;
    tm.tm_mday = dt.day;
    tm.tm_hour = dt.hour;
    tm.tm_min = dt.minute;
    tm.tm_sec = dt.second;
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

struct PersonData {
    std::string name = "Alex Example";
    bool male = true;
    DateTime birthday{1984, 5, 20};
    std::string height = "172";
    std::string weight = "64";
    std::string result = "Standard body weight";
};

inline std::int32_t AddPerson(const PersonData& p) {
    CAdoDb db;
    EXPECT_TRUE(db.Open());
    EXPECT_TRUE(db.AddRow("Examer", {{"GroupID", 1},
                                     {"Name", p.name},
                                     {"Sex", p.male ? 1 : 0},
                                     {"Birthday", ToOleDate(p.birthday)},
                                     {"Height", p.height},
                                     {"Weight", p.weight},
                                     {"Result", p.result}}));
    return db.LastInsertKey();
}

inline std::int32_t AddTest(std::int32_t examerId, const DateTime& when) {
    CAdoDb db;
    EXPECT_TRUE(db.Open());
    EXPECT_TRUE(db.AddRow(
        "MeasData",
        {{"ExamerID", examerId}, {"MeasDate", ToOleDate(when)}, {"MeasValue", "1-2-3-"}}));
    return db.LastInsertKey();
}

// Runs a script of statements that set up a case (a trigger, say); it must succeed.
inline void ExecuteScript(const std::string& script) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.ExecuteScript(script)) << script;
}

// The columns of one of our tables, in order, for a select list (a server's summary table
// has one more).
inline std::string ColumnList(const std::string& table) {
    std::string list;
    for (const ColumnDef& column : FindTable(table)->columns)
        list += (list.empty() ? "" : ", ") + column.name;
    return list;
}

// Runs statements that set up a case; every one must succeed.
inline void ExecuteAll(std::initializer_list<std::string> statements) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    for (const std::string& sql : statements)
        ASSERT_TRUE(db.Execute(sql)) << sql;
}

inline std::int64_t CountRows(const std::string& sqlCount, const DbParams& params = {}) {
    CAdoDb db;
    EXPECT_TRUE(db.Open());
    EXPECT_TRUE(db.OpenRecordset(sqlCount, params));
    return db.Field(0).AsInt64();
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A page file's text: the byte-order mark checked and dropped, UTF-16LE back to UTF-8
// (the pages hold no surrogate pairs).
inline std::string ReadPage(const std::filesystem::path& path) {
    const std::string bytes = ReadBytes(path);
    if (bytes.size() < 2 || bytes.substr(0, 2) != "\xFF\xFE" || bytes.size() % 2 != 0) {
        ADD_FAILURE() << "not a UTF-16LE page: " << path;
        return {};
    }
    std::string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const unsigned unit = static_cast<unsigned char>(bytes[i]) |
                              static_cast<unsigned>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        if (unit < 0x80) {
            text.push_back(static_cast<char>(unit));
        } else if (unit < 0x800) {
            text.push_back(static_cast<char>(0xC0 | (unit >> 6)));
            text.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
        } else {
            text.push_back(static_cast<char>(0xE0 | (unit >> 12)));
            text.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
            text.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
        }
    }
    return text;
}

// The names of the files in a folder, sorted.
inline std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

inline std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// Every value row and summary row of a test, as text, table by table.
inline std::map<std::string, std::string> RowsOf(std::int32_t measId) {
    std::map<std::string, std::string> rows;
    CAdoDb db;
    EXPECT_TRUE(db.Open());
    std::vector<std::string> tables;
    for (int number : ValueReportNumbers())
        tables.push_back(ValueTableName(number));
    tables.push_back("ReportValueAll");
    for (const std::string& table : tables) {
        // A test has one row per value table; its summary rows keep their insertion order.
        EXPECT_TRUE(db.OpenRecordset("SELECT " + ColumnList(table) + " FROM " + table +
                                         " WHERE MeasID=?" +
                                         (table == "ReportValueAll" ? " ORDER BY rowid" : ""),
                                     {measId}));
        std::string text;
        for (; !db.IsEOF(); db.MoveNext()) {
            for (int c = 0; c < db.FieldCount(); ++c)
                text += std::to_string(static_cast<int>(db.Field(c).type())) + ":" +
                        db.Field(c).AsText() + "|";
            text += "\n";
        }
        if (!text.empty())
            rows[table] = text;
    }
    return rows;
}

// Every page file of the Reports folder with its bytes.
inline std::map<std::string, std::string> AllPages() {
    std::map<std::string, std::string> pages;
    for (const std::string& file : FilesIn("Reports"))
        pages[file] = ReadBytes(std::filesystem::path("Reports") / file);
    return pages;
}

} // namespace hv::test
