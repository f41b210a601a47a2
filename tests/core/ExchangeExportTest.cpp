#include "ExchangeFixture.h"
#include "analysis/AnalysisRun.h"
#include "analysis/Catalogue.h"
#include "analysis/TestResults.h"
#include "exchange/FormulaGuard.h"
#include "exchange/RegisterExport.h"

#include <gtest/gtest.h>
#include <locale>

using namespace hv;
using namespace hv::test;

namespace {

// A locale that writes numbers with a decimal comma, as many stations are set up.
struct CommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

class ScopedCommaLocale {
public:
    ScopedCommaLocale()
        : m_previous(std::locale::global(std::locale(std::locale::classic(), new CommaDecimals))) {}
    ~ScopedCommaLocale() { std::locale::global(m_previous); }

private:
    std::locale m_previous;
};

bool SpreadsheetWouldRun(const std::string& cell) {
    return NeedsFormulaGuard(cell);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class ExchangeExportTest : public ExchangeFixture {
protected:
    std::int32_t AnalysedTest(int group, const std::string& name, const DateTime& when) {
        const int person = AddPerson(group, name, true,
                                     {{"Birthday", Date(1984, 5, 20)},
                                      {"Height", "172"},
                                      {"Weight", "64"},
                                      {"Result", "Standard body weight"}});
        const std::int32_t measId = AddTest(person, ToOleDate(when));
        CAnalysisRun run(measId);
        EXPECT_EQ(run.Prepare(), PrepareResult::Ready);
        run.Run();
        return measId;
    }

    std::string AllPages(std::int32_t measId) {
        CAnalysisRun run(measId);
        EXPECT_EQ(run.Prepare(), PrepareResult::Ready);
        std::string pages;
        for (int slot = 0; slot < kReportSlotCount; ++slot)
            pages += run.BuildReportPage(slot);
        return pages;
    }
};

HV_ON_BOTH_ENGINES(ExchangeExportTest);

TEST_P(ExchangeExportTest, PersonsReadBackUnchangedAndNoCellRuns) {
    const int group = AddGroup("Acme");
    const std::vector<std::string> names = {"=HYPERLINK(\"http://example.org\",\"x\")",
                                            "+1 555",
                                            "-Anna",
                                            "@SUM(A1:A2)",
                                            "\tTabbed",
                                            "\rReturned",
                                            "Comma, Name",
                                            "Quote \"Q\" Name",
                                            "Line\r\nBreak",
                                            "'=Already guarded",
                                            " padded ",
                                            "Ünïcødé 名前",
                                            "Plain"};
    for (const std::string& name : names)
        AddPerson(group, name, name.size() % 2 == 0,
                  {{"Birthday", Date(1980, 2, 29)},
                   {"Height", "172.5"},
                   {"Weight", "-64"},
                   {"Remark", "=1+2"}});
    const std::string path = (install.path() / "persons.csv").string();
    const ExportOutcome outcome = ExportPersons(group, path);
    ASSERT_TRUE(outcome.written) << outcome.message;
    EXPECT_EQ(outcome.rows, static_cast<long>(names.size()));
    EXPECT_TRUE(ReadBytes(path).starts_with("\xEF\xBB\xBFName,Sex,Birthday,"));

    const auto records = ReadRecords(path);
    ASSERT_EQ(records.size(), names.size() + 1);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::vector<std::string>& cells = records[i + 1];
        ASSERT_EQ(cells.size(), 12u);
        for (const std::string& cell : cells)
            EXPECT_FALSE(SpreadsheetWouldRun(cell)) << cell;
        EXPECT_EQ(UnguardedCell(cells[0]), names[i]);
        EXPECT_EQ(cells[2], "1980-02-29");
        EXPECT_EQ(cells[3], "172.5");
        EXPECT_EQ(UnguardedCell(cells[4]), "-64");
        EXPECT_EQ(UnguardedCell(cells[11]), "=1+2");
    }

    // The file reads back into a group as the same persons.
    const int copy = AddGroup("Copy");
    const ImportOutcome imported = Import(path, copy);
    ASSERT_TRUE(imported.committed) << imported.summary.problem;
    CAdoDb a, b;
    ASSERT_TRUE(a.Open() && b.Open());
    const char* sql = "SELECT Name, Sex, Birthday, Height, Weight, Remark FROM Examer "
                      "WHERE GroupID=? ORDER BY ExamerID";
    ASSERT_TRUE(a.OpenRecordset(sql, {group}) && b.OpenRecordset(sql, {copy}));
    ASSERT_EQ(a.RecordCount(), b.RecordCount());
    for (; !a.IsEOF(); a.MoveNext(), b.MoveNext())
        for (int k = 0; k < a.FieldCount(); ++k)
            EXPECT_EQ(a.Field(k), b.Field(k)) << a.GetText("Name") << ' ' << a.FieldName(k);
}

TEST_P(ExchangeExportTest, ResultsAreTheValuesAndGradesOfThePages) {
    const int group = AddGroup("Acme");
    const std::int32_t measId = AnalysedTest(group, "Alex", {2024, 6, 1, 9, 30, 0});
    const std::string pages = AllPages(measId);
    const std::string path = (install.path() / "results.csv").string();
    ExportOutcome outcome;
    {
        ScopedCommaLocale commas;
        outcome = ExportResults(measId, path);
    }
    ASSERT_TRUE(outcome.written) << outcome.message;

    const auto records = ReadRecords(path);
    ASSERT_GT(records.size(), 1u);
    EXPECT_EQ(records[0],
              (std::vector<std::string>{"Report", "Item", "Normal range", "Value", "Grade"}));
    int graded = 0;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const std::vector<std::string>& r = records[i];
        ASSERT_EQ(r.size(), 5u);
        for (const std::string& cell : r)
            EXPECT_FALSE(SpreadsheetWouldRun(cell)) << cell;
        const std::string item = UnguardedCell(r[1]), range = UnguardedCell(r[2]);
        const std::string value = UnguardedCell(r[3]), grade = r[4];
        const std::string cells = "<TD class=td align=middle>" + item +
                                  "</TD><TD class=td align=middle>" + range +
                                  "</TD><TD class=td align=middle>";
        const std::size_t at = pages.find(cells + (grade.empty() ? "<font color=0000FF>" : "") +
                                          value + (grade.empty() ? "</font>" : "") + "</TD>");
        ASSERT_NE(at, std::string::npos) << item << " " << value;
        if (!grade.empty()) {
            ++graded;
            EXPECT_EQ(value.find(','), std::string::npos) << "a decimal point in every locale";
            const std::size_t rowEnd = pages.find("</TR>", at);
            EXPECT_NE(pages.substr(at, rowEnd - at).find(">" + grade + "</font>"),
                      std::string::npos)
                << item << " " << grade;
        }
    }
    // Every item of every report the person gets (a man of 40: all but the women's reports).
    std::vector<ItemResult> items;
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_EQ(LoadTestResults(db, measId, items), ResultsStatus::Found);
    EXPECT_EQ(records.size() - 1, items.size());
    EXPECT_GT(graded, 100);
}

