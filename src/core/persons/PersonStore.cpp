#include "persons/PersonStore.h"

#include "data/AdoDb.h"
#include "data/MessageSink.h"
#include "data/OperatorTexts.h"
#include "data/Schema.h"
#include "data/Transaction.h"
#include "persons/PersonRules.h"

namespace hv {
namespace {

bool ReadMale(const CAdoDb& db, std::string_view column) {
    return SexIsMale(db.Field(column));
}

PersonRecord ReadPerson(const CAdoDb& db) {
    PersonRecord p;
    p.examerId = db.GetLong("ExamerID");
    p.groupId = db.GetLong("GroupID");
    p.name = db.GetText("Name");
    p.male = ReadMale(db, "Sex");
    if (!db.IsNull("Birthday"))
        p.birthday = db.GetDouble("Birthday");
    p.height = db.GetText("Height");
    p.weight = db.GetText("Weight");
    p.result = db.GetText("Result");
    p.telephone = db.GetText("Telephone");
    p.mobile = db.GetText("Mobile");
    p.email = db.GetText("Email");
    p.company = db.GetText("Company");
    p.job = db.GetText("Job");
    p.address = db.GetText("Address");
    p.remark = db.GetText("Remark");
    p.bzY = db.GetLong("BzY");
    p.bzM = db.GetLong("BzM");
    p.bzHW = db.GetText("BzHW");
    return p;
}

DbColumns PersonColumns(const PersonRecord& p) {
    return {{"GroupID", p.groupId},  {"Name", p.name},
            {"Sex", p.male ? 1 : 0}, {"Birthday", p.birthday ? DbValue(*p.birthday) : DbValue()},
            {"Height", p.height},    {"Weight", p.weight},
            {"Result", p.result},    {"Telephone", p.telephone},
            {"Mobile", p.mobile},    {"Email", p.email},
            {"Company", p.company},  {"Job", p.job},
            {"Address", p.address},  {"Remark", p.remark},
            {"BzY", p.bzY},          {"BzM", p.bzM},
            {"BzHW", p.bzHW}};
}

bool GroupExists(CAdoDb& db, int groupId, bool& exists) {
    if (!db.OpenRecordset("SELECT GroupID FROM GroupList WHERE GroupID=?", {groupId}))
        return false;
    exists = !db.IsEOF();
    db.CloseRecordset();
    return true;
}

} // namespace

ReadStatus LoadPerson(int examerId, PersonRecord& person) {
    CAdoDb db;
    if (!db.Open() || !db.OpenRecordset("SELECT * FROM Examer WHERE ExamerID=?", {examerId}))
        return ReadStatus::Failed;
    if (db.IsEOF())
        return ReadStatus::NotFound;
    person = ReadPerson(db);
    return ReadStatus::Found;
}

bool SavePerson(PersonRecord& person) {
    CAdoDb db;
    if (!db.Open())
        return false;
    WriteTransaction transaction(db);
    bool groupExists = false;
    if (!transaction.Begin() || !GroupExists(db, person.groupId, groupExists))
        return false;
    if (!groupExists) {
        ShowMessage(std::string(texts::kNoGroupForPerson));
        return false;
    }
    PersonRecord stored = person;
    if (person.examerId == 0) {
        if (!InsertPerson(db, stored))
            return false;
    } else {
        if (!db.UpdateRow("Examer", "ExamerID", person.examerId, PersonColumns(person)))
            return false;
        if (db.ChangedRows() == 0) {
            ShowMessage(std::string(texts::kPersonNoLongerStored));
            return false;
        }
    }
    if (!transaction.Commit())
        return false;
    person.examerId = stored.examerId;
    return true;
}

bool InsertPerson(CAdoDb& db, PersonRecord& person) {
    if (!db.AddRow("Examer", PersonColumns(person)))
        return false;
    person.examerId = db.LastInsertKey();
    return true;
}

bool DeletePerson(int examerId) {
    CAdoDb db;
    if (!db.Open())
        return false;
    WriteTransaction transaction(db);
    return transaction.Begin() && db.Execute("DELETE FROM MeasData WHERE ExamerID=?", {examerId}) &&
           db.Execute("DELETE FROM Examer WHERE ExamerID=?", {examerId}) && transaction.Commit();
}

std::optional<std::vector<GroupRecord>> LoadGroups() {
    CAdoDb db;
    if (!db.Open() || !db.OpenRecordset("SELECT * FROM GroupList ORDER BY GroupID"))
        return std::nullopt;
    std::vector<GroupRecord> groups;
    groups.reserve(db.RecordCount());
    for (; !db.IsEOF(); db.MoveNext())
        groups.push_back({db.GetLong("GroupID"), db.GetText("Name"), db.GetText("Description")});
    return groups;
}

ReadStatus LoadGroup(int groupId, GroupRecord& group) {
    CAdoDb db;
    if (!db.Open() || !db.OpenRecordset("SELECT * FROM GroupList WHERE GroupID=?", {groupId}))
        return ReadStatus::Failed;
    if (db.IsEOF())
        return ReadStatus::NotFound;
    group = {db.GetLong("GroupID"), db.GetText("Name"), db.GetText("Description")};
    return ReadStatus::Found;
}

bool SaveGroup(GroupRecord& group) {
    CAdoDb db;
    if (!db.Open())
        return false;
    const DbColumns columns{{"Name", group.name}, {"Description", group.description}};
    if (group.groupId != 0) {
        if (!db.UpdateRow("GroupList", "GroupID", group.groupId, columns))
            return false;
        if (db.ChangedRows() == 0) {
            ShowMessage(std::string(texts::kGroupNoLongerStored));
            return false;
        }
        return true;
    }
    if (!db.AddRow("GroupList", columns))
        return false;
    group.groupId = db.LastInsertKey();
    return true;
}

GroupDeletion DeleteGroup(int groupId) {
    CAdoDb db;
    if (!db.Open())
        return GroupDeletion::Failed;
    WriteTransaction transaction(db);
    if (!transaction.Begin() ||
        !db.OpenRecordset("SELECT count(*) AS cnt FROM Examer WHERE GroupID=?", {groupId}))
        return GroupDeletion::Failed;
    if (db.GetLong("cnt") > 0)
        return GroupDeletion::HasPersons;
    db.CloseRecordset();
    if (!db.Execute("DELETE FROM GroupList WHERE GroupID=?", {groupId}) || !transaction.Commit())
        return GroupDeletion::Failed;
    return GroupDeletion::Deleted;
}

std::optional<std::vector<GroupNode>> LoadPersonTree() {
    // Two queries in key order merged in one pass, rather than one query per group.
    CAdoDb groups, persons;
    if (!groups.Open() || !persons.Open())
        return std::nullopt;
    if (!groups.OpenRecordset("SELECT GroupID, Name FROM GroupList ORDER BY GroupID") ||
        !persons.OpenRecordset(
            "SELECT GroupID, ExamerID, Name, Sex FROM Examer ORDER BY GroupID, ExamerID"))
        return std::nullopt;
    std::vector<GroupNode> tree;
    tree.reserve(groups.RecordCount());
    for (; !groups.IsEOF(); groups.MoveNext()) {
        GroupNode group{groups.GetLong("GroupID"), groups.GetText("Name"), {}};
        while (!persons.IsEOF() && persons.GetLong("GroupID") < group.groupId)
            persons.MoveNext(); // persons of a group that does not exist
        for (; !persons.IsEOF() && persons.GetLong("GroupID") == group.groupId; persons.MoveNext())
            group.persons.push_back(
                {persons.GetLong("ExamerID"), persons.GetText("Name"), ReadMale(persons, "Sex")});
        tree.push_back(std::move(group));
    }
    return tree;
}

} // namespace hv
