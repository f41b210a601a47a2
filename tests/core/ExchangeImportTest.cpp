#include "ExchangeFixture.h"
#include "data/StringTable.h"
#include "persons/PersonRules.h"
#include "persons/PersonStore.h"

#include <gtest/gtest.h>

using namespace hv;
using namespace hv::test;
using namespace std::string_literals;

namespace {

constexpr const char* kHeader = "Name,Sex,Birthday,Height,Weight";

class ExchangeImportTest : public ExchangeFixture {};

// Files as spreadsheet programs save them: each must give the same two persons.
HV_ON_BOTH_ENGINES(ExchangeImportTest);

TEST_P(ExchangeImportTest, ReadsTheEncodingsAndSeparatorsSpreadsheetsWrite) {
    const std::string tsv = "Name\tSex\tBirthday\tHeight\tWeight\tCompany\r\n"
                            "J\xC3\xB6rg M\xC3\xBCller\tM\t1970-04-01\t180\t80\tTab, Comma; Inc\r\n"
                            "Ana Sim\xC3\xB5"
                            "es\tFemale\t1992-11-30\t160\t52\t\"Q \"\"x\"\"\"\r\n";
    struct Case {
        const char* what;
        std::string bytes;
        char delimiter;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"UTF-8, commas, LF",
         "Name,Sex,Birthday,Height,Weight,Company\n"
         "J\xC3\xB6rg M\xC3\xBCller,M,1970-04-01,180,80,\"Tab, Comma; Inc\"\n"
         "Ana Sim\xC3\xB5"
         "es,Female,1992-11-30,160,52,\"Q \"\"x\"\"\"\n",
         ',', TextEncoding::Utf8},
        {"UTF-8 with BOM, semicolons, CR LF",
         "\xEF\xBB\xBFName;Sex;Birthday;Height;Weight;Company\r\n"
         "J\xC3\xB6rg M\xC3\xBCller;M;1970-04-01;180;80;\"Tab, Comma; Inc\"\r\n"
         "Ana Sim\xC3\xB5"
         "es;Female;1992-11-30;160;52;\"Q \"\"x\"\"\"\r\n;;;;;\r\n;;;;;\r\n",
         ';', TextEncoding::Utf8WithBom},
        {"UTF-16LE with BOM, tabs (Unicode text)", Utf16(tsv), '\t', TextEncoding::Utf16LE},
        {"UTF-16BE with BOM, tabs", Utf16(tsv, false), '\t', TextEncoding::Utf16BE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = WriteFile("persons.csv", c.bytes);
        CsvReadResult read;
        ReadRecords(path, &read);
        EXPECT_EQ(read.delimiter, c.delimiter);
        EXPECT_EQ(read.encoding, c.encoding);
        const int group = AddGroup(c.what);
        const ImportOutcome outcome = Import(path, group);
        ASSERT_TRUE(outcome.committed) << outcome.summary.problem;
        EXPECT_EQ(outcome.summary.valid, 2);
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        ASSERT_TRUE(db.OpenRecordset(
            "SELECT Name, Sex, Birthday, Company FROM Examer WHERE GroupID=? ORDER BY ExamerID",
            {group}));
        EXPECT_EQ(db.GetText("Name"), "J\xC3\xB6rg M\xC3\xBCller");
        EXPECT_NE(db.GetLong("Sex"), 0);
        EXPECT_EQ(db.GetDouble("Birthday"), Date(1970, 4, 1));
        EXPECT_EQ(db.GetText("Company"), "Tab, Comma; Inc");
        db.MoveNext();
        EXPECT_EQ(db.GetText("Name"), "Ana Sim\xC3\xB5"
                                      "es");
        EXPECT_EQ(db.GetLong("Sex"), 0);
        EXPECT_EQ(db.GetText("Company"), "Q \"x\"");
    }
}

TEST_P(ExchangeImportTest, TakesColumnsInAnyOrderAndCaseAndLineBreaksInsideQuotes) {
    const int group = AddGroup("Acme");
    const std::string path = WriteFile(
        "p.csv", " REMARK ,occupation,birthday,SEX,Weight,height,NAME,Extra\r\n"
                 "\"first line\r\nsecond line\",Welder,1980-02-29,f,55,165,Eva,ignored\r\n"
                 "plain,,1981-03-01,male,70,175,Tom,\r\n");
    std::vector<ImportRow> rows = Check(path, group);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].line, 2);
    EXPECT_EQ(rows[1].line, 4); // the row after a field with a line break in it
    EXPECT_EQ(rows[0].person.remark, "first line\r\nsecond line");
    EXPECT_EQ(rows[0].person.job, "Welder");
    EXPECT_FALSE(rows[0].person.male);
    EXPECT_EQ(rows[0].person.height, "165");
    EXPECT_TRUE(rows[1].person.male);
    EXPECT_EQ(Persons(group), 0) << "a check stores nothing";
}

