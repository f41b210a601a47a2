#include "testing/HidapiBackend.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <hidapi.h>
#include <mutex>

namespace hv {
namespace {

// hidapi keeps process-wide state (its error string, which hid_init replaces and which
// hid_enumerate and hid_open_path both start by calling hid_init for), so the library's
// set-up, enumeration and opening run one at a time, whichever thread and backend call.
std::mutex& LibraryMutex() {
    static std::mutex mutex;
    return mutex;
}

// The largest input report a full-speed HID device can send, plus the report id.
constexpr std::size_t kMaxRawReport = 65;

class HidapiConnection final : public HidConnection {
public:
    explicit HidapiConnection(hid_device* device) : m_device(device) {
        if (const hid_device_info* info = hid_get_device_info(m_device)) {
            m_attributes.vendorId = info->vendor_id;
            m_attributes.productId = info->product_id;
        }
    }
    ~HidapiConnection() override { hid_close(m_device); }
    HidapiConnection(const HidapiConnection&) = delete;
    HidapiConnection& operator=(const HidapiConnection&) = delete;

    HidAttributes Attributes() const override { return m_attributes; }
    std::size_t InputReportLength() const override { return HidapiBackend::kReportLength; }
    std::size_t OutputReportLength() const override { return HidapiBackend::kReportLength; }

    int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
        if (length == 0)
            return 0;
        // A device without numbered reports delivers its data without the id byte: put
        // report id 0 in front so that byte 2 is the contact level on every platform.
        std::array<unsigned char, kMaxRawReport> raw{};
        const int got = hid_read_timeout(m_device, raw.data(), raw.size() - 1, timeoutMs);
        if (got < 0)
            return -1;
        if (got == 0)
            return 0;
        const std::size_t copied = std::min(static_cast<std::size_t>(got), length - 1);
        buffer[0] = 0;
        std::memcpy(buffer + 1, raw.data(), copied);
        return static_cast<int>(copied + 1);
    }

    int Write(const std::uint8_t* report, std::size_t length) override {
        return hid_write(m_device, report, length);
    }

private:
    hid_device* m_device;
    HidAttributes m_attributes;
};

} // namespace

// The library keeps process-wide state: initialised here, left for the process's end.
HidapiBackend::HidapiBackend() {
    std::lock_guard lock(LibraryMutex());
    hid_init();
}

HidapiBackend::~HidapiBackend() = default;

std::vector<HidInterfaceInfo> HidapiBackend::Enumerate() {
    std::lock_guard lock(LibraryMutex());
    std::vector<HidInterfaceInfo> present;
    hid_device_info* all = hid_enumerate(0, 0);
    for (const hid_device_info* info = all; info != nullptr; info = info->next) {
        if (info->path != nullptr)
            present.push_back({info->path, {info->vendor_id, info->product_id}});
    }
    hid_free_enumeration(all);
    return present;
}

std::unique_ptr<HidConnection> HidapiBackend::Open(const std::string& path) {
    std::lock_guard lock(LibraryMutex());
    hid_device* device = hid_open_path(path.c_str());
    if (device == nullptr)
        return nullptr;
    return std::make_unique<HidapiConnection>(device); // reads the device's ids, still locked
}

} // namespace hv
