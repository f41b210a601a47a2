#include "analysis/CReportWriter.h"

#include "analysis/Catalogue.h"
#include "analysis/PageFragments.h"
#include "common/OleDate.h"
#include "common/Utf16Text.h"
#include "data/Schema.h"
#include "data/StringTable.h"

#include <cstdio>
#include <cstring>

namespace hv {
namespace {

constexpr const char* kPersonQuery =
    "SELECT md.ExamerID, md.MeasDate, e.ExamerID AS PersonID, e.Name, e.Sex, e.Birthday, "
    "e.Result, e.Height, e.Weight FROM MeasData md LEFT JOIN Examer e ON "
    "md.ExamerID=e.ExamerID WHERE md.MeasID=?";

bool IsForbiddenInFileName(unsigned char c) {
    return c < 0x20 || c == 0x7F || std::strchr("<>:\"/\\|?*", c) != nullptr;
}

} // namespace

CReportWriter::LoadResult CReportWriter::LoadPerson(CAdoDb& db, std::int32_t key) {
    if (!db.OpenRecordset(kPersonQuery, {key}))
        return LoadResult::DatabaseError;
    if (db.IsEOF() || db.IsNull("PersonID")) {
        const LoadResult missing = db.IsEOF() ? LoadResult::TestMissing : LoadResult::PersonMissing;
        db.CloseRecordset();
        return missing;
    }
    measId = key;
    examerId = db.GetLong("ExamerID");
    name = db.GetText("Name");
    female = !SexIsMale(db.Field("Sex"));
    result = db.GetText("Result");
    height = db.GetText("Height");
    weight = db.GetText("Weight");
    figure = result + "(" + height + "cm," + weight + "kg)";
    const DateTime tested = FromOleDate(db.GetDouble("MeasDate"));
    age = WholeYearsBetween(FromOleDate(db.GetDouble("Birthday")), tested);
    testTime = FormatTestTime(tested, '/');
    db.CloseRecordset();
    return LoadResult::Loaded;
}

CReportWriter::LoadResult CReportWriter::LoadPerson(std::int32_t key) {
    CAdoDb db;
    if (!db.Open())
        return LoadResult::DatabaseError;
    return LoadPerson(db, key);
}

std::string CReportWriter::HtmlPageHead(std::string_view title, bool keepTitle) const {
    const std::string fullTitle = page::PageTitle(title, keepTitle);
    page::PageHeadFields fields;
    fields.title = fullTitle;
    fields.name = name;
    fields.sex = LoadString(female ? ids::Female : ids::Male);
    fields.age = age;
    fields.figure = figure;
    fields.testTime = testTime;
    return page::FormatPageHead(fields);
}

std::string CReportWriter::HtmlPageFoot() {
    return std::string(page::kPageFoot);
}

std::string ReportPageName(int slot, std::string_view reportName) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%02d-", ReportNumber(slot));
    return prefix + std::string(reportName);
}

std::string CompositePageName() {
    return "00-" + std::string(kCompositeFileName);
}

std::filesystem::path PagePath(std::string_view pageName) {
    std::string file(pageName);
    for (char& c : file)
        if (IsForbiddenInFileName(static_cast<unsigned char>(c)))
            c = '_';
    file += ".htm";
    return std::filesystem::path(kReportsFolder) / std::filesystem::path(file);
}

bool WritePage(std::string_view pageName, std::string_view text, std::string* error) {
    const std::filesystem::path path = PagePath(pageName);
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    if (text.empty())
        return true;
    std::string reason;
    if (WriteUtf16LeFile(path, text, reason))
        return true;
    if (error)
        *error = path.string() + ": " + reason;
    return false;
}

} // namespace hv