// The editor's checks, in the editor's order and words, with the import's own two
// (a sex and a date written as text) in the places of their fields.
TEST_P(ExchangeImportTest, AppliesTheEditorsRulesToEveryRow) {
    const int group = AddGroup("Acme");
    struct Case {
        const char* row;
        std::string message;
    };
    const Case cases[] = {
        {",M,1980-01-01,170,63", "The name can not be null!"},
        {",X,1980-13-01,0,0", "The name can not be null!"},
        {"   ,M,1980-01-01,170,63", ""}, // blanks are a name, as in the editor
        {"A,X,1980-01-01,170,63", "The sex must be M, F, Male or Female, not \"X\"."},
        {"B,,1980-01-01,170,63", "The sex must be M, F, Male or Female, not \"\"."},
        {"C,M,1980-02-30,0,63",
         "The birthday must be a date written yyyy-mm-dd, not \"1980-02-30\"."},
        {"D,M,01.02.1980,170,63",
         "The birthday must be a date written yyyy-mm-dd, not \"01.02.1980\"."},
        {"E,M,2024-01-01,170,63", std::string(LoadString(ids::BirthdayError))},
        {"F,M,2023-12-31,170,63", ""}, // last calendar year passes
        {"G,F,1980-01-01,,63", "The height can not be null!"},
        {"H,F,1980-01-01,abc,0", "The height can not be null!"},
        {"I,F,1980-01-01,160,0", "The weight can not be null!"},
        {"J,F,1980-01-01,160cm,54kg", ""}, // leading digits, as the editor reads them
    };
    std::string file = std::string(kHeader) + "\n";
    for (const Case& c : cases)
        file += std::string(c.row) + "\n";
    const std::vector<ImportRow> rows = Check(WriteFile("rules.csv", file), group);
    ASSERT_EQ(rows.size(), std::size(cases));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(cases[i].row);
        EXPECT_EQ(rows[i].line, static_cast<long>(i) + 2);
        EXPECT_EQ(rows[i].message, cases[i].message);
        EXPECT_EQ(rows[i].status,
                  cases[i].message.empty() ? ImportStatus::Valid : ImportStatus::Invalid);
    }
}

