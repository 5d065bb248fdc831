#include "sim_settings.h"

#include <algorithm>
#include <iterator>

#include "tools/sim/sim_datum.h"
#include "tools/sim/sim_payload.h"

namespace {
constexpr uint8_t kNav = 0x03;
constexpr uint8_t kTimePulse = 0x07;
constexpr uint8_t kReceiverManager = 0x11;
constexpr uint8_t kAntenna = 0x13;
constexpr uint8_t kSbas = 0x16;
constexpr uint8_t kNmea = 0x17;
constexpr uint8_t kTimeMark2 = 0x19;
constexpr uint8_t kNav2 = 0x1A;
constexpr uint8_t kTimeMode = 0x1D;
// CFG-DAT and CFG-TDB
constexpr uint8_t kTrackingDebugger = 0x15;
constexpr size_t kTrackingDebuggerLength = 68;

constexpr uint8_t kProtocolKvb = 0;
constexpr uint8_t kProtocolNmea = 1;
constexpr uint8_t kInfProtocols[] = {kProtocolKvb, kProtocolNmea, 3, 12, 13, 14, 15};
// Errors, warnings and notices.
constexpr uint8_t kInfDefaultMask = 0x07;
constexpr int kPorts = 4;
constexpr int kTimeMarkChannels = 3;
constexpr uint32_t kAsynchronous8N1 = 0x08D0;
constexpr uint16_t kKvbAndNmea = 0x0003;

std::vector<uint8_t> Port(int port) {
    const bool serial = port < 3;
    const uint32_t baud = port == kSimPort ? 57600 : serial ? 9600 : 0;
    return CSimPayload(20)
        .U1(0, port)
        .U4(4, serial ? kAsynchronous8N1 : 0)
        .U4(8, baud)
        .U2(12, kKvbAndNmea)
        .U2(14, kKvbAndNmea)
        .Take();
}

std::vector<uint8_t> InfMessages(uint8_t protocol) {
    CSimPayload payload(8);
    payload.U1(0, protocol);
    if (protocol == kProtocolKvb || protocol == kProtocolNmea) payload.U1(4 + kSimPort, kInfDefaultMask);
    return payload.Take();
}

std::vector<uint8_t> Navigation() {
    return CSimPayload(28)
        .U1(0, 3)  // automotive
        .U1(1, 3)
        .U1(2, 16)
        .U1(3, 24)
        .U1(4, 20)
        .U1(5, 5)
        .U1(7, 60)
        .U1(8, 120)
        .U1(9, 120)
        .U2(10, 1000)
        .U2(12, 500)
        .U1(15, 0x0F)
        .U2(16, 250)
        .U2(18, 250)
        .U2(20, 100)
        .U2(22, 300)
        .U2(24, 15)
        .Take();
}

uint16_t U2At(std::span<const uint8_t> payload, size_t at) {
    return static_cast<uint16_t>(payload[at] | payload[at + 1] << 8);
}

// The receiver computes between 10 solutions a second and one in ten seconds.
bool IsSupportedRate(std::span<const uint8_t> rate) {
    const uint32_t period = uint32_t{U2At(rate, 0)} * U2At(rate, 2);
    return U2At(rate, 0) >= 100 && period >= 100 && period <= 10000;
}

std::vector<uint8_t> Rate(uint16_t periodMs) { return CSimPayload(6).U2(0, periodMs).U2(2, 1).U2(4, 1).Take(); }

std::vector<uint8_t> TimePulse() {
    return CSimPayload(20).U4(0, 1000000).U4(4, 100000).U1(8, 1).U1(9, 1).U2(12, 50).Take();
}

std::vector<uint8_t> Sbas() { return CSimPayload(8).U1(0, 1).U1(1, 0x07).U1(2, 3).Take(); }

std::vector<uint8_t> Nmea() { return CSimPayload(4).U1(1, 0x23).Take(); }

std::vector<uint8_t> Navigation2() {
    return CSimPayload(40)
        .U1(0, 3)
        .U1(4, 4)
        .U1(5, 3)
        .U1(6, 16)
        .U1(7, 2)  // auto 2D/3D
        .U1(12, 24)
        .U1(13, 20)
        .U1(14, 5)
        .U1(15, 60)
        .U1(17, 0x01)
        .U2(20, 250)
        .U2(22, 250)
        .U2(24, 100)
        .U2(26, 300)
        .Take();
}

// ---- The engineering, power, logging, USB and time-mark settings.
constexpr uint8_t kNavigationExpert = 0x0A;
constexpr uint8_t kTestMode = 0x0B;
constexpr uint8_t kReceiverManagerExpert = 0x0C;
constexpr uint8_t kOscillator = 0x0D;
constexpr uint8_t kFixwise = 0x0E;
constexpr uint8_t kInterruptedTracking = 0x0F;
constexpr uint8_t kTimeMark = 0x10;
constexpr uint8_t kEkf = 0x12;
constexpr uint8_t kMapping = 0x14;
constexpr uint8_t kLowPowerTest = 0x18;
constexpr uint8_t kUsb = 0x1B;
constexpr uint8_t kOdometer = 0x1E;
constexpr uint8_t kTrackingSettings = 0x1F;
constexpr uint8_t kLogger = 0x21;
constexpr int kMappingEntries = 8;

std::vector<uint8_t> NavigationExpert() {
    return CSimPayload(48)
        .U1(0, 3)
        .U1(1, 16)
        .U1(2, 2)  // auto 2D/3D
        .U1(3, 2)  // Kalman
        .U1(4, 1)  // Klobuchar
        .U1(5, 1)
        .U1(6, 1)
        .U1(8, 5)
        .U1(9, 20)
        .U2(10, 250)
        .U2(12, 100)
        .U2(14, 300)
        .U4(16, 600)
        .U4(20, 2000)
        .U1(32, 2)  // patch
        .U1(33, 1)
        .Take();
}

std::vector<uint8_t> ReceiverManagerExpert() {
    return CSimPayload(16).U1(1, 8).U2(4, 60).U2(6, 10).U4(8, 5000).U1(12, 16).Take();
}

std::vector<uint8_t> Oscillator() {
    return CSimPayload(28).U4(4, 26000000).U2(8, 500).U2(10, 1000).U4(12, 1000).Take();
}

// The "Mobile Unit Set": sleep between fixes, wake often.
std::vector<uint8_t> Fixwise() {
    return CSimPayload(36).U4(0, 0x1).U4(4, 10000).U4(8, 120000).U4(12, 10000).U4(16, 60000).Take();
}

std::vector<uint8_t> InterruptedTracking() {
    return CSimPayload(28).U4(4, 1000).U4(8, 9000).U4(12, 60000).U1(16, 4).U1(17, 28).U4(20, 2000).Take();
}

std::vector<uint8_t> Usb() {
    return CSimPayload(108)
        .U2(0, 0xF055)
        .U2(2, 0x0001)
        .U2(4, 0x0001)  // COM emulation
        .U2(10, 100)
        .Text(12, "Veltro Simulated Receiver", 32)
        .Text(44, "Veltro", 32)
        .Text(76, "00000001", 32)
        .Take();
}
}  // namespace

