#pragma once

#include "ModalDriver.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "common/OleDate.h"
#include "data/AdoDb.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTreeWidget>
#include <QtTest>
#include <memory>
#include <string>

// Rows and dialogs for the person windows' tests: a fresh installation per test, rows
// written straight into its database, and a way to operate the next modal dialog.
namespace persons_ui {

inline int AddGroup(const std::string& name) {
    hv::CAdoDb db;
    if (!db.Open() || !db.AddRow("GroupList", {{"Name", name}, {"Description", ""}}))
        return 0;
    return db.LastInsertKey();
}

inline int AddPerson(int groupId, const std::string& name, bool male = true,
                     const hv::DbColumns& extra = {}) {
    hv::DbColumns columns{{"GroupID", groupId},
                          {"Name", name},
                          {"Sex", male ? 1 : 0},
                          {"Birthday", hv::ToOleDate({1980, 5, 17})},
                          {"Height", "170"},
                          {"Weight", "63"},
                          {"Result", "Standard body weight"},
                          {"BzY", 1980},
                          {"BzM", 5},
                          {"BzHW", "QP"}};
    for (const auto& column : extra) {
        bool replaced = false;
        for (auto& existing : columns)
            if (existing.first == column.first) {
                existing.second = column.second;
                replaced = true;
            }
        if (!replaced)
            columns.push_back(column);
    }
    hv::CAdoDb db;
    if (!db.Open() || !db.AddRow("Examer", columns))
        return 0;
    return db.LastInsertKey();
}

inline int AddTest(int examerId, const hv::DateTime& when) {
    std::string measurement;
    for (int i = 0; i < 128; ++i)
        measurement += std::to_string(100 + i) + "-";
    hv::CAdoDb db;
    if (!db.Open() || !db.AddRow("MeasData", {{"ExamerID", examerId},
                                              {"MeasDate", hv::ToOleDate(when)},
                                              {"MeasValue", measurement}}))
        return 0;
    return db.LastInsertKey();
}

inline long Count(const std::string& sql, const hv::DbParams& params = {}) {
    hv::CAdoDb db;
    if (!db.Open() || !db.OpenRecordset(sql, params))
        return -1;
    return db.Field(0).AsLong(); // the first column, whatever the query calls it
}

// Operates the next modal dialog of type Dialog once it shows.
template <typename Dialog>
std::unique_ptr<ModalDriver> Drive(std::function<void(Dialog&)> handler) {
    return std::make_unique<ModalDriver>([handler](QWidget* modal) {
        auto* dialog = qobject_cast<Dialog*>(modal);
        QVERIFY2(dialog, qPrintable(QStringLiteral("unexpected modal window ") +
                                    modal->metaObject()->className()));
        handler(*dialog);
    });
}

template <typename Widget = QWidget> Widget* Child(QWidget& parent, const char* name) {
    auto* child = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (!child)
        qWarning("no child named %s", name);
    return child;
}

// The first tree item, group or person, with exactly this text; null when there is none.
inline QTreeWidgetItem* ItemNamed(const QTreeWidget& tree, const QString& text) {
    const QList<QTreeWidgetItem*> found =
        tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

inline void SetText(QWidget& dialog, const char* name, const QString& text) {
    if (auto* edit = Child<QLineEdit>(dialog, name))
        edit->setText(text);
}

inline void Click(QWidget& dialog, const char* name) {
    if (auto* button = Child<QAbstractButton>(dialog, name))
        button->click();
}

} // namespace persons_ui
