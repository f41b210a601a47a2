// The hidapi functions the sensor backend calls, answered by the model of the HID stack
// instead of the library. Only those are here: a function the backend starts to use
// without a model here fails the link of this program.

#include "HidStackModel.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <hidapi.h>
#include <stdexcept>
#include <thread>

namespace hv::test {
namespace {

constexpr int kLingerYields = 200;

} // namespace

HidStackModel& HidStackModel::Instance() {
    static HidStackModel model;
    return model;
}

void HidStackModel::Reset() {
    std::lock_guard lock(m_mutex);
    if (!m_handles.empty())
        throw std::logic_error("a hidapi handle is still open");
    m_devices.clear();
    m_waitingReaders = 0;
    m_overlaps = 0;
    m_linger = false;
}

int HidStackModel::AddDevice(std::uint16_t vendorId, std::uint16_t productId) {
    std::lock_guard lock(m_mutex);
    Device device;
    device.path = "/dev/hidraw" + std::to_string(m_devices.size());
    device.vendorId = vendorId;
    device.productId = productId;
    m_devices.push_back(device);
    return static_cast<int>(m_devices.size()) - 1;
}

HidStackModel::Device& HidStackModel::DeviceAt(int device) {
    return m_devices.at(static_cast<std::size_t>(device));
}

const HidStackModel::Device& HidStackModel::DeviceAt(int device) const {
    return m_devices.at(static_cast<std::size_t>(device));
}

std::string HidStackModel::PathOf(int device) const {
    std::lock_guard lock(m_mutex);
    return DeviceAt(device).path;
}

void HidStackModel::SetContactLevel(int device, std::uint8_t level) {
    std::lock_guard lock(m_mutex);
    DeviceAt(device).level = level;
}

void HidStackModel::SetSilent(int device, bool silent) {
    std::lock_guard lock(m_mutex);
    DeviceAt(device).silent = silent;
}

void HidStackModel::SetHoldReads(int device, bool hold) {
    std::lock_guard lock(m_mutex);
    DeviceAt(device).holdReads = hold;
}

void HidStackModel::SetOpenable(int device, bool openable) {
    std::lock_guard lock(m_mutex);
    DeviceAt(device).openable = openable;
}

void HidStackModel::Unplug(int device) {
    {
        std::lock_guard lock(m_mutex);
        DeviceAt(device).plugged = false;
        ++DeviceAt(device).generation;
    }
    m_changed.notify_all();
}

void HidStackModel::Plug(int device) {
    std::lock_guard lock(m_mutex);
    DeviceAt(device).plugged = true;
}

int HidStackModel::OpenCount(int device) const {
    std::lock_guard lock(m_mutex);
    return DeviceAt(device).openCount;
}

int HidStackModel::OpenHandles(int device) const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(std::count_if(m_handles.begin(), m_handles.end(),
                                          [&](const Handle& h) { return h.device == device; }));
}

std::vector<std::size_t> HidStackModel::HeldReports(int device) const {
    std::lock_guard lock(m_mutex);
    std::vector<std::size_t> held;
    for (const Handle& handle : m_handles)
        if (handle.device == device)
            held.push_back(handle.reports.size());
    return held;
}

std::vector<std::vector<std::uint8_t>> HidStackModel::WrittenReports(int device) const {
    std::lock_guard lock(m_mutex);
    return DeviceAt(device).written;
}

void HidStackModel::WaitForWaitingReader() const {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_waitingReaders > 0; });
}

HidStackModel::SharedCall::SharedCall(HidStackModel& model) : m_model(model) {
    if (m_model.m_inside.fetch_add(1) > 0)
        ++m_model.m_overlaps;
    if (m_model.m_linger)
        for (int i = 0; i < kLingerYields; ++i)
            std::this_thread::yield();
}

HidStackModel::SharedCall::~SharedCall() {
    --m_model.m_inside;
}

std::vector<HidStackModel::Listed> HidStackModel::List(std::uint16_t vendorId,
                                                       std::uint16_t productId) const {
    std::lock_guard lock(m_mutex);
    std::vector<Listed> listed;
    for (const Device& device : m_devices) {
        if (!device.plugged || (vendorId != 0 && device.vendorId != vendorId) ||
            (productId != 0 && device.productId != productId))
            continue;
        listed.push_back({device.path, device.vendorId, device.productId});
    }
    return listed;
}

HidStackModel::Handle* HidStackModel::Open(const std::string& path) {
    std::lock_guard lock(m_mutex);
    for (std::size_t i = 0; i < m_devices.size(); ++i) {
        Device& device = m_devices[i];
        if (device.path != path)
            continue;
        if (!device.plugged || !device.openable)
            return nullptr;
        ++device.openCount;
        Handle& handle = m_handles.emplace_back();
        handle.device = static_cast<int>(i);
        handle.generation = device.generation;
        return &handle;
    }
    return nullptr;
}

void HidStackModel::Close(Handle* handle) {
    std::lock_guard lock(m_mutex);
    m_handles.remove_if([handle](const Handle& open) { return &open == handle; });
}

HidStackModel::Listed HidStackModel::Describe(const Handle* handle) const {
    std::lock_guard lock(m_mutex);
    const Device& device = DeviceAt(handle->device);
    return {device.path, device.vendorId, device.productId};
}