void CSimSettings::StoreFactoryExpertSettings() {
    Store(kNavigationExpert, NavigationExpert());
    Store(kTestMode, std::vector<uint8_t>(48, 0));
    Store(kReceiverManagerExpert, ReceiverManagerExpert());
    Store(kOscillator, Oscillator());
    Store(kFixwise, Fixwise());
    Store(kInterruptedTracking, InterruptedTracking());
    Store(kTimeMark, CSimPayload(12).U4(4, 1000).Take());
    Store(kEkf, CSimPayload(16).U1(0, 1).U1(5, 1).U2(8, 250).U2(10, 2500).U1(13, 20).U2(14, 600).Take());
    for (int entry = 0; entry < kMappingEntries; ++entry) Store(kMapping, CSimPayload(12).U1(0, entry).Take());
    Store(kLowPowerTest, std::vector<uint8_t>(16, 0));
    Store(kUsb, Usb());
    Store(kOdometer, CSimPayload(8).U4(0, 0x1).U4(4, 1).Take());  // enabled, car
    Store(kTrackingSettings, CSimPayload(5).U2(1, 100).U2(3, 20).Take());
    Store(kLogger, CSimPayload(36).U2(4, 1).U2(24, 0x01).U2(32, 0x09).Take());
}

CSimSettings::CSimSettings(uint16_t measurementPeriodMs) {
    for (int port = 0; port < kPorts; ++port) Store(kPrt, Port(port));
    for (uint8_t protocol : kInfProtocols) Store(kInf, InfMessages(protocol));
    Store(kNav, Navigation());
    Store(kTimePulse, TimePulse());
    Store(kRate, Rate(measurementPeriodMs));
    Store(kReceiverManager, std::vector<uint8_t>(2, 0));
    Store(kAntenna, CSimPayload(4).U2(0, 0x001B).Take());
    Store(kSbas, Sbas());
    Store(kNmea, Nmea());
    for (int channel = 0; channel < kTimeMarkChannels; ++channel)
        Store(kTimeMark2, CSimPayload(12).U1(0, channel).Take());
    Store(kNav2, Navigation2());
    Store(kTimeMode, std::vector<uint8_t>(28, 0));
    StoreFactoryExpertSettings();
    Store(kSimDatumId, SimWgs84Datum());
    Store(kTrackingDebugger, std::vector<uint8_t>(kTrackingDebuggerLength, 0));
}

