#include "printing/PrintSettings.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace hv {
namespace {

constexpr const char* kSection = "Print";
constexpr const char* kBackgrounds = "Backgrounds";

bool IsYes(std::string value) {
    std::transform(value.begin(), value.end(), value.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    constexpr std::array<const char*, 4> kYes{"1", "yes", "true", "on"};
    return std::find(kYes.begin(), kYes.end(), value) != kYes.end();
}

} // namespace

bool PrintsBackgrounds(const std::filesystem::path& file) {
    const auto value = ReadStationSetting(kSection, kBackgrounds, file);
    return value && IsYes(*value);
}

bool SetPrintsBackgrounds(bool on, std::string& error, const std::filesystem::path& file) {
    return WriteStationSetting(kSection, kBackgrounds, on ? "1" : "0", error, file);
}

} // namespace hv
