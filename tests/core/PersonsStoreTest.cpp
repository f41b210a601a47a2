#include "FaultTriggers.h"
#include "PersonsFixture.h"
#include "data/OperatorTexts.h"
#include "persons/PersonRules.h"
#include "persons/PersonStore.h"
#include "persons/PersonText.h"

#include <functional>
#include <gtest/gtest.h>

using namespace hv;
using hv::test::kConnectionError;
using hv::test::RefusingTrigger;

namespace {

class PersonsStore : public hv::test::PersonsFixture {
protected:
    PersonRecord Entry(int groupId, const std::string& name) {
        PersonRecord p;
        p.groupId = groupId;
        p.name = name;
        p.male = false;
        p.birthday = Date(1975, 4, 30);
        p.height = "165";
        p.weight = "58kg";
        p.telephone = "+1 555 0100";
        p.mobile = "0170 1234567";
        p.email = "someone@example.org";
        p.company = "Acme \"Works\"";
        p.job = "Engineer";
        p.address = "1 Main St.\r\nSpringfield";
        p.remark = "first line\r\nsecond line";
        EXPECT_FALSE(PrepareForSave(p, {2024, 6, 1}));
        return p;
    }
};

void ExpectSamePerson(const PersonRecord& a, const PersonRecord& b) {
    EXPECT_EQ(a.examerId, b.examerId);
    EXPECT_EQ(a.groupId, b.groupId);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.male, b.male);
    EXPECT_EQ(a.birthday, b.birthday);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.weight, b.weight);
    EXPECT_EQ(a.result, b.result);
    EXPECT_EQ(a.telephone, b.telephone);
    EXPECT_EQ(a.mobile, b.mobile);
    EXPECT_EQ(a.email, b.email);
    EXPECT_EQ(a.company, b.company);
    EXPECT_EQ(a.job, b.job);
    EXPECT_EQ(a.address, b.address);
    EXPECT_EQ(a.remark, b.remark);
    EXPECT_EQ(a.bzY, b.bzY);
    EXPECT_EQ(a.bzM, b.bzM);
    EXPECT_EQ(a.bzHW, b.bzHW);
}

HV_ON_BOTH_ENGINES(PersonsStore);

TEST_P(PersonsStore, NewPersonRoundTripsEveryColumnAndGetsItsKey) {
    const int group = AddGroup("Morning");
    const std::string names[] = {
        "O'Brien \"Junior\"",
        "\xE6\x9D\x8E\xE5\xB0\x8F\xE9\xBE\x99",   // non-Latin letters
        "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD %s %d", // and format marks
        std::string(100000, 'x'),                 // a very long text
        "   ",                                    // blanks only
    };
    int previousKey = 0;
    for (const std::string& name : names) {
        PersonRecord p = Entry(group, name);
        ASSERT_TRUE(SavePerson(p));
        EXPECT_GT(p.examerId, previousKey);
        previousKey = p.examerId;
        PersonRecord loaded;
        ASSERT_EQ(LoadPerson(p.examerId, loaded), ReadStatus::Found);
        ExpectSamePerson(loaded, p);
    }
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM Examer"), 5);
    // Female is stored as no; the derived columns are the person's.
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM Examer WHERE Sex=0 AND BzHW='QP' AND "
                    "Result='Standard body weight' AND BzY=1975 AND BzM=4"),
              5);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(PersonsStore, MaleIsStoredAsYes) {
    const int group = AddGroup("G");
    PersonRecord p = Entry(group, "Bob");
    p.male = true;
    ASSERT_TRUE(SavePerson(p));
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM Examer WHERE Sex=-1"), 1);
}

TEST_P(PersonsStore, EditingUpdatesTheSameRowAndMayMoveItToAnotherGroup) {
    const int first = AddGroup("First");
    const int second = AddGroup("Second");
    PersonRecord p = Entry(first, "Carla");
    ASSERT_TRUE(SavePerson(p));
    const int key = p.examerId;
    p.groupId = second;
    p.name = "Carla B.";
    p.remark.clear();
    ASSERT_TRUE(SavePerson(p));
    EXPECT_EQ(p.examerId, key);
    PersonRecord loaded;
    ASSERT_EQ(LoadPerson(key, loaded), ReadStatus::Found);
    ExpectSamePerson(loaded, p);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM Examer"), 1);
}

TEST_P(PersonsStore, SavingIntoAGroupThatDoesNotExistIsRefused) {
    PersonRecord p = Entry(41, "Nobody's");
    EXPECT_FALSE(SavePerson(p));
    EXPECT_EQ(p.examerId, 0);
    EXPECT_EQ(sink.messages, std::vector<std::string>{std::string(texts::kNoGroupForPerson)});
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM Examer"), 0);
}

