#include "exchange/PersonImport.h"

#include "data/OperatorTexts.h"
#include "exchange/CsvReader.h"
#include "exchange/FormulaGuard.h"
#include "persons/PersonRules.h"
#include "persons/PersonText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <optional>

namespace hv {
namespace {

enum Column {
    Name,
    Sex,
    Birthday,
    Height,
    Weight,
    Telephone,
    Mobile,
    Email,
    Company,
    Job,
    Address,
    Remark,
    ColumnCount
};

struct ColumnName {
    std::string_view name;
    Column column;
};
constexpr std::array kColumnNames{
    ColumnName{"name", Name},     ColumnName{"sex", Sex},        ColumnName{"birthday", Birthday},
    ColumnName{"height", Height}, ColumnName{"weight", Weight},  ColumnName{"telephone", Telephone},
    ColumnName{"mobile", Mobile}, ColumnName{"email", Email},    ColumnName{"company", Company},
    ColumnName{"job", Job},       ColumnName{"occupation", Job}, ColumnName{"address", Address},
    ColumnName{"remark", Remark},
};
constexpr std::array<std::string_view, 3> kRequired{"Name", "Sex", "Birthday"};

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::optional<Column> ColumnOf(std::string_view header) {
    const std::string name = Lower(Trimmed(header));
    for (const ColumnName& c : kColumnNames)
        if (c.name == name)
            return c.column;
    return std::nullopt;
}

std::string OnLine(long line, std::string_view problem) {
    return texts::FillText(texts::kOnLine, {std::to_string(line), problem});
}

std::string_view FaultText(CsvFault fault) {
    switch (fault) {
    case CsvFault::None:
        return {};
    case CsvFault::Empty:
        return texts::kFileEmpty;
    case CsvFault::NotText:
        return texts::kFileNotText;
    case CsvFault::NulByte:
        return texts::kFileNulByte;
    case CsvFault::BadQuote:
        return texts::kFileBadQuote;
    case CsvFault::UnclosedQuote:
        return texts::kFileUnclosedQuote;
    case CsvFault::FieldTooLong:
        return texts::kFileFieldTooLong;
    case CsvFault::HeaderTooLong:
        return texts::kFileHeaderTooLong;
    case CsvFault::TooManyColumns:
        return texts::kFileTooManyColumns;
    case CsvFault::ReadFailed:
        break;
    }
    return texts::kFileNotRead;
}

std::optional<bool> ParseSex(std::string_view text) {
    const std::string sex = Lower(Trimmed(text));
    if (sex == "m" || sex == "male")
        return true;
    if (sex == "f" || sex == "female")
        return false;
    return std::nullopt;
}

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// A date written yyyy-mm-dd, as an automation date at midnight (as the editor stores it).
std::optional<double> ParseIsoDate(std::string_view text) {
    text = Trimmed(text);
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    int y = 0, m = 0, d = 0;
    if (!ReadWholeNumber(text.substr(0, 4), y) || !ReadWholeNumber(text.substr(5, 2), m) ||
        !ReadWholeNumber(text.substr(8, 2), d) || y < 1000 || m < 1 || m > 12 || d < 1)
        return std::nullopt;
    constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int days = kDays[static_cast<std::size_t>(m - 1)] + (m == 2 && IsLeapYear(y) ? 1 : 0);
    if (d > days)
        return std::nullopt;
    return ToOleDate({y, m, d, 0, 0, 0});
}

bool AllEmpty(const std::vector<std::string>& fields) {
    return std::all_of(fields.begin(), fields.end(),
                       [](const std::string& f) { return Trimmed(f).empty(); });
}

// Turns the records of a file into checked rows.
class RowReader {
public:
    RowReader(int groupId, const DateTime& today, PersonKeys& keys, const ImportHandlers& handlers)
        : m_groupId(groupId), m_today(today), m_keys(keys), m_handlers(handlers) {
        m_columns.fill(-1);
    }

    static int RateHeader(const std::vector<std::string>& fields) {
        return static_cast<int>(std::count_if(
            fields.begin(), fields.end(), [](const auto& f) { return ColumnOf(f).has_value(); }));
    }

    bool Record(const CsvRecord& record) {
        if (!m_headerRead)
            return Header(record);
        if (AllEmpty(record.fields))
            return true; // a row of empty cells, as spreadsheets write below their data
        ImportRow row;
        row.line = record.line;
        Check(record, row);
        Count(row.status);
        return !m_handlers.row || m_handlers.row(row);
    }

    ImportSummary& Summary() { return m_summary; }
    bool HeaderRead() const { return m_headerRead; }
    bool HadRows() const { return m_summary.valid + m_summary.invalid + m_summary.duplicates > 0; }
    void Fail(long line, std::string_view problem) { m_summary.problem = OnLine(line, problem); }

private:
    bool Header(const CsvRecord& record) {
        m_headerRead = true;
        m_headerFields = record.fieldCount;
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            const std::optional<Column> column = ColumnOf(record.fields[i]);
            if (!column)
                continue;
            if (m_columns[*column] >= 0) {
                Fail(record.line, texts::FillText(texts::kImportRepeatedColumn,
                                                  {std::string(Trimmed(record.fields[i]))}));
                return false;
            }
            m_columns[*column] = static_cast<int>(i);
        }
        for (std::size_t k = 0; k < kRequired.size(); ++k)
            if (m_columns[k] < 0) {
                Fail(record.line, texts::FillText(texts::kImportMissingColumn, {kRequired[k]}));
                return false;
            }
        return true;
    }