// An imported person is stored exactly as the editor would store the same entry.
TEST_P(ExchangeImportTest, StoresTheSameDerivedColumnsAsTheEditor) {
    const int imported = AddGroup("Imported");
    const int edited = AddGroup("Edited");
    struct Entry {
        const char* name;
        bool male;
        DateTime birthday;
        const char* height;
        const char* weight;
    };
    const Entry entries[] = {
        {"Lean", true, {1990, 1, 5}, "170", "50"},     {"Mild", true, {1990, 2, 5}, "170", "56"},
        {"Standard", true, {1990, 3, 5}, "170", "63"}, {"Heavier", true, {1990, 4, 5}, "170", "75"},
        {"Fat", true, {1990, 5, 5}, "170", "76"},      {"Tall", false, {1960, 12, 24}, "206", "60"},
        {"Short", false, {2010, 7, 7}, "60", "20"},    {"Dot", true, {2000, 9, 9}, "180.9", "80.6"},
    };
    std::string file = "Name,Sex,Birthday,Height,Weight,Email\n";
    for (const Entry& e : entries) {
        char line[160];
        std::snprintf(line, sizeof line, "%s,%s,%04d-%02d-%02d,%s,%s,%s@example.org\n", e.name,
                      e.male ? "Male" : "F", e.birthday.year, e.birthday.month, e.birthday.day,
                      e.height, e.weight, e.name);
        file += line;
        PersonRecord p;
        p.groupId = edited;
        p.name = e.name;
        p.male = e.male;
        p.birthday = ToOleDate(e.birthday);
        p.height = e.height;
        p.weight = e.weight;
        p.email = std::string(e.name) + "@example.org";
        ASSERT_FALSE(PrepareForSave(p, LocalNow()));
        ASSERT_TRUE(SavePerson(p));
    }
    ASSERT_TRUE(Import(WriteFile("same.csv", file), imported).committed);

    const char* columns = "SELECT Name, Sex, Birthday, Height, Weight, Result, Telephone, Mobile, "
                          "Email, Company, Job, Address, Remark, BzY, BzM, BzHW FROM Examer "
                          "WHERE GroupID=? ORDER BY ExamerID";
    CAdoDb a, b;
    ASSERT_TRUE(a.Open() && b.Open());
    ASSERT_TRUE(a.OpenRecordset(columns, {imported}) && b.OpenRecordset(columns, {edited}));
    ASSERT_EQ(a.RecordCount(), std::size(entries));
    ASSERT_EQ(a.RecordCount(), b.RecordCount());
    for (; !a.IsEOF(); a.MoveNext(), b.MoveNext())
        for (int k = 0; k < a.FieldCount(); ++k)
            EXPECT_EQ(a.Field(k), b.Field(k)) << a.GetText("Name") << ' ' << a.FieldName(k);
    a.MoveFirst();
    EXPECT_EQ(a.GetText("Result"), "Severe underweight");
    EXPECT_EQ(a.GetText("BzHW"), "QP");
}

TEST_P(ExchangeImportTest, SkipsDuplicatesOfTheGroupAndOfEarlierRows) {
    const int group = AddGroup("Acme");
    const int other = AddGroup("Other");
    AddPerson(group, "Anna", false, {{"Birthday", Date(1980, 2, 3, 14, 30)}});
    AddPerson(other, "Ben", true, {{"Birthday", Date(1970, 1, 1)}});
    const std::string path =
        WriteFile("dup.csv", std::string(kHeader) + "\nAnna,F,1980-02-03,165,60\n"
                                                    "Anna,F,1980-02-04,165,60\n"
                                                    "Ben,M,1970-01-01,180,80\n"
                                                    "Ben,M,1970-01-01,180,80\n");
    ImportSummary summary;
    const std::vector<ImportRow> rows = Check(path, group, &summary);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].status, ImportStatus::Duplicate);
    EXPECT_EQ(rows[0].message,
              "Anna, born 1980-02-03, is already in this group; the row is skipped.");
    EXPECT_EQ(rows[1].status, ImportStatus::Valid); // another birthday
    EXPECT_EQ(rows[2].status, ImportStatus::Valid); // Ben is in another group
    EXPECT_EQ(rows[3].message, "Ben, born 1970-01-01, is already on line 4; the row is skipped.");
    EXPECT_EQ(summary.duplicates, 2);
    EXPECT_TRUE(summary.AllValid());

    const ImportOutcome outcome = Import(path, group);
    EXPECT_TRUE(outcome.committed);
    EXPECT_EQ(Persons(group), 3);
}

