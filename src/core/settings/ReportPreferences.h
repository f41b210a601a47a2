#pragma once

#include "settings/SettingsRow.h"

#include <optional>

namespace hv {

// The three switches that decide what a generated report page contains and how it shows
// an abnormal result. A switch without a value is one the settings table could not supply
// (it has no row); the window then leaves both of its buttons clear.
struct ReportPreferences {
    std::optional<bool> showStandard;    // ReportStandard: the reference-standard section
    std::optional<bool> showDescription; // ReportShuoMing: the parameter-description section
    std::optional<bool> graphMode;       // IfCanChu: abnormal grades as pictures, not text
};

// Reads the switches from the first settings row: any value whose low 16 bits are non-zero
// is on, so a Yes/No column's -1 and an integer column's 1 both mean on. Without a row
// every switch is unset. nullopt when the database or the table could not be opened
// (already reported).
std::optional<ReportPreferences> LoadReportPreferences();

// Stores the switches as 1 (on) or 0 (off); an unset switch is stored as off.
SaveResult SaveReportPreferences(const ReportPreferences& preferences);

} // namespace hv
