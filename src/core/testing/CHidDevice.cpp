#include "testing/CHidDevice.h"

#include <algorithm>

namespace hv {
namespace {

// The contact level sits in byte 2, so a buffer always holds at least three bytes.
constexpr std::size_t kContactByte = 2;
constexpr std::size_t kMinInputReport = kContactByte + 1;
// hidraw holds at most 64 reports per open handle. A device that sends faster than it is
// read must not keep a reading from ever ending, so one takes at most twice that.
constexpr int kMaxReportsTaken = 2 * 64;

} // namespace

CHidDevice::CHidDevice() : CHidDevice(CurrentHidBackend()) {}

CHidDevice::CHidDevice(HidBackend& backend) : m_backend(backend) {}

CHidDevice::~CHidDevice() = default;

bool CHidDevice::FindSensor(std::uint16_t vendorId, std::uint16_t productId) {
    Disconnect();
    const auto matches = [&](const HidAttributes& ids) {
        return ids.vendorId == vendorId && ids.productId == productId;
    };
    for (const HidInterfaceInfo& present : m_backend.Enumerate()) {
        if (!matches(present.attributes))
            continue; // keyboards, mice and the like are never opened
        std::unique_ptr<HidConnection> device = m_backend.Open(present.path);
        if (!device)
            continue; // held by the system or gone meanwhile
        if (!matches(device->Attributes()))
            continue; // the path names another device by now; closed with `device`
        m_inputReport.assign(std::max(device->InputReportLength(), kMinInputReport), 0);
        m_device = std::move(device);
        m_bConnected = true;
        break;
    }
    return m_bConnected;
}

bool CHidDevice::OpenSensor() {
    return FindSensor(kSensorVendorId, kSensorProductId);
}

// The interface holds what the device sent since the last read, oldest first (the sensor
// answers each output report). The reports held now are all taken and the newest counts;
// only when none is held does the read wait for the next one.
bool CHidDevice::ReadContact() {
    if (!m_bConnected)
        return false;
    const int taken = TakeHeldReports();
    if (taken < 0)
        return false;
    if (taken == 0) {
        std::vector<std::uint8_t> report;
        const int got = ReadInto(report, kReadTimeoutMs);
        if (got < 0)
            return false;
        if (got > 0)
            m_inputReport = std::move(report); // no report in time: the last one still counts
    }
    return IsContactLevel(m_inputReport[kContactByte]);
}

void CHidDevice::DrainInput() {
    if (m_bConnected)
        TakeHeldReports();
}

int CHidDevice::TakeHeldReports() {
    std::vector<std::uint8_t> report;
    int taken = 0;
    while (taken < kMaxReportsTaken) {
        const int got = ReadInto(report, 0);
        if (got <= 0)
            return got < 0 ? -1 : taken;
        m_inputReport = std::move(report);
        ++taken;
    }
    return taken;
}

// One read into a fresh buffer, so that bytes the device did not send read as 0. A failed
// read closes the link.
int CHidDevice::ReadInto(std::vector<std::uint8_t>& report, int timeoutMs) {
    report.assign(m_inputReport.size(), 0);
    const int got = m_device->Read(report.data(), report.size(), timeoutMs);
    if (got < 0)
        Disconnect();
    return got;
}

bool CHidDevice::WriteReport(const std::uint8_t* report, std::size_t length) {
    if (!m_bConnected)
        return false;
    std::vector<std::uint8_t> out(m_device->OutputReportLength(), 0);
    std::copy_n(report, std::min(length, out.size()), out.begin());
    if (m_device->Write(out.data(), out.size()) < 0) {
        Disconnect();
        return false;
    }
    return true;
}

void CHidDevice::Disconnect() {
    m_device.reset();
    m_bConnected = false;
}

} // namespace hv
