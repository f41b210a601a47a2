#include "exchange/RegisterExport.h"

#include "analysis/TestResults.h"
#include "common/OleDate.h"
#include "common/WorkFiles.h"
#include "data/AdoDb.h"
#include "data/OperatorTexts.h"
#include "data/Schema.h"
#include "exchange/CsvWriter.h"
#include "exchange/PersonImport.h"
#include "persons/PersonText.h"

#include <cstdio>
#include <functional>
#include <unordered_map>

namespace hv {
namespace {

// Writes the rows through a work file and publishes it.
ExportOutcome WriteFile(const std::filesystem::path& file,
                        const std::function<bool(CsvWriter&, std::string&)>& rows) {
    ExportOutcome outcome;
    std::string error;
    PublishedFile published;
    CsvWriter writer;
    if (!published.Create(file, "export", error) || !writer.Open(published.path())) {
        outcome.message = texts::FillText(texts::kExportNotWritten,
                                          {file.string(), error.empty() ? texts::kRefused : error});
        return outcome;
    }
    std::string reason;
    if (!rows(writer, reason)) {
        outcome.message = reason;
        return outcome;
    }
    if (!writer.Close()) {
        outcome.message =
            texts::FillText(texts::kExportNotWritten, {file.string(), texts::kRefused});
        return outcome;
    }
    if (!published.Publish(error)) {
        outcome.message = texts::FillText(texts::kExportNotWritten, {file.string(), error});
        return outcome;
    }
    outcome.written = true;
    outcome.rows = writer.Rows() - 1;
    return outcome;
}

std::string DatabaseUnread(const std::filesystem::path& file) {
    return texts::FillText(texts::kExportNotWritten, {file.string(), texts::kExportDatabaseUnread});
}

std::string BirthdayText(const CAdoDb& db) {
    return db.IsNull("Birthday") ? std::string() : FormatOleDate(db.GetDouble("Birthday"));
}

} // namespace

ExportOutcome ExportPersons(int groupId, const std::filesystem::path& file) {
    return WriteFile(file, [&](CsvWriter& out, std::string& reason) {
        CAdoDb db;
        if (!db.Open() ||
            !db.OpenRecordset("SELECT * FROM Examer WHERE GroupID=? ORDER BY ExamerID",
                              {groupId})) {
            reason = DatabaseUnread(file);
            return false;
        }
        out.Text("Name").Text("Sex").Text("Birthday").Text("Height").Text("Weight");
        out.Text("Telephone").Text("Mobile").Text("Email").Text("Company").Text("Job");
        out.Text("Address").Text("Remark").EndRow();
        for (; !db.IsEOF(); db.MoveNext()) {
            out.Text(db.GetText("Name")).Text(SexIsMale(db.Field("Sex")) ? "M" : "F");
            out.Text(BirthdayText(db)).Text(db.GetText("Height")).Text(db.GetText("Weight"));
            for (const char* column :
                 {"Telephone", "Mobile", "Email", "Company", "Job", "Address", "Remark"})
                out.Text(db.GetText(column));
            out.EndRow();
        }
        return true;
    });
}

ExportOutcome ExportResults(std::int32_t measId, const std::filesystem::path& file) {
    return WriteFile(file, [&](CsvWriter& out, std::string& reason) {
        CAdoDb db;
        std::vector<ItemResult> items;
        const ResultsStatus status =
            db.Open() ? LoadTestResults(db, measId, items) : ResultsStatus::Failed;
        const std::string id = std::to_string(measId);
        if (status != ResultsStatus::Found) {
            reason = status == ResultsStatus::NoTest ? texts::FillText(texts::kExportNoTest, {id})
                     : status == ResultsStatus::NotAnalysed
                         ? texts::FillText(texts::kExportNotAnalysed, {id})
                         : DatabaseUnread(file);
            return false;
        }
        out.Text(texts::kColumnReport).Text(texts::kColumnItem).Text(texts::kColumnNormalRange);
        out.Text(texts::kColumnValue).Text(texts::kColumnGrade).EndRow();
        for (const ItemResult& r : items) {
            out.Text(r.report).Text(r.item).Text(r.normalRange);
            // A number's text goes out as it is; the text report's values are text cells.
            if (r.gradeCode != 0)
                out.Number(r.number, 3);
            else
                out.Text(r.value);
            out.Text(r.grade).EndRow();
        }
        return true;
    });
}

namespace {

struct LatestTest {
    std::int32_t measId = 0;
    double measDate = 0.0;
};

// The latest test of each person of a group (by date, then by key), in one query.
bool LoadLatestTests(CAdoDb& db, int groupId, std::unordered_map<int, LatestTest>& latest) {
    if (!db.OpenRecordset("SELECT m.ExamerID, m.MeasID, m.MeasDate FROM MeasData m "
                          "INNER JOIN Examer e ON e.ExamerID=m.ExamerID WHERE e.GroupID=? "
                          "ORDER BY m.ExamerID, m.MeasDate DESC, m.MeasID DESC",
                          {groupId}))
        return false;
    for (; !db.IsEOF(); db.MoveNext())
        latest.try_emplace(db.GetLong("ExamerID"),
                           LatestTest{db.GetLong("MeasID"), db.GetDouble("MeasDate")});
    db.CloseRecordset();
    return true;
}

} // namespace

ExportOutcome ExportSummary(int groupId, const std::filesystem::path& file) {
    return WriteFile(file, [&](CsvWriter& out, std::string& reason) {
        CAdoDb db, persons;
        std::unordered_map<int, LatestTest> latest;
        if (!db.Open() || !persons.Open() || !LoadLatestTests(db, groupId, latest) ||
            !persons.OpenRecordset(
                "SELECT ExamerID, Name, Birthday FROM Examer WHERE GroupID=? ORDER BY ExamerID",
                {groupId})) {
            reason = DatabaseUnread(file);
            return false;
        }
        out.Text("Name").Text("Birthday").Text(texts::kColumnLatestTest);
        out.Text(texts::kColumnNormal).Text(texts::kColumnMild).Text(texts::kColumnModerate);
        out.Text(texts::kColumnSevere).Text(texts::kColumnNote).EndRow();
        for (; !persons.IsEOF(); persons.MoveNext()) {
            out.Text(persons.GetText("Name")).Text(BirthdayText(persons));
            const auto test = latest.find(persons.GetLong("ExamerID"));
            if (test == latest.end()) {
                out.Text("")
                    .Text("")
                    .Text("")
                    .Text("")
                    .Text("")
                    .Text(texts::kSummaryNoTest)
                    .EndRow();
                continue;
            }
            out.Text(FormatTestTime(FromOleDate(test->second.measDate), '-'));
            std::vector<ItemResult> items;
            const ResultsStatus status = LoadTestResults(db, test->second.measId, items);
            if (status == ResultsStatus::Failed) {
                reason = DatabaseUnread(file);
                return false;
            }
            if (status != ResultsStatus::Found) {
                out.Text("").Text("").Text("").Text("").Text(texts::kSummaryNotAnalysed).EndRow();
                continue;
            }
            const GradeCounts counts = CountGrades(items);
            out.Integer(counts.normal).Integer(counts.mild).Integer(counts.moderate);
            out.Integer(counts.severe).Text("").EndRow();
        }
        return true;
    });
}

} // namespace hv