// Another program or a restore may delete what an editor has open: saving it then says so
// and creates nothing, instead of reporting a save that changed no row.
TEST_P(PersonsStore, SavingAPersonOrGroupDeletedMeanwhileIsRefused) {
    const int groupId = AddGroup("Morning");
    PersonRecord p = Entry(groupId, "Ann");
    ASSERT_TRUE(SavePerson(p));
    GroupRecord group;
    ASSERT_EQ(LoadGroup(groupId, group), ReadStatus::Found);
    const int other = AddGroup("Evening");
    GroupRecord gone;
    ASSERT_EQ(LoadGroup(other, gone), ReadStatus::Found);
    ASSERT_TRUE(Exec("DELETE FROM Examer WHERE ExamerID=?", {p.examerId}));
    ASSERT_TRUE(Exec("DELETE FROM GroupList WHERE GroupID=?", {other}));

    p.name = "Anna";
    EXPECT_FALSE(SavePerson(p));
    gone.name = "Night";
    EXPECT_FALSE(SaveGroup(gone));
    EXPECT_EQ(sink.messages, (std::vector<std::string>{std::string(texts::kPersonNoLongerStored),
                                                       std::string(texts::kGroupNoLongerStored)}));
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM Examer"), 0);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM GroupList"), 1);

    group.name = "Still here"; // an update that changes nothing but the text still counts
    EXPECT_TRUE(SaveGroup(group));
    EXPECT_TRUE(SaveGroup(group));
}

TEST_P(PersonsStore, NullColumnsReadAsEmptyAndANullSexAsMale) {
    const int group = AddGroup("G");
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.AddRow("Examer", {{"GroupID", group}, {"Name", "Bare"}, {"Sex", nullptr}}));
    const int key = db.LastInsertKey();
    PersonRecord loaded;
    ASSERT_EQ(LoadPerson(key, loaded), ReadStatus::Found);
    EXPECT_TRUE(loaded.male);
    EXPECT_FALSE(loaded.birthday);
    const BasicInfoTexts texts = FormatBasicInfo(loaded);
    EXPECT_EQ(texts.name, "Bare");
    EXPECT_EQ(texts.sex, "Male");
    EXPECT_EQ(texts.birthday, "");
    EXPECT_EQ(texts.height, "");
    EXPECT_EQ(texts.weight, "");
    EXPECT_EQ(texts.remark, "");
    EXPECT_EQ(LoadPerson(key + 1, loaded), ReadStatus::NotFound);
}

TEST(PersonsText, BasicInfoShowsUnitsAndTheWeightClass) {
    PersonRecord p;
    p.name = "Dana";
    p.male = false;
    p.birthday = ToOleDate({1988, 2, 29, 13, 0, 0});
    p.height = "160";
    p.weight = "60";
    p.result = "Standard body weight";
    p.job = "Nurse";
    const BasicInfoTexts texts = FormatBasicInfo(p);
    EXPECT_EQ(texts.sex, "Female");
    EXPECT_EQ(texts.birthday, "1988-02-29");
    EXPECT_EQ(texts.height, "160 cm");
    EXPECT_EQ(texts.weight, "60Kg(Standard body weight)");
    EXPECT_EQ(texts.job, "Nurse");
    EXPECT_EQ(FormatOleTime(ToOleDate({2024, 1, 2, 7, 8, 9})), "07:08:09");
}

TEST_P(PersonsStore, DeletingAPersonRemovesItsTestsAndKeepsTheAnalysisRows) {
    const int group = AddGroup("G");
    const int ann = AddPerson(group, "Ann");
    const int ben = AddPerson(group, "Ben");
    const int annTest1 = AddTest(ann, Date(2024, 1, 1));
    const int annTest2 = AddTest(ann, Date(2024, 2, 1));
    const int benTest = AddTest(ben, Date(2024, 1, 5));
    AddAnalysisRows(annTest1);
    AddAnalysisRows(annTest2);

    ASSERT_TRUE(DeletePerson(ann));
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM Examer WHERE ExamerID=?", {ann}), 0);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM MeasData WHERE ExamerID=?", {ann}), 0);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM MeasData WHERE MeasID=?", {benTest}), 1);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM ReportValue01"), 2);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM ReportValueAll"), 2);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(PersonsStore, APersonWhoseRowCannotBeDeletedKeepsItsTests) {
    const int group = AddGroup("G");
    const int ann = AddPerson(group, "Ann");
    AddTest(ann, Date(2024, 1, 1));
    {
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        ASSERT_TRUE(db.ExecuteScript(
            RefusingTrigger(GetParam(), "KeepPersons", "DELETE", "Examer", "persons are kept")));
    }
    EXPECT_FALSE(DeletePerson(ann));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find("persons are kept"), std::string::npos);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM MeasData WHERE ExamerID=?", {ann}), 1);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM Examer WHERE ExamerID=?", {ann}), 1);
}

