#pragma once

#include "common/StationSettings.h"

#include <string>

namespace hv {

// How this station prints, kept in its settings file (section [Print]).

// Whether page backgrounds (colours and pictures) are printed; off unless switched on, as
// browsers print. Key Backgrounds: "1", "yes", "true" or "on" switch it on.
bool PrintsBackgrounds(const std::filesystem::path& file = kStationSettingsFile);

// Stores the switch. False, with the reason, when the settings file could not be written.
bool SetPrintsBackgrounds(bool on, std::string& error,
                          const std::filesystem::path& file = kStationSettingsFile);

} // namespace hv
