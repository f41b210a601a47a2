#pragma once

#include "data/DbValue.h"
#include "settings/SettingsRow.h"

namespace hv {

// The detector's sensitivity level kept in SetValue.MachineLM. A smaller number is the
// higher sensitivity. Only the settings window reads it back.
inline constexpr int kSensitivityMin = 10;
inline constexpr int kSensitivityMax = 30;
inline constexpr int kSensitivityDefault = 20;
inline constexpr int kSensitivityTickStep = 2;

// A stored value as a level of the range: a value outside it goes to the nearer end, a
// missing one (NULL) gives the default.
int SensitivityFromStored(const DbValue& stored);

// The stored level; the default when the database cannot be opened (already reported) or
// the settings table has no row.
int LoadSensitivity();

// Stores a level, brought into the range first.
SaveResult SaveSensitivity(int level);

} // namespace hv
