#pragma once

#include "analysis/BodyComposition.h"
#include "analysis/CReportWriter.h"
#include "analysis/ReportValues.h"
#include "analysis/ValueRows.h"
#include "data/AdoDb.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hv {

// The analysis of one test: every report page that applies to the person, the summary of
// abnormal items and the composite page. Runs without a display; whoever shows progress
// passes an AnalysisProgress.

// The steps of a run: one per report slot, then the composite page.
inline constexpr int kAnalysisSteps = 41;

class AnalysisProgress {
public:
    virtual ~AnalysisProgress() = default;
    // Called on the thread that runs the analysis after step 1 .. kAnalysisSteps.
    virtual void StepDone(int step) = 0;
};

// The settings the pages depend on (the SetValue row; each read as a signed 16-bit value).
struct AnalysisSettings {
    std::int16_t ifProg = 0;         // read with the others, changes nothing
    std::int16_t reportStandard = 0; // pages carry the reference standard
    std::int16_t reportShuoMing = 0; // pages carry the parameter description
    std::int16_t ifCanChu = 0;       // grades as pictures instead of coloured words
};

enum class PrepareResult {
    Ready,
    DatabaseUnavailable,   // the connection failed (shown by the database layer)
    TestMissing,           // shown
    PersonMissing,         // shown
    ReportListUnavailable, // the query failed (shown by the database layer)
    SettingsUnavailable,   // the query failed (shown by the database layer)
    SettingsEmpty,         // the settings row is missing; nothing is shown
};

// Why a preparation failed, in a sentence for the operator (empty for Ready).
std::string PrepareFailureText(PrepareResult result, std::int32_t measId);

// Prepare and Run may be called on different threads, one after the other (the progress
// dialog prepares on its own thread and runs the analysis on a worker).
class CAnalysisRun {
public:
    explicit CAnalysisRun(std::int32_t measId);

    // Loads the person, the band shares, the report list and the settings, and keeps the
    // connection open for the run. Nothing is written; on failure Run does nothing.
    PrepareResult Prepare();

    // Stores the test's new value rows and its summary of abnormal items, writes the page of
    // every slot (an empty page removes the slot's old file) and the composite page,
    // reporting each step.
    void Run(AnalysisProgress* progress = nullptr);

    // The page of one slot, from the values Run stored or the database holds; empty when
    // the slot does not apply to the person.
    std::string BuildReportPage(int slot);

    // Whether a slot's report is produced for the person: for 12 or younger only reports
    // R15, R23, R24, R30 and R39; otherwise the report's sex code "A", or "M" / "F".
    bool SlotApplies(int slot) const;

    const CReportWriter& Person() const { return m_person; }
    const BandShares& Shares() const { return m_shares; }
    const AnalysisSettings& Settings() const { return m_settings; }
    const std::array<std::string, 40>& ReportNames() const { return m_names; }

    // After Run: the files written, and the pages that could not be written.
    const std::vector<std::string>& PagesWritten() const { return m_written; }
    const std::vector<std::string>& PagesLost() const { return m_lost; }

private:
    bool LoadReportList();
    PrepareResult LoadSettings();
    enum class StoreOutcome { Stored, StoredWithoutSummary, NotStored, Conflict };
    void StoreRowsAndSummary();
    StoreOutcome TryStoreRowsAndSummary();
    bool UpdateSummary();
    void EnsureRow(int slot);
    RowQuery StoredRow(int slot, std::vector<DbValue>& values);
    std::string BuildResultTable(int slot);
    std::string ItemResults(int slot);
    std::string TextResults();
    std::string BodyCompositionResults();
    void WriteComposite();
    void Write(const std::string& pageName, const std::string& text);

    std::int32_t m_measId;
    CAdoDb m_db;
    bool m_prepared = false;
    CReportWriter m_person;
    BandShares m_shares;
    AnalysisSettings m_settings;
    std::array<std::string, 40> m_names;
    std::array<std::string, 40> m_sexCodes;
    bool m_bodyMeasuresValid = false;
    BodyMeasures m_body;
    bool m_bodyMessageShown = false;
    // The rows this run has read or stored (kept only once they are known to be stored).
    std::array<std::optional<std::vector<DbValue>>, 40> m_rows;
    std::vector<std::string> m_written;
    std::vector<std::string> m_lost;
    std::string m_firstWriteError;
};

} // namespace hv