TEST_P(ExchangeImportTest, OneBadRowImportsNothing) {
    const int group = AddGroup("Acme");
    std::string file = std::string(kHeader) + "\n";
    for (int i = 0; i < 50; ++i)
        file += "Person " + std::to_string(i) + ",M,1980-01-01,170,63\n";
    file += "Bad,M,1980-01-01,170,0\n";
    for (int i = 50; i < 100; ++i)
        file += "Person " + std::to_string(i) + ",F,1980-01-01,160,54\n";
    const std::string path = WriteFile("one-bad.csv", file);

    std::vector<ImportRow> bad;
    ImportTarget target{group, "Acme"};
    ImportHandlers handlers;
    handlers.row = [&](ImportRow& row) {
        if (row.status == ImportStatus::Invalid)
            bad.push_back(row);
        return true;
    };
    const ImportOutcome outcome = ImportPersonsFile(path, target, false, handlers);
    EXPECT_FALSE(outcome.committed);
    EXPECT_EQ(outcome.summary.valid, 100);
    EXPECT_EQ(outcome.summary.invalid, 1);
    ASSERT_EQ(bad.size(), 1u);
    EXPECT_EQ(bad[0].line, 52);
    EXPECT_EQ(bad[0].message, "The weight can not be null!");
    EXPECT_EQ(Persons(group), 0);

    // A group to be created is not created either.
    ImportTarget created{0, "New group"};
    EXPECT_FALSE(ImportPersonsFile(path, created, false, {}).committed);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM GroupList WHERE Name=?", {"New group"}), 0);
}

TEST_P(ExchangeImportTest, DryRunAndCreatedGroup) {
    const std::string path =
        WriteFile("ok.csv", std::string(kHeader) + "\nA,M,1980-01-01,170,63\n");
    ImportTarget target{0, "Fresh"};
    const ImportOutcome dry = ImportPersonsFile(path, target, true, {});
    EXPECT_FALSE(dry.committed);
    EXPECT_EQ(dry.summary.valid, 1);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM GroupList"), 0);
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM Examer"), 0);

    const ImportOutcome real = ImportPersonsFile(path, target, false, {});
    ASSERT_TRUE(real.committed);
    EXPECT_GT(target.groupId, 0);
    EXPECT_EQ(Persons(target.groupId), 1);
}

// Files that are not what a spreadsheet writes: a message naming the line, nothing stored.
TEST_P(ExchangeImportTest, RefusesHostileFilesWithTheirLine) {
    const int group = AddGroup("Acme");
    const std::string header = std::string(kHeader) + "\r\n";
    const std::string hugeField =
        header + "\"" + std::string(10 * 1024 * 1024, 'x') + "\",M,1980-01-01,170,63\r\n";
    struct Case {
        const char* what;
        std::string bytes;
        std::string problem;
    };
    const Case cases[] = {
        {"empty", "", "Line 1: The file is empty: it has no header line."},
        {"a byte-order mark alone", "\xEF\xBB\xBF",
         "Line 1: The file is empty: it has no header line."},
        {"blank lines", "\r\n  \r\n\r\n", "Line 1: The file is empty: it has no header line."},
        {"a picture", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s,
         "Line 1: The file is not text: these bytes are neither UTF-8 nor UTF-16 with a byte-order "
         "mark."},
        {"not UTF-8 on line 3",
         header + "A,M,1980-01-01,170,63\r\nG\xF6ran,M,1980-01-01,170,63\r\n",
         "Line 3: The file is not text: these bytes are neither UTF-8 nor UTF-16 with a byte-order "
         "mark."},
        {"a NUL byte", header + "A,M,1980-01-01,170,63\r\nB\0,M,1980-01-01,170,63\r\n"s,
         "Line 3: The file holds a NUL byte, so it is not a text file (UTF-16 needs its byte-order "
         "mark)."},
        {"UTF-16 without its mark", std::string("N\0a\0m\0e\0", 8),
         "Line 1: The file holds a NUL byte, so it is not a text file (UTF-16 needs its byte-order "
         "mark)."},
        {"a lone surrogate",
         Utf16("Name\tSex\tBirthday\r\n") + std::string("\x00\xD8", 2) + std::string("A\0", 2),
         "Line 2: The file is not text: these bytes are neither UTF-8 nor UTF-16 with a byte-order "
         "mark."},
        {"an unclosed quote",
         header + "A,M,1980-01-01,170,63\r\n\"B,M,1980-01-01,170,63\r\nC,M,1980-01-01,170,63\r\n",
         "Line 3: A quoted field that begins in this row is never closed."},
        {"a stray quote", header + "A\"b,M,1980-01-01,170,63\r\n",
         "Line 2: A quote stands inside a field that is not quoted, or text follows a closing "
         "quote."},
        {"no header", "Anna,F,1980-02-03,165,60\r\n",
         "Line 1: The header line has no column Name; the columns Name, Sex and Birthday are "
         "required."},
        {"no Birthday column", "Name;Sex;Height\r\nA;M;170\r\n",
         "Line 1: The header line has no column Birthday; the columns Name, Sex and Birthday are "
         "required."},
        {"a column twice", "Name,Sex,Birthday,name\r\n",
         "Line 1: The header names the column name twice."},
        {"a header alone", header, "Line 2: The file has a header line but no persons."},
        {"a field of 10 MB", hugeField, "Line 2: A field is longer than 1 MB."},
        {"a header of 100 KB", std::string(100 * 1024, 'N'),
         "Line 1: The first line is longer than 64 KB, so it is not a header line."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = WriteFile("hostile.csv", c.bytes);
        ImportSummary summary;
        Check(path, group, &summary);
        EXPECT_EQ(summary.problem, c.problem);
        const ImportOutcome outcome = Import(path, group);
        EXPECT_FALSE(outcome.committed);
        EXPECT_EQ(outcome.summary.problem, c.problem);
        EXPECT_EQ(Persons(group), 0);
    }
}

TEST_P(ExchangeImportTest, RowsWithMoreOrFewerFieldsAreNotValid) {
    const int group = AddGroup("Acme");
    const std::string path =
        WriteFile("count.csv", std::string(kHeader) + "\nA,M,1980-01-01,170,63,extra\n"
                                                      "B,M,1980-01-01,170\n"
                                                      "C,M,1980-01-01,170,63\n");
    ImportSummary summary;
    const std::vector<ImportRow> rows = Check(path, group, &summary);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].message, "The row has 6 fields; the header has 5.");
    EXPECT_EQ(rows[1].message, "The row has 4 fields; the header has 5.");
    EXPECT_EQ(rows[2].status, ImportStatus::Valid);
    EXPECT_EQ(summary.invalid, 2);
    EXPECT_FALSE(Import(path, group).committed);
    EXPECT_EQ(Persons(group), 0);
}

