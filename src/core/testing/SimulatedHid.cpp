#include "testing/SimulatedHid.h"

#include "testing/CHidDevice.h"

#include <algorithm>

namespace hv {

class SimulatedHidConnection final : public HidConnection {
public:
    using Inbox = SimulatedHidDevice::Inbox;

    SimulatedHidConnection(std::shared_ptr<SimulatedHidDevice> device, Inbox* inbox)
        : m_device(std::move(device)), m_inbox(inbox) {}
    ~SimulatedHidConnection() override { m_device->Close(m_inbox); }
    SimulatedHidConnection(const SimulatedHidConnection&) = delete;
    SimulatedHidConnection& operator=(const SimulatedHidConnection&) = delete;

    HidAttributes Attributes() const override { return m_device->Attributes(); }
    std::size_t InputReportLength() const override {
        std::lock_guard lock(m_device->m_mutex);
        return m_device->m_inputLength;
    }
    std::size_t OutputReportLength() const override {
        std::lock_guard lock(m_device->m_mutex);
        return m_device->m_outputLength;
    }
    int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
        return m_device->Read(m_inbox, buffer, length, timeoutMs);
    }
    int Write(const std::uint8_t* report, std::size_t length) override {
        return m_device->Write(m_inbox, report, length);
    }

private:
    std::shared_ptr<SimulatedHidDevice> m_device;
    Inbox* m_inbox;
};

SimulatedHidDevice::SimulatedHidDevice(HidAttributes attributes, std::string path)
    : m_attributes(attributes), m_path(std::move(path)) {}

void SimulatedHidDevice::SetContactLevel(std::uint8_t level) {
    std::lock_guard lock(m_mutex);
    m_level = level;
}

void SimulatedHidDevice::SendLevels(const std::vector<std::uint8_t>& levels) {
    {
        std::lock_guard lock(m_mutex);
        for (std::uint8_t level : levels)
            SendLocked(level);
    }
    m_changed.notify_all();
}

void SimulatedHidDevice::SetSilent(bool silent) {
    std::lock_guard lock(m_mutex);
    m_bSilent = silent;
}

void SimulatedHidDevice::SetHoldReads(bool hold) {
    std::lock_guard lock(m_mutex);
    m_bHoldReads = hold;
}

void SimulatedHidDevice::SetReportBytes(std::size_t bytes) {
    std::lock_guard lock(m_mutex);
    m_reportBytes = bytes;
}

void SimulatedHidDevice::SetReportLengths(std::size_t input, std::size_t output) {
    std::lock_guard lock(m_mutex);
    m_inputLength = input;
    m_outputLength = output;
}

void SimulatedHidDevice::SetOpenable(bool openable) {
    std::lock_guard lock(m_mutex);
    m_bOpenable = openable;
}

void SimulatedHidDevice::Unplug() {
    {
        std::lock_guard lock(m_mutex);
        m_bPlugged = false;
        ++m_generation;
    }
    m_changed.notify_all();
}

void SimulatedHidDevice::Plug() {
    std::lock_guard lock(m_mutex);
    m_bPlugged = true;
}

bool SimulatedHidDevice::IsPlugged() const {
    std::lock_guard lock(m_mutex);
    return m_bPlugged;
}

int SimulatedHidDevice::OpenCount() const {
    std::lock_guard lock(m_mutex);
    return m_openCount;
}

int SimulatedHidDevice::OpenConnections() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_inboxes.size());
}

int SimulatedHidDevice::ReadCount() const {
    std::lock_guard lock(m_mutex);
    return m_readCount;
}

std::vector<std::vector<std::uint8_t>> SimulatedHidDevice::WrittenReports() const {
    std::lock_guard lock(m_mutex);
    return m_written;
}

std::vector<std::size_t> SimulatedHidDevice::HeldReports() const {
    std::lock_guard lock(m_mutex);
    std::vector<std::size_t> held;
    for (const Inbox& inbox : m_inboxes)
        held.push_back(inbox.reports.size());
    return held;
}

void SimulatedHidDevice::WaitForWaitingReader() const {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_waitingReaders > 0; });
}

SimulatedHidDevice::Inbox* SimulatedHidDevice::TryOpen() {
    std::lock_guard lock(m_mutex);
    if (!m_bPlugged || !m_bOpenable)
        return nullptr;
    ++m_openCount;
    Inbox& inbox = m_inboxes.emplace_back();
    inbox.generation = m_generation;
    return &inbox;
}