const CSimSettings::Layout* CSimSettings::LayoutOf(uint8_t id) {
    static constexpr Layout kLayouts[] = {
        {kPrt, 20, 1},    {kInf, 8, 1},  {kNav, 28, 0}, {kTimePulse, 20, 0}, {kRate, 6, 0},  {kReceiverManager, 2, 0},
        {kAntenna, 4, 0}, {kSbas, 8, 0}, {kNmea, 4, 0}, {kTimeMark2, 12, 1}, {kNav2, 40, 0}, {kTimeMode, 28, 0},
        {kSimDatumId, kSimDatumAnswerLength, 0}, {kTrackingDebugger, kTrackingDebuggerLength, 0},
        {kNavigationExpert, 48, 0, 32}, {kTestMode, 48, 0, 44}, {kReceiverManagerExpert, 16, 0},
        {kOscillator, 28, 0, 24},       {kFixwise, 36, 0},      {kInterruptedTracking, 28, 0},
        {kTimeMark, 12, 0},             {kEkf, 16, 0},          {kMapping, 12, 1},
        {kLowPowerTest, 16, 0},         {kUsb, 108, 0},         {kOdometer, 8, 0},
        {kTrackingSettings, 5, 0},      {kLogger, 36, 0},
    };
    auto found = std::find_if(std::begin(kLayouts), std::end(kLayouts), [id](auto& l) { return l.id == id; });
    return found == std::end(kLayouts) ? nullptr : found;
}

bool CSimSettings::Set(uint8_t id, std::span<const uint8_t> payload) {
    // The receiver keeps the datum in the form of its answer.
    if (id == kSimDatumId) {
        std::optional<std::vector<uint8_t>> datum = SimDatumAnswer(payload);
        if (datum) Store(id, std::move(*datum));
        return datum.has_value();
    }
    const Layout* layout = LayoutOf(id);
    if (!layout || !layout->Takes(payload.size())) return false;
    if (id == kRate && !IsSupportedRate(payload)) return false;
    Store(id, {payload.begin(), payload.end()});
    return true;
}

std::optional<std::vector<uint8_t>> CSimSettings::Poll(uint8_t id, std::span<const uint8_t> payload) const {
    const Layout* layout = LayoutOf(id);
    if (!layout || payload.size() != layout->keyLength) return std::nullopt;
    const Entry* entry = Find(id, payload);
    if (!entry) return std::nullopt;
    return entry->payload;
}

size_t CSimSettings::IndexOf(uint8_t id, std::span<const uint8_t> key) const {
    auto found = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) {
        return e.id == id && std::equal(key.begin(), key.end(), e.payload.begin());
    });
    return static_cast<size_t>(found - entries.begin());
}

const CSimSettings::Entry* CSimSettings::Find(uint8_t id, std::span<const uint8_t> key) const {
    const size_t index = IndexOf(id, key);
    return index < entries.size() ? &entries[index] : nullptr;
}

void CSimSettings::Store(uint8_t id, std::vector<uint8_t> payload) {
    const size_t index = IndexOf(id, std::span(payload).first(LayoutOf(id)->keyLength));
    if (index < entries.size())
        entries[index].payload = std::move(payload);
    else
        entries.push_back({id, std::move(payload)});
}

uint32_t CSimSettings::NavigationPeriodMs() const {
    const std::vector<uint8_t>& rate = Find(kRate, {})->payload;
    return uint32_t{U2At(rate, 0)} * U2At(rate, 2);
}

uint8_t CSimSettings::InfMask(uint8_t protocol) const {
    const uint8_t key[] = {protocol};
    const Entry* entry = Find(kInf, key);
    return entry ? entry->payload[4 + kSimPort] : 0;
}

uint32_t CSimSettings::GroupOf(uint8_t id) {
    switch (id) {
        case kPrt:
            return 1u << 0;
        case kInf:
            return 1u << 2;
        case kReceiverManager:
            return 1u << 4;
        case kAntenna:
            return 1u << 10;
        case kUsb:
            return 1u << 0;
        case kFixwise:
        case kInterruptedTracking:
            return 1u << 5;
        case kEkf:
            return 1u << 8;
        default:
            return 1u << 3;
    }
}

void CSimSettings::TakeGroups(const CSimSettings& from, uint32_t groups) {
    for (const Entry& entry : from.entries)
        if (GroupOf(entry.id) & groups) Store(entry.id, entry.payload);
}
