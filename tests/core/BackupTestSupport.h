#pragma once

// Helpers of the backup and restore tests: reading and writing zip archives with the zip
// library directly, whole-file bytes, and a dump of every row of a database file.

#include "data/AdoDb.h"
#include "data/Schema.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <minizip/unzip.h>
#include <minizip/zip.h>
#include <sqlite3.h>
#include <sstream>
#include <string>
#include <vector>

namespace hv::test {

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The names in a folder, sorted.
inline std::vector<std::string> FolderListing(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct ZipEntry {
    std::string name;
    std::string content;
    int method = Z_DEFLATED; // 0 stores the bytes as they are
    const char* password = nullptr;
};

// Writes an archive with the given entries, in order.
inline void WriteZip(const std::filesystem::path& path, const std::vector<ZipEntry>& entries) {
    zipFile zip = zipOpen64(path.string().c_str(), APPEND_STATUS_CREATE);
    ASSERT_NE(zip, nullptr);
    for (const ZipEntry& e : entries) {
        zip_fileinfo info{};
        const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(e.content.data()),
                                static_cast<uInt>(e.content.size()));
        ASSERT_EQ(zipOpenNewFileInZip3(zip, e.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                       e.method, e.method ? 9 : 0, 0, -MAX_WBITS, DEF_MEM_LEVEL,
                                       Z_DEFAULT_STRATEGY, e.password, crc),
                  ZIP_OK);
        ASSERT_EQ(
            zipWriteInFileInZip(zip, e.content.data(), static_cast<unsigned>(e.content.size())),
            ZIP_OK);
        ASSERT_EQ(zipCloseFileInZip(zip), ZIP_OK);
    }
    ASSERT_EQ(zipClose(zip, nullptr), ZIP_OK);
}

// One entry as the archive's central directory describes it, with its data read through
// (and its checksum verified by the reader).
struct ListedEntry {
    std::string name;
    std::string content;
    unz_file_info64 info{};
    bool checksumOk = false;
};

struct ListedArchive {
    std::vector<ListedEntry> entries;
    uLong commentLength = 0;
};

inline ListedArchive ReadZip(const std::filesystem::path& path) {
    ListedArchive archive;
    unzFile unzip = unzOpen64(path.string().c_str());
    EXPECT_NE(unzip, nullptr) << path;
    if (!unzip)
        return archive;
    unz_global_info64 global{};
    unzGetGlobalInfo64(unzip, &global);
    archive.commentLength = global.size_comment;
    for (int rc = unzGoToFirstFile(unzip); rc == UNZ_OK; rc = unzGoToNextFile(unzip)) {
        ListedEntry entry;
        char name[512] = {};
        unzGetCurrentFileInfo64(unzip, &entry.info, name, sizeof name, nullptr, 0, nullptr, 0);
        entry.name = name;
        EXPECT_EQ(unzOpenCurrentFile(unzip), UNZ_OK);
        char buffer[65536];
        int got;
        while ((got = unzReadCurrentFile(unzip, buffer, sizeof buffer)) > 0)
            entry.content.append(buffer, static_cast<std::size_t>(got));
        entry.checksumOk = got == 0 && unzCloseCurrentFile(unzip) == UNZ_OK;
        archive.entries.push_back(std::move(entry));
    }
    unzClose(unzip);
    return archive;
}

// Every row of every table of ours and the key counters, as text: two files with equal
// dumps hold the same data.
inline std::string DumpDatabase(const std::filesystem::path& path) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(path.string().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK)
        << path;
    std::ostringstream out;
    std::vector<std::string> tables;
    for (const TableDef& table : SchemaTables())
        tables.push_back(table.name);
    tables.push_back("sqlite_sequence");
    for (const std::string& table : tables) {
        out << "[" << table << "]\n";
        sqlite3_stmt* stmt = nullptr;
        const std::string sql = "SELECT * FROM \"" + table + "\" ORDER BY rowid";
        EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db);
        while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
                out << sqlite3_column_type(stmt, c) << ':' << (text ? text : "") << '|';
            }
            out << '\n';
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close_v2(db);
    return out.str();
}

// Two dumps are equal; otherwise the first line that differs, shortened.
inline ::testing::AssertionResult SameData(const std::string& actual, const std::string& expected) {
    if (actual == expected)
        return ::testing::AssertionSuccess();
    std::istringstream a(actual), e(expected);
    std::string lineA, lineE;
    int line = 1;
    while (std::getline(a, lineA) && std::getline(e, lineE) && lineA == lineE)
        ++line;
    return ::testing::AssertionFailure()
           << "the data differ at line " << line << ": got \"" << lineA.substr(0, 120)
           << "\", expected \"" << lineE.substr(0, 120) << "\"";
}

// Runs statements on a database file through a connection of its own.
inline void ExecOn(const std::filesystem::path& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.string().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close_v2(db);
}

// A group with one person and a number of tests, all named after label, in the database
// of the working directory.
inline void AddPersonWithTests(const std::string& label, int tests) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.AddRow("GroupList", {{"Name", label}, {"Description", "group " + label}}));
    const int group = db.LastInsertKey();
    ASSERT_TRUE(db.AddRow("Examer", {{"GroupID", group},
                                     {"Name", label},
                                     {"Sex", 1},
                                     {"Birthday", 30000.0},
                                     {"Height", "170"},
                                     {"Weight", "65"}}));
    const int person = db.LastInsertKey();
    ASSERT_TRUE(db.Execute("BEGIN"));
    for (int i = 0; i < tests; ++i) {
        std::string measurement;
        for (int n = 0; n < 128; ++n)
            measurement += std::to_string((i * 131 + n * 7) % 300) + "-";
        ASSERT_TRUE(db.AddRow(
            "MeasData",
            {{"ExamerID", person}, {"MeasDate", 45000.25 + i}, {"MeasValue", measurement}}));
    }
    ASSERT_TRUE(db.Execute("COMMIT"));
}

// How many persons of that name the database at path holds.
inline int CountPersons(const std::filesystem::path& path, const std::string& name) {
    CAdoDb db;
    if (!db.Open(path.string()) ||
        !db.OpenRecordset("SELECT count(*) AS cnt FROM Examer WHERE Name=?", {name}))
        return -1;
    return db.GetLong("cnt");
}

} // namespace hv::test
