#pragma once

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
class SettingsFixture : public ::testing::Test {
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

    // Takes the database file away, as when it was deleted or never installed.
    void RemoveDatabase() {
        std::filesystem::remove(install.databasePath());
        std::filesystem::remove(install.databasePath() + "-wal");
        std::filesystem::remove(install.databasePath() + "-shm");
    }

    // Makes every update of a table fail while `condition` holds for the new row.
    void FailUpdatesWhere(const std::string& table, const std::string& condition) {
        Exec("CREATE TRIGGER RefuseUpdate BEFORE UPDATE ON " + table + " WHEN " + condition +
             " BEGIN SELECT RAISE(ABORT, 'row is locked for this test'); END");
    }

    TestInstallation install;
    RecordingSink sink;
};

inline const std::string kConnectionError = "Database connection error!";

} // namespace hv::test
