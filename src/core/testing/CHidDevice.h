#pragma once

#include "testing/HidBackend.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace hv {

// The link to the hand-held sensor: finds it among the HID interfaces present, opens it
// (shared with other links), writes output reports to it and reads its contact level.
// Every user makes its own short-lived instance on one thread; destruction closes it.
class CHidDevice {
public:
    static constexpr std::uint16_t kSensorVendorId = 0x5608;
    static constexpr std::uint16_t kSensorProductId = 0x0808;
    // How long one read waits for the device: at most the polling period, so that the
    // polling worker notices promptly that it should stop.
    static constexpr int kReadTimeoutMs = 200;

    CHidDevice();
    explicit CHidDevice(HidBackend& backend);
    ~CHidDevice();
    CHidDevice(const CHidDevice&) = delete;
    CHidDevice& operator=(const CHidDevice&) = delete;

    // Opens the first present interface whose vendor and product ids both match. Only
    // interfaces listed with both ids are opened, and one whose open device shows other ids
    // is closed again.
    bool FindSensor(std::uint16_t vendorId, std::uint16_t productId);
    bool OpenSensor();

    // Tells whether the newest input report shows a hand on the contact buttons. The open
    // interface holds the reports the device sent since the last read (hidraw: up to 64,
    // dropping newer ones while full): every report held is taken and the last one counts;
    // only when none is held does it wait (at most kReadTimeoutMs) for the next. When no
    // report arrives in time the last one read still counts. A failed read closes the link
    // and gives false.
    bool ReadContact();
    // Takes every report the interface holds without waiting, so that the reports that
    // follow find room and a reading after the next write sees its answer. A failed read
    // closes the link.
    void DrainInput();
    // Writes one output report of the device's declared length (shorter reports are
    // padded with zeros). A failed write closes the link and gives false.
    bool WriteReport(const std::uint8_t* report, std::size_t length);

    bool IsConnected() const { return m_bConnected; }
    // The last input report read, byte 0 the report id.
    const std::vector<std::uint8_t>& InputReport() const { return m_inputReport; }

    // Contact levels 1 to 95 mean a hand touches both buttons; 0 and 96 or more mean none.
    static bool IsContactLevel(std::uint8_t level) { return level >= 1 && level <= 95; }

private:
    int TakeHeldReports();
    int ReadInto(std::vector<std::uint8_t>& report, int timeoutMs);
    void Disconnect();

    HidBackend& m_backend;
    std::unique_ptr<HidConnection> m_device;
    std::vector<std::uint8_t> m_inputReport;
    bool m_bConnected = false;
};

} // namespace hv
