#pragma once

#include "testing/HidBackend.h"

namespace hv {

// The machine's real HID interfaces through hidapi (hidraw on Linux). The library reports
// no report lengths, so every device is taken to declare the sensor's fixed lengths: a
// 9-byte output report and a 9-byte input report, each with report id 0 in byte 0. Links on
// several threads may use it at once: the library's shared state is guarded inside.
class HidapiBackend final : public HidBackend {
public:
    static constexpr std::size_t kReportLength = 9;

    HidapiBackend();
    ~HidapiBackend() override;

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidConnection> Open(const std::string& path) override;
};

} // namespace hv
