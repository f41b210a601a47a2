#include "testing/SensorShared.h"

#include "testing/CHidDevice.h"

namespace hv {

std::array<std::atomic<std::uint8_t>, kSensorReportLength> g_SensorOut{};
std::atomic<bool> g_bPolling{false};
std::atomic<bool> g_bTesting{false};
std::atomic<bool> g_bContact{false};

void InitSensorOut() {
    constexpr SensorReport kInitial{0, 1, 0, 3, 6, 5, 0, 0, 0};
    for (std::size_t i = 0; i < kSensorReportLength; ++i)
        g_SensorOut[i] = kInitial[i];
}

SensorReport SnapshotSensorOut() {
    SensorReport copy{};
    for (std::size_t i = 0; i < kSensorReportLength; ++i)
        copy[i] = g_SensorOut[i].load();
    return copy;
}

bool IsSensorPresent() {
    g_SensorOut[report::kBarPattern] = 0;
    g_SensorOut[report::kUnitsDigit] = 0;
    g_SensorOut[report::kTensDigit] = 0;
    CHidDevice link;
    if (!link.OpenSensor())
        return false;
    const SensorReport reset = SnapshotSensorOut();
    link.WriteReport(reset.data(), reset.size());
    return true;
}

} // namespace hv
