#include "analysis/CReportWriter.h"

#include "analysis/Catalogue.h"
#include "analysis/PageFragments.h"
#include "common/OleDate.h"
#include "data/Schema.h"
#include "data/StringTable.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace hv {
namespace {

constexpr const char* kPersonQuery =
    "SELECT md.ExamerID, md.MeasDate, e.ExamerID AS PersonID, e.Name, e.Sex, e.Birthday, "
    "e.Result, e.Height, e.Weight FROM MeasData md LEFT JOIN Examer e ON "
    "md.ExamerID=e.ExamerID WHERE md.MeasID=?";

std::string FormatTestTime(const DateTime& t) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute);
    return buffer;
}

bool IsForbiddenInFileName(unsigned char c) {
    return c < 0x20 || c == 0x7F || std::strchr("<>:\"/\\|?*", c) != nullptr;
}

// Decodes one UTF-8 sequence at text[i]; returns U+FFFD for a malformed one and advances i.
char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i++);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return 0xFFFD;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (byte(i) & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (byte(i++) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0xFFFD;
    return cp;
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
    testTime = FormatTestTime(tested);
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
    const std::string bytes = Utf8ToUtf16Le(text);
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out)
        out.write("\xFF\xFE", 2).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (out)
        out.close();
    if (out)
        return true;
    if (error)
        *error = path.string() + ": " + (errno ? std::strerror(errno) : "write failed");
    return false;
}

std::string Utf8ToUtf16Le(std::string_view text) {
    // Every UTF-8 sequence needs at most twice its length in UTF-16 (a surrogate pair for
    // four bytes), so the result fits in twice the input.
    std::string out(text.size() * 2, '\0');
    std::size_t n = 0;
    const auto put = [&](char32_t unit) {
        out[n++] = static_cast<char>(unit & 0xFF);
        out[n++] = static_cast<char>((unit >> 8) & 0xFF);
    };
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) { // most of a page
            out[n] = text[i++];
            n += 2;
            continue;
        }
        const char32_t cp = DecodeUtf8(text, i);
        if (cp < 0x10000) {
            put(cp);
        } else {
            put(0xD800 + ((cp - 0x10000) >> 10));
            put(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    out.resize(n);
    return out;
}

} // namespace hv
