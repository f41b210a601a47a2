#include "settings/Sensitivity.h"

#include <algorithm>
#include <cmath>

namespace hv {

int SensitivityFromStored(const DbValue& stored) {
    if (stored.IsNull())
        return kSensitivityDefault;
    const double value = stored.AsDouble();
    if (std::isnan(value))
        return kSensitivityDefault;
    const double clamped = std::clamp(value, double{kSensitivityMin}, double{kSensitivityMax});
    return static_cast<int>(std::lround(clamped));
}

int LoadSensitivity() {
    CAdoDb db;
    if (!db.Open() || !db.OpenRecordset("select MachineLM from SetValue") || db.IsEOF())
        return kSensitivityDefault;
    return SensitivityFromStored(db.Field("MachineLM"));
}

SaveResult SaveSensitivity(int level) {
    return UpdateSettingsRow("MachineLM=?", {std::clamp(level, kSensitivityMin, kSensitivityMax)});
}

} // namespace hv
