#include "testing/CHidDevice.h"

#include <algorithm>

namespace hv {
namespace {

// The contact level sits in byte 2, so a buffer always holds at least three bytes.
constexpr std::size_t kContactByte = 2;
constexpr std::size_t kMinInputReport = kContactByte + 1;

} // namespace

CHidDevice::CHidDevice() : CHidDevice(CurrentHidBackend()) {}

CHidDevice::CHidDevice(HidBackend& backend) : m_backend(backend) {}

CHidDevice::~CHidDevice() = default;

bool CHidDevice::FindSensor(std::uint16_t vendorId, std::uint16_t productId) {
    Disconnect();
    for (const std::string& path : m_backend.EnumeratePaths()) {
        std::unique_ptr<HidConnection> device = m_backend.Open(path);
        if (!device)
            continue; // held by the system or gone meanwhile
        const HidAttributes attributes = device->Attributes();
        if (attributes.vendorId != vendorId || attributes.productId != productId)
            continue; // closed when `device` goes out of scope
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

bool CHidDevice::ReadContact() {
    if (!m_bConnected)
        return false;
    std::vector<std::uint8_t> report(m_inputReport.size(), 0);
    const int got = m_device->Read(report.data(), report.size(), kReadTimeoutMs);
    if (got < 0) {
        Disconnect();
        return false;
    }
    if (got > 0)
        m_inputReport = std::move(report); // bytes the device did not send read as 0
    return IsContactLevel(m_inputReport[kContactByte]);
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
