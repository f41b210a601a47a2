#include "settings/ReportPreferences.h"

namespace hv {
namespace {

int StoredSwitch(const std::optional<bool>& value) {
    return value.value_or(false) ? 1 : 0;
}

} // namespace

std::optional<ReportPreferences> LoadReportPreferences() {
    CAdoDb db;
    if (!db.Open() || !db.OpenRecordset("select * from SetValue"))
        return std::nullopt;
    ReportPreferences preferences;
    if (!db.IsEOF()) {
        preferences.showStandard = db.GetFlag("ReportStandard");
        preferences.showDescription = db.GetFlag("ReportShuoMing");
        preferences.graphMode = db.GetFlag("IfCanChu");
    }
    return preferences;
}

SaveResult SaveReportPreferences(const ReportPreferences& preferences) {
    return UpdateSettingsRow("ReportStandard=?,ReportShuoMing=?,IfCanChu=?",
                             {StoredSwitch(preferences.showStandard),
                              StoredSwitch(preferences.showDescription),
                              StoredSwitch(preferences.graphMode)});
}

} // namespace hv
