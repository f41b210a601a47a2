#include "analysis/AnalysisRun.h"

#include "analysis/Catalogue.h"
#include "analysis/CompositeReport.h"
#include "analysis/Grading.h"
#include "analysis/PageFragments.h"
#include "analysis/ReportTexts.h"
#include "analysis/ValueRows.h"
#include "data/MessageSink.h"
#include "data/OperatorTexts.h"
#include "data/Transaction.h"

#include <algorithm>

namespace hv {
namespace {

std::int16_t Low16(const DbValue& v) {
    return static_cast<std::int16_t>(v.AsInt64() & 0xFFFF);
}

std::size_t Index(int slot) {
    return static_cast<std::size_t>(slot);
}

// How often the rows of a test are stored before a conflict with another station writing
// at the same moment counts as a failure.
constexpr int kStoreAttempts = 5;

} // namespace

std::string PrepareFailureText(PrepareResult result, std::int32_t measId) {
    const std::string test = std::to_string(measId);
    switch (result) {
    case PrepareResult::Ready:
        return {};
    case PrepareResult::DatabaseUnavailable:
        return std::string(texts::kAnalysisNoDatabase);
    case PrepareResult::TestMissing:
        return texts::FillText(texts::kAnalysisNoTest, {test});
    case PrepareResult::PersonMissing:
        return texts::FillText(texts::kAnalysisNoPerson, {test});
    case PrepareResult::ReportListUnavailable:
        return std::string(texts::kAnalysisNoReportList);
    case PrepareResult::SettingsUnavailable:
        return std::string(texts::kAnalysisNoSettings);
    case PrepareResult::SettingsEmpty:
        return std::string(texts::kAnalysisSettingsEmpty);
    }
    return {};
}

CAnalysisRun::CAnalysisRun(std::int32_t measId) : m_measId(measId) {}

PrepareResult CAnalysisRun::Prepare() {
    m_prepared = false;
    if (!m_db.Open())
        return PrepareResult::DatabaseUnavailable;
    switch (m_person.LoadPerson(m_db, m_measId)) {
    case CReportWriter::LoadResult::Loaded:
        break;
    case CReportWriter::LoadResult::DatabaseError:
        return PrepareResult::DatabaseUnavailable;
    case CReportWriter::LoadResult::TestMissing:
        ShowMessage(PrepareFailureText(PrepareResult::TestMissing, m_measId));
        return PrepareResult::TestMissing;
    case CReportWriter::LoadResult::PersonMissing:
        ShowMessage(PrepareFailureText(PrepareResult::PersonMissing, m_measId));
        return PrepareResult::PersonMissing;
    }
    m_shares = ComputeBandShares(m_person.result, m_person.age);
    m_bodyMeasuresValid =
        ParseBodyMeasures(m_person.height, m_person.weight, m_person.female, m_person.age, m_body);
    if (!LoadReportList())
        return PrepareResult::ReportListUnavailable;
    const PrepareResult settings = LoadSettings();
    m_prepared = settings == PrepareResult::Ready;
    return settings;
}

bool CAnalysisRun::LoadReportList() {
    if (!m_db.OpenRecordset("SELECT ReportName, Sex FROM ReportList ORDER BY ReportNo"))
        return false;
    // The first 40 rows are the slots; slots without a row keep empty names and codes.
    m_names = {};
    m_sexCodes = {};
    for (std::size_t slot = 0; slot < m_names.size() && !m_db.IsEOF(); ++slot, m_db.MoveNext()) {
        m_names[slot] = m_db.GetText("ReportName");
        m_sexCodes[slot] = m_db.GetText("Sex");
    }
    m_db.CloseRecordset();
    return true;
}

PrepareResult CAnalysisRun::LoadSettings() {
    if (!m_db.OpenRecordset("SELECT * FROM SetValue LIMIT 1"))
        return PrepareResult::SettingsUnavailable;
    if (m_db.IsEOF())
        return PrepareResult::SettingsEmpty;
    m_settings.ifProg = Low16(m_db.Field("IfProg"));
    m_settings.reportStandard = Low16(m_db.Field("ReportStandard"));
    m_settings.reportShuoMing = Low16(m_db.Field("ReportShuoMing"));
    m_settings.ifCanChu = Low16(m_db.Field("IfCanChu"));
    m_db.CloseRecordset();
    return PrepareResult::Ready;
}

bool CAnalysisRun::SlotApplies(int slot) const {
    if (slot < 0 || slot >= kReportSlotCount)
        return false;
    if (GetsChildReports(m_person.age))
        return std::find(kChildSlots.begin(), kChildSlots.end(), slot) != kChildSlots.end();
    const std::string& code = m_sexCodes[Index(slot)];
    return code == "A" || code == (m_person.female ? "F" : "M");
}

void CAnalysisRun::Run(AnalysisProgress* progress) {
    if (!m_prepared)
        return;
    m_written.clear();
    m_lost.clear();
    m_firstWriteError.clear();
    m_rows = {};
    m_bodyMessageShown = false;
    StoreRowsAndSummary();
    for (int slot = 0; slot < kReportSlotCount; ++slot) {
        Write(ReportPageName(slot, m_names[Index(slot)]), BuildReportPage(slot));
        if (progress)
            progress->StepDone(slot + 1);
    }
    WriteComposite();
    if (!m_lost.empty())
        ShowMessage(std::string(texts::kPagesLost) + m_firstWriteError);
    if (progress)
        progress->StepDone(kAnalysisSteps);
}

// The test's new value rows and its summary are stored in one transaction before any page
// is written, so every page shows stored values and the summary always matches them.
// Another station analysing the same test at the same moment makes one of the two wait, or
// (on a server) conflict; a conflict undoes this attempt and the next one reads back what
// the other station stored.
void CAnalysisRun::StoreRowsAndSummary() {
    for (int attempt = 1; attempt <= kStoreAttempts; ++attempt) {
        m_db.HoldBackConflicts(attempt < kStoreAttempts);
        const StoreOutcome outcome = TryStoreRowsAndSummary();
        m_db.HoldBackConflicts(false);
        if (outcome != StoreOutcome::Conflict) {
            if (outcome == StoreOutcome::NotStored)
                ShowMessage(std::string(texts::kValuesNotStored));
            else if (outcome == StoreOutcome::StoredWithoutSummary)
                ShowMessage(std::string(texts::kSummaryNotStored));
            return;
        }
    }
}

CAnalysisRun::StoreOutcome CAnalysisRun::TryStoreRowsAndSummary() {
    m_rows = {};
    WriteTransaction transaction(m_db);
    bool stored = transaction.BeginForTest(m_measId);
    for (int slot = 0; slot < kReportSlotCount && stored; ++slot) {
        if (!SlotApplies(slot))
            continue;
        EnsureRow(slot);
        stored = transaction.Active() && !m_db.ConflictHeldBack();
    }
    const bool summarised = stored && UpdateSummary();
    const bool committed = stored && !m_db.ConflictHeldBack() && transaction.Commit();
    if (m_db.ConflictHeldBack()) {
        m_rows = {};
        return StoreOutcome::Conflict;
    }
    if (!committed) {
        m_rows = {}; // what was kept was not stored: the pages read what is
        return StoreOutcome::NotStored;
    }
    return summarised ? StoreOutcome::Stored : StoreOutcome::StoredWithoutSummary;
}

// Replaces the test's summary rows unless they already say the same; a failure keeps the
// earlier rows.
bool CAnalysisRun::UpdateSummary() {
    const AbnormalItems found = CollectAbnormalItems(
        [&](int slot, std::vector<DbValue>& values) { return StoredRow(slot, values); }, m_names);
    return found.complete && ReplaceSummary(m_db, m_measId, found.items);
}

void CAnalysisRun::EnsureRow(int slot) {
    std::vector<DbValue> row;
    RowState state = RowState::Failed;
    if (slot == kTextReportSlot) {
        state = EnsureTextRow(m_db, m_measId, &row);
    } else if (slot == kBodyCompositionSlot) {
        if (m_bodyMeasuresValid)
            state = EnsureBodyCompositionRow(m_db, m_measId, m_person.examerId, m_body, &row);
    } else {
        state = EnsureNumericRow(m_db, slot, {m_measId, m_person.examerId, m_person.age, m_shares},
                                 &row);
    }
    if (state != RowState::Failed)
        m_rows[Index(slot)] = std::move(row);
}

RowQuery CAnalysisRun::StoredRow(int slot, std::vector<DbValue>& values) {
    if (const auto& kept = m_rows[Index(slot)]) {
        values = *kept;
        return RowQuery::Found;
    }
    return ReadValueRow(m_db, ReportNumber(slot), m_measId, values);
}

std::string CAnalysisRun::BuildReportPage(int slot) {
    if (!m_prepared || !SlotApplies(slot))
        return {};
    std::string page = m_person.HtmlPageHead(m_names[Index(slot)], false);
    page += BuildResultTable(slot);
    if (m_settings.reportStandard)
        page += ReferenceText(slot);
    if (m_settings.reportShuoMing)
        page += DescriptionText(slot);
    page += CReportWriter::HtmlPageFoot();
    return page;
}

std::string CAnalysisRun::BuildResultTable(int slot) {
    if (slot == kTextReportSlot)
        return TextResults();
    if (slot == kBodyCompositionSlot)
        return BodyCompositionResults();
    return ItemResults(slot);
}

std::string CAnalysisRun::ItemResults(int slot) {
    std::string table(page::ResultsTableHead(true));
    ReportItems items;
    std::vector<DbValue> values;
    if (!GetReportItems(slot, items) || StoredRow(slot, values) != RowQuery::Found)
        return table;
    for (std::size_t i = 0; i < items.ranges.size(); ++i) {
        const ItemRange& range = items.ranges[i];
        const DbValue value = i < values.size() ? values[i] : DbValue();
        std::string valueCell = "&nbsp;", mark = "&nbsp;";
        if (!value.IsNull()) {
            const int item = static_cast<int>(i) + 1;
            valueCell = page::FormatFixed3(value.AsDouble());
            mark = GradeMark(m_settings.ifCanChu != 0, GradeValue(range, value.AsDouble()), slot,
                             item);
        }
        table += "<TR class=td align=left bgcolor=ebf5fb><TD class=td align=middle>";
        table += items.names[i];
        table += "</TD><TD class=td align=middle>" + NormalRangeText(range);
        table += "</TD><TD class=td align=middle>" + valueCell;
        table += "</TD><TD class=td align=middle>" + mark + "</TD></TR>";
    }
    table += "</TABLE>";
    return table;
}

std::string CAnalysisRun::TextResults() {
    std::string table(page::ResultsTableHead(false));
    std::vector<DbValue> values;
    if (StoredRow(kTextReportSlot, values) != RowQuery::Found)
        return table;
    // The page shows Value02 .. Value05; Value01 is stored only.
    for (std::size_t i = 0; i < TextReportItems.size(); ++i) {
        const std::string shown = i + 1 < values.size() ? values[i + 1].AsText() : std::string();
        table += "<TR class=td align=left bgcolor=ebf5fb><TD class=td align=middle>";
        table += TextReportItems[i].name;
        table += "</TD><TD class=td align=middle>";
        table += TextReportItems[i].normalRange;
        table += "</TD><TD class=td align=middle><font color=0000FF>" + page::HtmlEscape(shown) +
                 "</font></TD></TR>";
    }
    table += "</TABLE>";
    return table;
}

std::string CAnalysisRun::BodyCompositionResults() {
    if (!m_bodyMeasuresValid) {
        if (!m_bodyMessageShown)
            ShowMessage(std::string(texts::kBodyMeasuresInvalid));
        m_bodyMessageShown = true;
        return {};
    }
    std::vector<DbValue> values;
    if (StoredRow(kBodyCompositionSlot, values) != RowQuery::Found)
        return {};
    return BodyCompositionBody(values, m_body);
}

void CAnalysisRun::WriteComposite() {
    const std::string rows = BuildAdviceRows(m_db, m_measId, m_person.female, m_person.age);
    Write(CompositePageName(), CompositePageText(m_person, rows));
}

void CAnalysisRun::Write(const std::string& pageName, const std::string& text) {
    std::string error;
    const bool written = WritePage(pageName, text, &error);
    if (text.empty())
        return;
    const std::string path = PagePath(pageName).generic_string();
    if (written) {
        m_written.push_back(path);
        return;
    }
    if (m_lost.empty())
        m_firstWriteError = error;
    m_lost.push_back(path);
}

} // namespace hv
