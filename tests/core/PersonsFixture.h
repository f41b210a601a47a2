#pragma once

#include "DatabaseTest.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "common/OleDate.h"
#include "data/AdoDb.h"
#include "persons/PersonRecord.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace hv::test {

// A fresh installation with helpers that write rows directly, so that the persons code is
// checked against what is really in the file.
class PersonsFixture : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        CAdoDb::SetBusyTimeout(std::chrono::milliseconds(50));
    }
    void TearDown() override { CAdoDb::SetBusyTimeout(std::chrono::milliseconds(5000)); }

    int AddGroup(const std::string& name, const std::string& description = "") {
        CAdoDb db;
        EXPECT_TRUE(db.Open());
        EXPECT_TRUE(db.AddRow("GroupList", {{"Name", name}, {"Description", description}}));
        return db.LastInsertKey();
    }

    int AddPerson(int groupId, const std::string& name, bool male = true,
                  const DbColumns& extra = {}) {
        DbColumns columns{{"GroupID", groupId}, {"Name", name}, {"Sex", male ? 1 : 0}};
        // An extra column replaces the default of the same name.
        for (const auto& column : extra) {
            const auto same = std::find_if(columns.begin(), columns.end(),
                                           [&](const auto& c) { return c.first == column.first; });
            if (same != columns.end())
                same->second = column.second;
            else
                columns.push_back(column);
        }
        CAdoDb db;
        EXPECT_TRUE(db.Open());
        EXPECT_TRUE(db.AddRow("Examer", columns));
        return db.LastInsertKey();
    }

    int AddTest(int examerId, double measDate) {
        CAdoDb db;
        EXPECT_TRUE(db.Open());
        EXPECT_TRUE(db.AddRow("MeasData", {{"ExamerID", examerId},
                                           {"MeasDate", measDate},
                                           {"MeasValue", std::string("1-2-3-")}}));
        return db.LastInsertKey();
    }

    // The analysis rows a test leaves behind: one value row and one abnormal item.
    void AddAnalysisRows(int measId) {
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        ASSERT_TRUE(db.AddRow("ReportValue01", {{"MeasID", measId}, {"Value01", 1.5}}));
        ASSERT_TRUE(db.AddRow("ReportValueAll", {{"MeasID", measId},
                                                 {"System", std::string("Some system")},
                                                 {"Type", std::string("B")}}));
    }

    bool Exec(const std::string& sql, const DbParams& params = {}) {
        CAdoDb db;
        return db.Open() && db.Execute(sql, params);
    }

    long Count(const std::string& sql, const DbParams& params = {}) {
        CAdoDb db;
        EXPECT_TRUE(db.Open());
        EXPECT_TRUE(db.OpenRecordset(sql, params));
        return db.GetLong("cnt");
    }

    void RemoveDatabase() { install.MakeUnreachable(); }

    static double Date(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0) {
        return ToOleDate({y, m, d, hh, mm, ss});
    }

    RecordingSink sink;
};

inline const std::string kConnectionError = "Database connection error!";

} // namespace hv::test
