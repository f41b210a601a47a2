#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace hv {

// The sensor's output report as the test run keeps it: byte 0 report id 0, byte 1 the
// constant 1, byte 2 the bar pattern, byte 3 the constant 3, bytes 4 and 5 the units and
// tens digit of the number the sensor shows, byte 6 the blink bit, bytes 7 and 8 zero.
inline constexpr std::size_t kSensorReportLength = 9;
using SensorReport = std::array<std::uint8_t, kSensorReportLength>;

namespace report {
inline constexpr std::size_t kBarPattern = 2;
inline constexpr std::size_t kUnitsDigit = 4;
inline constexpr std::size_t kTensDigit = 5;
inline constexpr std::size_t kBlink = 6;
inline constexpr std::uint8_t kBlinkOn = 0x80;
} // namespace report

// Shared by the test dialog's threads, one writer per byte or flag, read without locks.
extern std::array<std::atomic<std::uint8_t>, kSensorReportLength> g_SensorOut;
extern std::atomic<bool> g_bPolling; // the polling worker keeps running while true
extern std::atomic<bool> g_bTesting; // a test is running
extern std::atomic<bool> g_bContact; // the last input report showed contact

// g_SensorOut as a test dialog starts it: 0, 1, 0, 3, 6, 5, 0, 0, 0.
void InitSensorOut();
// A copy of g_SensorOut to hand to a link.
SensorReport SnapshotSensorOut();

// Sets the bar pattern and both digits of g_SensorOut to 0 and, when the sensor is found
// through a fresh link, writes that report to it once. True when the sensor was found.
bool IsSensorPresent();

} // namespace hv