void SimulatedHidDevice::Close(Inbox* inbox) {
    std::lock_guard lock(m_mutex);
    m_inboxes.remove_if([inbox](const Inbox& open) { return &open == inbox; });
}

bool SimulatedHidDevice::IsAliveLocked(const Inbox* inbox) const {
    return m_bPlugged && inbox->generation == m_generation;
}

// One input report to every open connection that has room for it.
void SimulatedHidDevice::SendLocked(std::uint8_t level) {
    std::vector<std::uint8_t> report(std::max<std::size_t>(m_inputLength, 3), 0);
    report[2] = level;
    report.resize(std::min(m_reportBytes, report.size()));
    for (Inbox& inbox : m_inboxes) {
        if (IsAliveLocked(&inbox) && inbox.reports.size() < kHeldReports)
            inbox.reports.push_back(report);
    }
}

int SimulatedHidDevice::Read(Inbox* inbox, std::uint8_t* buffer, std::size_t length,
                             int timeoutMs) {
    std::unique_lock lock(m_mutex);
    if (!IsAliveLocked(inbox))
        return -1;
    ++m_readCount;
    if (inbox->reports.empty()) {
        if (timeoutMs == 0 || !m_bHoldReads)
            return 0;
        ++m_waitingReaders;
        m_changed.notify_all();
        m_changed.wait(lock, [&] { return !IsAliveLocked(inbox) || !inbox->reports.empty(); });
        --m_waitingReaders;
        if (!IsAliveLocked(inbox))
            return -1;
    }
    const std::vector<std::uint8_t> report = std::move(inbox->reports.front());
    inbox->reports.pop_front();
    const std::size_t copied = std::min(report.size(), length);
    std::copy_n(report.begin(), copied, buffer);
    return static_cast<int>(copied);
}

int SimulatedHidDevice::Write(Inbox* inbox, const std::uint8_t* report, std::size_t length) {
    {
        std::lock_guard lock(m_mutex);
        if (!IsAliveLocked(inbox))
            return -1;
        m_written.emplace_back(report, report + length);
        if (!m_bSilent)
            SendLocked(m_level);
    }
    m_changed.notify_all();
    return static_cast<int>(length);
}

std::shared_ptr<SimulatedHidDevice> SimulatedHidBus::AddDevice(std::uint16_t vendorId,
                                                               std::uint16_t productId) {
    std::lock_guard lock(m_mutex);
    auto device = std::make_shared<SimulatedHidDevice>(HidAttributes{vendorId, productId},
                                                       "sim:" + std::to_string(m_devices.size()));
    m_devices.push_back(device);
    return device;
}

std::shared_ptr<SimulatedHidDevice> SimulatedHidBus::AddDemoSensor(SimulatedHidBus& bus) {
    auto sensor = bus.AddDevice(CHidDevice::kSensorVendorId, CHidDevice::kSensorProductId);
    sensor->SetContactLevel(48);
    return sensor;
}

std::vector<HidInterfaceInfo> SimulatedHidBus::Enumerate() {
    std::lock_guard lock(m_mutex);
    std::vector<HidInterfaceInfo> present;
    for (const auto& device : m_devices) {
        if (device->IsPlugged())
            present.push_back({device->Path(), device->Attributes()});
    }
    return present;
}

std::unique_ptr<HidConnection> SimulatedHidBus::Open(const std::string& path) {
    std::shared_ptr<SimulatedHidDevice> device;
    {
        std::lock_guard lock(m_mutex);
        const auto found = std::find_if(m_devices.begin(), m_devices.end(),
                                        [&](const auto& d) { return d->Path() == path; });
        if (found == m_devices.end())
            return nullptr;
        device = *found;
    }
    SimulatedHidDevice::Inbox* inbox = device->TryOpen();
    if (inbox == nullptr)
        return nullptr;
    return std::make_unique<SimulatedHidConnection>(std::move(device), inbox);
}

namespace {

SimulatedHidBus& DemoBus() {
    static SimulatedHidBus bus;
    static const std::shared_ptr<SimulatedHidDevice> sensor = SimulatedHidBus::AddDemoSensor(bus);
    return bus;
}

} // namespace

void UseDemoSensor() {
    SetHidBackend(&DemoBus());
}

bool DemoSensorInUse() {
    return InstalledHidBackend() == &DemoBus();
}

} // namespace hv
