#pragma once

#include "DatabaseTest.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "common/OleDate.h"
#include "data/AdoDb.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace hv::test {

// A fresh installation with helpers that write persons, tests and summary rows directly.
class ViewingFixture : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        CAdoDb::SetBusyTimeout(std::chrono::milliseconds(50));
    }
    void TearDown() override { CAdoDb::SetBusyTimeout(std::chrono::milliseconds(5000)); }

    static double Date(int y, int m, int d, int hh = 0, int mm = 0) {
        return ToOleDate({y, m, d, hh, mm, 0});
    }

    // Rows are added only to a register that exists (fixtures add some while they are made,
    // before a test without a server is skipped).
    int AddPerson(bool female, double birthday, const std::string& name = "Ann") {
        if (!install.ready())
            return 0;
        CAdoDb db;
        EXPECT_TRUE(db.Open());
        EXPECT_TRUE(db.AddRow("Examer", {{"GroupID", 0},
                                         {"Name", name},
                                         {"Sex", female ? 0 : 1},
                                         {"Birthday", birthday},
                                         {"Height", std::string("170")},
                                         {"Weight", std::string("65")},
                                         {"Result", std::string("Standard body weight")}}));
        return db.LastInsertKey();
    }

    int AddTest(int examerId, double measDate) {
        if (!install.ready())
            return 0;
        CAdoDb db;
        EXPECT_TRUE(db.Open());
        EXPECT_TRUE(db.AddRow("MeasData", {{"ExamerID", examerId},
                                           {"MeasDate", measDate},
                                           {"MeasValue", std::string("1-2-3-")}}));
        return db.LastInsertKey();
    }

    void AddSummaryRow(int measId, const std::string& system, const std::string& item,
                       const std::string& range, const DbValue& value,
                       const std::string& type = "B") {
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        ASSERT_TRUE(db.AddRow("ReportValueAll", {{"MeasID", measId},
                                                 {"System", system},
                                                 {"Item", item},
                                                 {"ValueRange", range},
                                                 {"Value", value},
                                                 {"ValueResult", std::string("-")},
                                                 {"Type", type}}));
    }

    void Execute(const std::string& sql, const DbParams& params = {}) {
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        ASSERT_TRUE(db.Execute(sql, params));
    }

    static std::string ReadBytes(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    // The text of a page file: the byte-order mark FF FE must lead, the rest is UTF-16LE
    // and comes back as UTF-8.
    static std::string ReadPage(const std::filesystem::path& file) {
        const std::string bytes = ReadBytes(file);
        EXPECT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE"));
        EXPECT_EQ(bytes.size() % 2, 0u);
        std::string text;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            char32_t cp = static_cast<unsigned char>(bytes[i]) |
                          static_cast<unsigned char>(bytes[i + 1]) << 8;
            if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < bytes.size()) {
                const char32_t low = static_cast<unsigned char>(bytes[i + 2]) |
                                     static_cast<unsigned char>(bytes[i + 3]) << 8;
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
            AppendUtf8(text, cp);
        }
        return text;
    }

    RecordingSink sink;

private:
    static void AppendUtf8(std::string& out, char32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
};

inline const std::string kConnectionErrorText = "Database connection error!";

} // namespace hv::test
