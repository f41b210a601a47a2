#include "data/AdoDb.h"
#include "data/OperatorTexts.h"
#include "data/Transaction.h"
#include "exchange/PersonImport.h"
#include "persons/PersonStore.h"

// The import's work on the database: the group's persons, finding a group, storing rows.
namespace hv {
bool PersonKeys::AddGroup(CAdoDb& db, int groupId) {
    if (!db.OpenRecordset("SELECT Name, Birthday FROM Examer WHERE GroupID=?", {groupId}))
        return false;
    for (; !db.IsEOF(); db.MoveNext())
        if (!db.IsNull("Birthday"))
            Add(db.GetText("Name"), db.GetDouble("Birthday"), 0);
    db.CloseRecordset();
    return true;
}

ImportSummary CheckPersonsFile(const std::filesystem::path& file, int groupId,
                               const ImportHandlers& handlers) {
    PersonKeys keys;
    CAdoDb db;
    if (!db.Open() || !keys.AddGroup(db, groupId)) {
        ImportSummary failed;
        failed.problem = std::string(texts::kExportDatabaseUnread);
        return failed;
    }
    db.Close();
    return ReadPersonsFile(file, groupId, LocalNow(), keys, handlers);
}

GroupChoice FindGroup(const std::string& nameOrNumber) {
    GroupChoice choice;
    CAdoDb db;
    if (!db.Open())
        return choice;
    int groupId = 0;
    const bool byNumber = nameOrNumber.size() > 1 && nameOrNumber[0] == '#' &&
                          ReadWholeNumber(std::string_view(nameOrNumber).substr(1), groupId);
    const bool opened =
        byNumber
            ? db.OpenRecordset("SELECT GroupID, Name FROM GroupList WHERE GroupID=?", {groupId})
            : db.OpenRecordset("SELECT GroupID, Name FROM GroupList WHERE Name=? ORDER BY GroupID",
                               {nameOrNumber});
    if (!opened)
        return choice;
    if (db.IsEOF()) {
        choice.status = GroupChoice::Status::NotFound;
        choice.message = texts::FillText(texts::kNoSuchGroup, {nameOrNumber});
        return choice;
    }
    choice.groupId = db.GetLong("GroupID");
    choice.name = db.GetText("Name");
    choice.status =
        db.RecordCount() > 1 ? GroupChoice::Status::Ambiguous : GroupChoice::Status::Found;
    if (choice.status == GroupChoice::Status::Ambiguous)
        choice.message =
            texts::FillText(texts::kGroupAmbiguous, {nameOrNumber, std::to_string(choice.groupId)});
    return choice;
}

ImportOutcome ImportPersonsFile(const std::filesystem::path& file, ImportTarget& target,
                                bool dryRun, const ImportHandlers& handlers) {
    ImportOutcome outcome;
    CAdoDb db;
    WriteTransaction transaction(db);
    int groupId = target.groupId;
    PersonKeys keys;
    bool written = db.Open() && transaction.Begin();
    if (written && groupId == 0) {
        written = db.AddRow("GroupList", {{"Name", target.groupName}, {"Description", ""}});
        groupId = written ? db.LastInsertKey() : 0;
    } else if (written) {
        written = keys.AddGroup(db, groupId);
    }
    if (!written) {
        outcome.databaseFailed = true;
        return outcome;
    }
    ImportHandlers storing = handlers;
    long invalid = 0;
    storing.row = [&](ImportRow& row) {
        // Rows stop being written at the first invalid one; the rest are still checked.
        if (row.status == ImportStatus::Invalid)
            ++invalid;
        if (row.status == ImportStatus::Valid && invalid == 0)
            written = InsertPerson(db, row.person);
        return (!handlers.row || handlers.row(row)) && written;
    };
    const ImportSummary summary = ReadPersonsFile(file, groupId, LocalNow(), keys, storing);
    outcome.summary = summary;
    if (!written) {
        outcome.databaseFailed = true;
        return outcome;
    }
    if (!summary.AllValid() || dryRun)
        return outcome;
    outcome.committed = transaction.Commit();
    outcome.databaseFailed = !outcome.committed;
    if (outcome.committed)
        target.groupId = groupId;
    return outcome;
}

StoreOutcome StoreImportedPersons(int groupId, std::vector<PersonRecord>& persons) {
    StoreOutcome outcome;
    CAdoDb db;
    if (!db.Open())
        return outcome;
    WriteTransaction transaction(db);
    PersonKeys keys;
    if (!transaction.Begin() || !keys.AddGroup(db, groupId))
        return outcome;
    for (PersonRecord& person : persons) {
        person.groupId = groupId;
        if (person.birthday && keys.Add(person.name, *person.birthday, 1) >= 0) {
            ++outcome.skipped;
            continue;
        }
        if (!InsertPerson(db, person))
            return outcome;
        ++outcome.added;
    }
    outcome.stored = transaction.Commit();
    if (!outcome.stored)
        outcome.added = 0;
    return outcome;
}

} // namespace hv
