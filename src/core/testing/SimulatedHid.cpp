#include "testing/SimulatedHid.h"

#include "testing/CHidDevice.h"

#include <algorithm>

namespace hv {

class SimulatedHidConnection final : public HidConnection {
public:
    SimulatedHidConnection(std::shared_ptr<SimulatedHidDevice> device, std::uint64_t generation)
        : m_device(std::move(device)), m_generation(generation) {}
    ~SimulatedHidConnection() override { m_device->Close(); }
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
        return m_device->Read(m_generation, buffer, length, timeoutMs);
    }
    int Write(const std::uint8_t* report, std::size_t length) override {
        return m_device->Write(m_generation, report, length);
    }

private:
    std::shared_ptr<SimulatedHidDevice> m_device;
    std::uint64_t m_generation;
};

SimulatedHidDevice::SimulatedHidDevice(HidAttributes attributes, std::string path)
    : m_attributes(attributes), m_path(std::move(path)) {}

void SimulatedHidDevice::SetContactLevel(std::uint8_t level) {
    std::lock_guard lock(m_mutex);
    m_level = level;
}

void SimulatedHidDevice::QueueLevels(const std::vector<std::uint8_t>& levels) {
    {
        std::lock_guard lock(m_mutex);
        m_script.insert(m_script.end(), levels.begin(), levels.end());
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
    return m_openConnections;
}

int SimulatedHidDevice::ReadCount() const {
    std::lock_guard lock(m_mutex);
    return m_readCount;
}

std::vector<std::vector<std::uint8_t>> SimulatedHidDevice::WrittenReports() const {
    std::lock_guard lock(m_mutex);
    return m_written;
}

void SimulatedHidDevice::WaitForWaitingReader() const {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_waitingReaders > 0; });
}

bool SimulatedHidDevice::TryOpen(std::uint64_t& generation) {
    std::lock_guard lock(m_mutex);
    if (!m_bPlugged || !m_bOpenable)
        return false;
    ++m_openCount;
    ++m_openConnections;
    generation = m_generation;
    return true;
}

void SimulatedHidDevice::Close() {
    std::lock_guard lock(m_mutex);
    --m_openConnections;
}

int SimulatedHidDevice::Read(std::uint64_t generation, std::uint8_t* buffer, std::size_t length,
                             int /*timeoutMs*/) {
    std::unique_lock lock(m_mutex);
    const auto alive = [&] { return m_bPlugged && generation == m_generation; };
    if (!alive())
        return -1;
    ++m_readCount;
    if (m_script.empty() && m_bSilent) {
        if (!m_bHoldReads)
            return 0;
        ++m_waitingReaders;
        m_changed.notify_all();
        m_changed.wait(lock, [&] { return !alive() || !m_script.empty(); });
        --m_waitingReaders;
        if (!alive())
            return -1;
        if (m_script.empty())
            return 0;
    }
    std::uint8_t level = m_level;
    if (!m_script.empty()) {
        level = m_script.front();
        m_script.pop_front();
    }
    std::vector<std::uint8_t> report(std::max<std::size_t>(m_inputLength, 3), 0);
    report[2] = level;
    const std::size_t sent = std::min({m_reportBytes, report.size(), length});
    std::copy_n(report.begin(), sent, buffer);
    return static_cast<int>(sent);
}

int SimulatedHidDevice::Write(std::uint64_t generation, const std::uint8_t* report,
                              std::size_t length) {
    std::lock_guard lock(m_mutex);
    if (!m_bPlugged || generation != m_generation)
        return -1;
    m_written.emplace_back(report, report + length);
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

std::vector<std::string> SimulatedHidBus::EnumeratePaths() {
    std::lock_guard lock(m_mutex);
    std::vector<std::string> paths;
    for (const auto& device : m_devices) {
        if (device->IsPlugged())
            paths.push_back(device->Path());
    }
    return paths;
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
    std::uint64_t generation = 0;
    if (!device->TryOpen(generation))
        return nullptr;
    return std::make_unique<SimulatedHidConnection>(std::move(device), generation);
}

void UseDemoSensor() {
    static SimulatedHidBus bus;
    static const std::shared_ptr<SimulatedHidDevice> sensor = SimulatedHidBus::AddDemoSensor(bus);
    SetHidBackend(&bus);
}

} // namespace hv
