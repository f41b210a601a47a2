#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace hv {

// Vendor and product id of a HID device, as its attributes report them.
struct HidAttributes {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

// A HID interface present on the machine, as the system lists it before anything opens it.
struct HidInterfaceInfo {
    std::string path;
    HidAttributes attributes;
};

// One open HID interface. Reads present every input report with byte 0 the report id,
// whatever the platform does with the id of a device without numbered reports.
class HidConnection {
public:
    virtual ~HidConnection() = default;

    virtual HidAttributes Attributes() const = 0;
    // Report lengths the device declares, report id byte included.
    virtual std::size_t InputReportLength() const = 0;
    virtual std::size_t OutputReportLength() const = 0;

    // Takes the oldest input report the interface holds, waiting at most timeoutMs for one
    // when none is held (0: do not wait), and copies at most `length` bytes of it into
    // `buffer`. Returns the number of bytes copied, 0 when no report came in time, -1 when
    // the device failed (unplugged). Like hidraw, an open interface keeps the reports the
    // device sends until they are read, up to a limit, and loses newer ones beyond it.
    virtual int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) = 0;
    // Writes one output report (byte 0 the report id). Returns the bytes written or -1.
    virtual int Write(const std::uint8_t* report, std::size_t length) = 0;
};

// Access to the HID interfaces present on the machine: the real one (hidapi) or a
// simulation for tests and demonstrations.
class HidBackend {
public:
    virtual ~HidBackend() = default;

    // The HID interfaces present now with their ids, in the system's order.
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    // Opens one interface for shared reading and writing; nullptr when it cannot be opened
    // (gone, or held exclusively by the system).
    virtual std::unique_ptr<HidConnection> Open(const std::string& path) = 0;
};

// The backend every new sensor link uses. The real one unless another was installed;
// SetHidBackend(nullptr) restores it. Returns the backend installed before (nullptr for the
// real one). Install a backend before any link is made with it and keep it alive while
// links use it.
HidBackend& CurrentHidBackend();
HidBackend* SetHidBackend(HidBackend* backend);
// The backend installed with SetHidBackend; nullptr while the real one serves.
HidBackend* InstalledHidBackend();

// Installs a backend for the lifetime of a scope.
class ScopedHidBackend {
public:
    explicit ScopedHidBackend(HidBackend& backend) : m_previous(SetHidBackend(&backend)) {}
    ~ScopedHidBackend() { SetHidBackend(m_previous); }
    ScopedHidBackend(const ScopedHidBackend&) = delete;
    ScopedHidBackend& operator=(const ScopedHidBackend&) = delete;

private:
    HidBackend* m_previous;
};

} // namespace hv