    std::string Field(const CsvRecord& record, Column column) const {
        const int index = m_columns[column];
        if (index < 0 || static_cast<std::size_t>(index) >= record.fields.size())
            return {};
        return UnguardedCell(record.fields[static_cast<std::size_t>(index)]);
    }

    void Check(const CsvRecord& record, ImportRow& row) {
        if (record.fieldCount != m_headerFields) {
            row.status = ImportStatus::Invalid;
            row.message =
                texts::FillText(texts::kImportFieldCount, {std::to_string(record.fieldCount),
                                                           std::to_string(m_headerFields)});
            return;
        }
        PersonRecord& p = row.person;
        p.groupId = m_groupId;
        p.name = Field(record, Name);
        EntryReadProblems problems;
        const std::string sex = Field(record, Sex);
        if (const std::optional<bool> male = ParseSex(sex))
            p.male = *male;
        else
            problems.sex = texts::FillText(texts::kImportBadSex, {sex});
        const std::string birthday = Field(record, Birthday);
        p.birthday = ParseIsoDate(birthday);
        if (!p.birthday)
            problems.birthday = texts::FillText(texts::kImportBadBirthday, {birthday});
        p.height = Field(record, Height);
        p.weight = Field(record, Weight);
        p.telephone = Field(record, Telephone);
        p.mobile = Field(record, Mobile);
        p.email = Field(record, Email);
        p.company = Field(record, Company);
        p.job = Field(record, Job);
        p.address = Field(record, Address);
        p.remark = Field(record, Remark);
        if (const auto problem = PrepareForSave(p, m_today, problems)) {
            row.status = ImportStatus::Invalid;
            row.message = problem->message;
            return;
        }
        const long earlier = m_keys.Add(p.name, *p.birthday, row.line);
        if (earlier >= 0) {
            const std::string born = FormatOleDate(*p.birthday);
            row.status = ImportStatus::Duplicate;
            row.message = earlier == 0 ? texts::FillText(texts::kImportDuplicate, {p.name, born})
                                       : texts::FillText(texts::kImportDuplicateInFile,
                                                         {p.name, born, std::to_string(earlier)});
        }
    }

    void Count(ImportStatus status) {
        switch (status) {
        case ImportStatus::Valid:
            ++m_summary.valid;
            break;
        case ImportStatus::Invalid:
            ++m_summary.invalid;
            break;
        case ImportStatus::Duplicate:
            ++m_summary.duplicates;
            break;
        }
    }

    int m_groupId;
    DateTime m_today;
    PersonKeys& m_keys;
    const ImportHandlers& m_handlers;
    ImportSummary m_summary;
    bool m_headerRead = false;
    std::size_t m_headerFields = 0;
    std::array<int, ColumnCount> m_columns{};
};

} // namespace

long PersonKeys::Add(const std::string& name, double birthday, long line) {
    const std::string key = name + '\x1f' + FormatOleDate(birthday);
    std::uint64_t fnv = 14695981039346656037ull; // FNV-1a
    for (char c : key)
        fnv = (fnv ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    const Digest digest{fnv, std::hash<std::string>{}(key)};
    const auto [it, added] = m_keys.emplace(digest, line);
    return added ? -1 : it->second;
}

ImportSummary ReadPersonsFile(const std::filesystem::path& file, int groupId, const DateTime& today,
                              PersonKeys& keys, const ImportHandlers& handlers) {
    std::ifstream in(file, std::ios::binary);
    std::error_code error;
    const std::uint64_t fileBytes = std::filesystem::file_size(file, error);
    if (!in || error || std::filesystem::is_directory(file, error)) {
        ImportSummary failed;
        failed.problem = texts::FillText(texts::kFileNotOpened, {file.string()});
        return failed;
    }
    return ReadPersons(in, fileBytes, groupId, today, keys, handlers);
}

ImportSummary ReadPersons(std::istream& in, std::uint64_t fileBytes, int groupId,
                          const DateTime& today, PersonKeys& keys, const ImportHandlers& handlers) {
    RowReader rows(groupId, today, keys, handlers);
    CsvReadHandlers csv;
    csv.rateHeader = &RowReader::RateHeader;
    csv.record = [&rows](const CsvRecord& record) { return rows.Record(record); };
    if (handlers.progress)
        csv.progress = [&](std::uint64_t bytes) {
            handlers.progress(bytes, std::max(bytes, fileBytes));
        };
    const CsvReadResult result = ReadCsv(in, csv);
    ImportSummary& summary = rows.Summary();
    if (!summary.problem.empty())
        return summary; // a header problem, already described
    if (result.fault != CsvFault::None)
        rows.Fail(result.line, FaultText(result.fault));
    else if (result.stopped)
        summary.stopped = true;
    else if (!rows.HadRows())
        rows.Fail(result.line ? result.line : 2, texts::kImportNoRows);
    return summary;
}

bool ReadWholeNumber(std::string_view text, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

} // namespace hv