TEST_P(ExchangeImportTest, FindsGroupsByNameOrNumber) {
    const int first = AddGroup("Twice");
    AddGroup("Twice");
    const int once = AddGroup("Once");
    EXPECT_EQ(FindGroup("Once").groupId, once);
    EXPECT_EQ(FindGroup("#" + std::to_string(first)).name, "Twice");
    const GroupChoice twice = FindGroup("Twice");
    EXPECT_EQ(twice.status, GroupChoice::Status::Ambiguous);
    EXPECT_EQ(twice.message, "Several groups are named Twice; name the one you mean by its "
                             "number, e.g. #" +
                                 std::to_string(first) + ".");
    EXPECT_EQ(FindGroup("Nobody").message, "There is no group Nobody.");
    EXPECT_EQ(FindGroup("#999").status, GroupChoice::Status::NotFound);
}

TEST_P(ExchangeImportTest, StoresPreviewRowsAllOrNone) {
    const int group = AddGroup("Acme");
    AddPerson(group, "Meanwhile", true, {{"Birthday", Date(1980, 1, 1)}});
    std::vector<PersonRecord> persons(3);
    const char* names[] = {"One", "Meanwhile", "Two"};
    for (std::size_t i = 0; i < persons.size(); ++i) {
        persons[i].name = names[i];
        persons[i].birthday = Date(1980, 1, 1);
        persons[i].height = "170";
        persons[i].weight = "63";
        persons[i].groupId = group;
        ASSERT_FALSE(PrepareForSave(persons[i], LocalNow()));
    }
    const StoreOutcome stored = StoreImportedPersons(group, persons);
    EXPECT_TRUE(stored.stored);
    EXPECT_EQ(stored.added, 2);
    EXPECT_EQ(stored.skipped, 1);
    EXPECT_GT(persons[2].examerId, persons[0].examerId);
    EXPECT_EQ(Persons(group), 3);
}

} // namespace
