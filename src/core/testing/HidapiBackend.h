#pragma once

#include "testing/HidBackend.h"

#include <mutex>

namespace hv {

// The machine's real HID interfaces through hidapi (hidraw on Linux). The library reports
// no report lengths, so every device is taken to declare the sensor's fixed lengths: a
// 9-byte output report and a 9-byte input report, each with report id 0 in byte 0.
class HidapiBackend final : public HidBackend {
public:
    static constexpr std::size_t kReportLength = 9;

    HidapiBackend();
    ~HidapiBackend() override;

    std::vector<std::string> EnumeratePaths() override;
    std::unique_ptr<HidConnection> Open(const std::string& path) override;

private:
    std::mutex m_enumerateMutex; // the library's enumeration is not meant for two threads
};

} // namespace hv