TEST_P(PersonsStore, GroupsAreAddedRenamedAndListedInKeyOrder) {
    GroupRecord first{0, "Morning", "early\r\nshift"};
    ASSERT_TRUE(SaveGroup(first));
    GroupRecord twin{0, "Morning", ""}; // the same name twice is allowed
    ASSERT_TRUE(SaveGroup(twin));
    EXPECT_GT(twin.groupId, first.groupId);
    const int person = AddPerson(first.groupId, "Eve");

    first.name = "Evening";
    first.description = "late";
    ASSERT_TRUE(SaveGroup(first));
    GroupRecord loaded;
    ASSERT_EQ(LoadGroup(first.groupId, loaded), ReadStatus::Found);
    EXPECT_EQ(loaded.name, "Evening");
    EXPECT_EQ(loaded.description, "late");
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM Examer WHERE ExamerID=? AND GroupID=?",
                    {person, first.groupId}),
              1);

    const auto groups = LoadGroups();
    ASSERT_TRUE(groups);
    ASSERT_EQ(groups->size(), 2u);
    EXPECT_EQ((*groups)[0].name, "Evening");
    EXPECT_EQ((*groups)[1].name, "Morning");
    EXPECT_EQ(LoadGroup(twin.groupId + 1, loaded), ReadStatus::NotFound);
}

TEST_P(PersonsStore, OnlyAGroupWithoutPersonsIsDeleted) {
    const int full = AddGroup("Full");
    const int empty = AddGroup("Empty");
    AddPerson(full, "Fay");
    EXPECT_EQ(DeleteGroup(full), GroupDeletion::HasPersons);
    EXPECT_EQ(DeleteGroup(empty), GroupDeletion::Deleted);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM GroupList"), 1);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM GroupList WHERE GroupID=?", {full}), 1);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(PersonsStore, TheTreeHoldsGroupsWithTheirPersonsInKeyOrder) {
    {
        const auto emptyTree = LoadPersonTree();
        ASSERT_TRUE(emptyTree);
        EXPECT_TRUE(emptyTree->empty());
    }
    const int a = AddGroup("A");
    const int b = AddGroup("B");
    const int c = AddGroup("C");
    const int b1 = AddPerson(b, "b1", false);
    const int a1 = AddPerson(a, "a1", true);
    AddPerson(c + 5, "lost"); // a person whose group does not exist
    const int b2 = AddPerson(b, "b2", true);

    const auto tree = LoadPersonTree();
    ASSERT_TRUE(tree);
    ASSERT_EQ(tree->size(), 3u);
    EXPECT_EQ((*tree)[0].groupId, a);
    EXPECT_EQ((*tree)[1].name, "B");
    ASSERT_EQ((*tree)[0].persons.size(), 1u);
    EXPECT_EQ((*tree)[0].persons[0].examerId, a1);
    ASSERT_EQ((*tree)[1].persons.size(), 2u);
    EXPECT_EQ((*tree)[1].persons[0].examerId, b1);
    EXPECT_FALSE((*tree)[1].persons[0].male);
    EXPECT_EQ((*tree)[1].persons[1].examerId, b2);
    EXPECT_TRUE((*tree)[1].persons[1].male);
    EXPECT_TRUE((*tree)[2].persons.empty());
}

TEST_P(PersonsStore, EveryOperationReportsAMissingDatabaseOnce) {
    const int group = AddGroup("G");
    const int person = AddPerson(group, "P");
    RemoveDatabase();
    struct Case {
        const char* what;
        std::function<bool()> fails;
    };
    const Case cases[] = {
        {"load person",
         [&] {
             PersonRecord p;
             return LoadPerson(person, p) == ReadStatus::Failed;
         }},
        {"save person",
         [&] {
             PersonRecord p = Entry(group, "Q");
             return !SavePerson(p) && p.examerId == 0;
         }},
        {"delete person", [&] { return !DeletePerson(person); }},
        {"load groups", [&] { return !LoadGroups(); }},
        {"load group",
         [&] {
             GroupRecord g;
             return LoadGroup(group, g) == ReadStatus::Failed;
         }},
        {"save group",
         [&] {
             GroupRecord g{0, "New", ""};
             return !SaveGroup(g) && g.groupId == 0;
         }},
        {"delete group", [&] { return DeleteGroup(group) == GroupDeletion::Failed; }},
        {"tree", [&] { return !LoadPersonTree(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sink.messages.clear();
        EXPECT_TRUE(c.fails());
        EXPECT_EQ(sink.messages, std::vector<std::string>{kConnectionError});
    }
    EXPECT_FALSE(std::filesystem::exists(install.databasePath()));
}

} // namespace
