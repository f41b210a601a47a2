#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace hv {

// The settings of one station, as opposed to those every station shares in the database:
// which register the station uses, how it prints. They live in halvoret.ini in the working
// folder, a plain INI file: "[Section]" lines, "Key=Value" lines, and comment lines that
// start with ";" or "#". Sections and keys are matched without regard to letter case; a
// value is the text after the first "=", without surrounding blanks. Passwords are never
// stored here.
inline constexpr const char* kStationSettingsFile = "halvoret.ini";

// The value of a key; nothing when the file, the section or the key is missing.
std::optional<std::string>
ReadStationSetting(std::string_view section, std::string_view key,
                   const std::filesystem::path& file = kStationSettingsFile);

// Sets a key (or removes it when value is nullopt), keeping every other line of the file as it
// was. The file is written beside itself and renamed into place, so a failure leaves it as
// it was. False with a reason when it could not be written. A value may not hold a line
// break.
bool WriteStationSetting(std::string_view section, std::string_view key,
                         std::optional<std::string_view> value, std::string& error,
                         const std::filesystem::path& file = kStationSettingsFile);

} // namespace hv