bool HidStackModel::IsAliveLocked(const Handle& handle) const {
    const Device& device = DeviceAt(handle.device);
    return device.plugged && device.generation == handle.generation;
}

int HidStackModel::Write(Handle* handle, const unsigned char* data, std::size_t length) {
    {
        std::lock_guard lock(m_mutex);
        if (!IsAliveLocked(*handle))
            return -1;
        Device& device = DeviceAt(handle->device);
        device.written.emplace_back(data, data + length);
        if (!device.silent) {
            std::vector<std::uint8_t> answer(kInputBytes, 0);
            answer[1] = device.level;
            for (Handle& open : m_handles)
                if (open.device == handle->device && IsAliveLocked(open) &&
                    open.reports.size() < kHeldReports)
                    open.reports.push_back(answer);
        }
    }
    m_changed.notify_all();
    return static_cast<int>(length);
}

int HidStackModel::Read(Handle* handle, unsigned char* data, std::size_t length, int timeoutMs) {
    std::unique_lock lock(m_mutex);
    const auto ready = [&] { return !IsAliveLocked(*handle) || !handle->reports.empty(); };
    if (!ready() && timeoutMs != 0) {
        ++m_waitingReaders;
        m_changed.notify_all();
        if (timeoutMs < 0 || DeviceAt(handle->device).holdReads)
            m_changed.wait(lock, ready);
        else
            m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
        --m_waitingReaders;
    }
    if (!IsAliveLocked(*handle))
        return -1; // hidraw's poll reports the hang-up
    if (handle->reports.empty())
        return 0;
    const std::vector<std::uint8_t> report = std::move(handle->reports.front());
    handle->reports.pop_front();
    const std::size_t copied = std::min(report.size(), length);
    std::memcpy(data, report.data(), copied);
    return static_cast<int>(copied);
}

} // namespace hv::test

using hv::test::HidStackModel;

// What hidapi hands out as hid_device.
struct hid_device_ {
    HidStackModel::Handle* handle = nullptr;
    hid_device_info* info = nullptr;
};

namespace {

wchar_t* EmptyWide() {
    auto* text = static_cast<wchar_t*>(std::calloc(1, sizeof(wchar_t)));
    return text;
}

hid_device_info* NewDeviceInfo(const HidStackModel::Listed& listed) {
    auto* info = static_cast<hid_device_info*>(std::calloc(1, sizeof(hid_device_info)));
    info->path = strdup(listed.path.c_str());
    info->vendor_id = listed.vendorId;
    info->product_id = listed.productId;
    info->serial_number = EmptyWide();
    info->manufacturer_string = EmptyWide();
    info->product_string = EmptyWide();
    info->interface_number = 0;
    info->bus_type = HID_API_BUS_USB;
    return info;
}

} // namespace

int HID_API_EXPORT HID_API_CALL hid_init(void) {
    HidStackModel& model = HidStackModel::Instance();
    HidStackModel::SharedCall call(model); // the library resets its error string
    return 0;
}

struct hid_device_info HID_API_EXPORT* HID_API_CALL hid_enumerate(unsigned short vendor_id,
                                                                  unsigned short product_id) {
    HidStackModel& model = HidStackModel::Instance();
    HidStackModel::SharedCall call(model); // the library starts with hid_init
    hid_device_info* first = nullptr;
    hid_device_info** next = &first;
    for (const HidStackModel::Listed& listed : model.List(vendor_id, product_id)) {
        *next = NewDeviceInfo(listed);
        next = &(*next)->next;
    }
    return first;
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info* devs) {
    while (devs != nullptr) {
        hid_device_info* next = devs->next;
        std::free(devs->path);
        std::free(devs->serial_number);
        std::free(devs->manufacturer_string);
        std::free(devs->product_string);
        std::free(devs);
        devs = next;
    }
}

HID_API_EXPORT hid_device* HID_API_CALL hid_open_path(const char* path) {
    HidStackModel& model = HidStackModel::Instance();
    HidStackModel::SharedCall call(model); // the library starts with hid_init
    HidStackModel::Handle* handle = model.Open(path);
    if (handle == nullptr)
        return nullptr;
    auto* device = new hid_device_;
    device->handle = handle;
    return device;
}

void HID_API_EXPORT HID_API_CALL hid_close(hid_device* dev) {
    if (dev == nullptr)
        return;
    HidStackModel::Instance().Close(dev->handle);
    hid_free_enumeration(dev->info);
    delete dev;
}

struct hid_device_info HID_API_EXPORT* HID_API_CALL hid_get_device_info(hid_device* dev) {
    if (dev->info == nullptr)
        dev->info = NewDeviceInfo(HidStackModel::Instance().Describe(dev->handle));
    return dev->info;
}

int HID_API_EXPORT HID_API_CALL hid_write(hid_device* dev, const unsigned char* data,
                                          size_t length) {
    return HidStackModel::Instance().Write(dev->handle, data, length);
}

int HID_API_EXPORT HID_API_CALL hid_read_timeout(hid_device* dev, unsigned char* data,
                                                 size_t length, int milliseconds) {
    return HidStackModel::Instance().Read(dev->handle, data, length, milliseconds);
}