TEST_P(ExchangeExportTest, ATestNeverAnalysedOrMissingWritesNothing) {
    const int group = AddGroup("Acme");
    const int person = AddPerson(group, "New", true, {{"Birthday", Date(1980, 1, 1)}});
    const std::int32_t measId = AddTest(person, Date(2024, 6, 1));
    const std::string path = WriteFile("results.csv", "kept");
    const ExportOutcome never = ExportResults(measId, path);
    EXPECT_FALSE(never.written);
    EXPECT_EQ(never.message, "Test " + std::to_string(measId) +
                                 " has not been analysed yet, so it has no results to export. "
                                 "Get its report first.");
    const ExportOutcome missing = ExportResults(measId + 100, path);
    EXPECT_EQ(missing.message,
              "There is no test " + std::to_string(measId + 100) + " in the database.");
    EXPECT_EQ(ReadBytes(path), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(install.path()),
                            std::filesystem::directory_iterator()),
              3) // DataBase, Reports and the file: no work file left behind
    ;
    const ExportOutcome noFolder =
        ExportPersons(group, (install.path() / "none" / "p.csv").string());
    EXPECT_FALSE(noFolder.written);
    EXPECT_TRUE(noFolder.message.starts_with("The file ")) << noFolder.message;
}

TEST_P(ExchangeExportTest, SummaryCountsTheGradesOfEachPersonsLatestTest) {
    const int group = AddGroup("Acme");
    const std::int32_t older = AnalysedTest(group, "Tested", {2024, 5, 1, 8, 0, 0});
    const int tested = Count("SELECT ExamerID AS cnt FROM MeasData WHERE MeasID=?", {older});
    const std::int32_t latest = AddTest(tested, Date(2024, 6, 2, 11, 45));
    {
        CAnalysisRun run(latest);
        ASSERT_EQ(run.Prepare(), PrepareResult::Ready);
        run.Run();
    }
    const int untested = AddPerson(group, "Untested", false, {{"Birthday", Date(1990, 3, 4)}});
    const int waiting = AddPerson(group, "=Waiting", false, {{"Birthday", Date(1991, 3, 4)}});
    AddTest(waiting, Date(2024, 6, 3));
    (void)untested;

    const std::string path = (install.path() / "summary.csv").string();
    const ExportOutcome outcome = ExportSummary(group, path);
    ASSERT_TRUE(outcome.written) << outcome.message;
    const auto records = ReadRecords(path);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0], (std::vector<std::string>{"Name", "Birthday", "Latest test", "Normal",
                                                    "Mildly abnormal", "Moderately abnormal",
                                                    "Severely abnormal", "Note"}));
    std::vector<ItemResult> items;
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    ASSERT_EQ(LoadTestResults(db, latest, items), ResultsStatus::Found);
    const GradeCounts c = CountGrades(items);
    EXPECT_EQ(records[1],
              (std::vector<std::string>{"Tested", "1984-05-20", "2024-06-02 11:45",
                                        std::to_string(c.normal), std::to_string(c.mild),
                                        std::to_string(c.moderate), std::to_string(c.severe), ""}));
    EXPECT_GT(c.normal + c.mild + c.moderate + c.severe, 100);
    EXPECT_EQ(records[2],
              (std::vector<std::string>{"Untested", "1990-03-04", "", "", "", "", "", "no test"}));
    EXPECT_EQ(records[3], (std::vector<std::string>{"'=Waiting", "1991-03-04", "2024-06-03 00:00",
                                                    "", "", "", "", "not analysed"}));
}

} // namespace
