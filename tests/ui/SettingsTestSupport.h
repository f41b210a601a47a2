#pragma once

// Shared by the settings window tests: a fresh installation with its database for each test
// function, a recording message sink, and direct reads and writes of the database file.

#include "RecordingSink.h"
#include "TestDatabase.h"
#include "data/AdoDb.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTableWidget>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace settings_test {

struct Environment {
    hv::test::TestInstallation install;
    hv::test::RecordingSink sink;

    // Takes the database file away, as when it was deleted or never installed.
    void RemoveDatabase() {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(install.databasePath() + suffix);
    }
};

// Runs one statement; false (and the engine's text recorded by the sink) on failure.
inline bool Exec(const std::string& sql, const hv::DbParams& params = {}) {
    hv::CAdoDb db;
    return db.Open() && db.Execute(sql, params);
}

// The first field of the first row of a query; NULL when there is none.
inline hv::DbValue Value(const std::string& sql, const hv::DbParams& params = {}) {
    hv::CAdoDb db;
    if (!db.Open() || !db.OpenRecordset(sql, params))
        return {};
    return db.Field(0);
}

inline QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

// Makes every update of a table fail while `condition` holds for the new row.
inline bool FailUpdatesWhere(const std::string& table, const std::string& condition) {
    return Exec("CREATE TRIGGER RefuseUpdate BEFORE UPDATE ON " + table + " WHEN " + condition +
                " BEGIN SELECT RAISE(ABORT, 'row is locked for this test'); END");
}

// Shows a window and makes it the active one, so focus moves as it does for an operator.
inline bool ShowActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

// Clicks a list cell where an operator would: in the middle of its rectangle.
inline void ClickCell(QTableWidget* list, int row, int column) {
    list->scrollToItem(list->item(row, column));
    const QRect cell = list->visualItemRect(list->item(row, column));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

} // namespace settings_test
