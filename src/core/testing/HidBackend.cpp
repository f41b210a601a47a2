#include "testing/HidBackend.h"

#include "testing/HidapiBackend.h"

#include <atomic>

namespace hv {
namespace {

std::atomic<HidBackend*> g_installedBackend{nullptr};

// Made on first use and kept for the life of the process, so the library is initialised
// once, before any link exists.
HidBackend& RealBackend() {
    static HidapiBackend backend;
    return backend;
}

} // namespace

HidBackend& CurrentHidBackend() {
    HidBackend* installed = g_installedBackend.load();
    return installed != nullptr ? *installed : RealBackend();
}

HidBackend* InstalledHidBackend() {
    return g_installedBackend.load();
}

HidBackend* SetHidBackend(HidBackend* backend) {
    return g_installedBackend.exchange(backend);
}

} // namespace hv
