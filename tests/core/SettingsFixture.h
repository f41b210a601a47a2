#pragma once

#include "DatabaseTest.h"
#include "FaultTriggers.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "data/AdoDb.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace hv::test {

// A delivered database in a fresh installation folder, a recording message sink, and
// direct access to the file for setting up and checking what the settings code did.
class SettingsFixture : public DatabaseTest {
protected:
    void Exec(const std::string& sql, const DbParams& params = {}) {
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        ASSERT_TRUE(db.Execute(sql, params)) << sql;
    }

    // The first row of a query, or an empty row when it yields none.
    std::vector<DbValue> Row(const std::string& sql, const DbParams& params = {}) {
        CAdoDb db;
        std::vector<DbValue> row;
        if (!db.Open() || !db.OpenRecordset(sql, params)) {
            ADD_FAILURE() << sql;
            return row;
        }
        for (int c = 0; c < db.FieldCount(); ++c)
            row.push_back(db.Field(c));
        return row;
    }

    DbValue Value(const std::string& sql, const DbParams& params = {}) {
        std::vector<DbValue> row = Row(sql, params);
        return row.empty() ? DbValue() : row.front();
    }

    // Takes the database away, as when the file was deleted or the server does not answer.
    void RemoveDatabase() { install.MakeUnreachable(); }

    // Makes every update of a table fail while `condition` holds for the new row.
    void FailUpdatesWhere(const std::string& table, const std::string& condition) {
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        ASSERT_TRUE(db.ExecuteScript(RefusingTrigger(GetParam(), "RefuseUpdate", "UPDATE", table,
                                                     "row is locked for this test", condition)));
    }

    RecordingSink sink;
};

inline const std::string kConnectionError = "Database connection error!";

} // namespace hv::test
