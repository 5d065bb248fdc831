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
}  // namespace

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
    // CFG-DAT and CFG-TDB
    Store(kSimDatumId, SimWgs84Datum());
    Store(kTrackingDebugger, std::vector<uint8_t>(kTrackingDebuggerLength, 0));
}

const CSimSettings::Layout* CSimSettings::LayoutOf(uint8_t id) {
    static constexpr Layout kLayouts[] = {
        {kPrt, 20, 1},    {kInf, 8, 1},  {kNav, 28, 0}, {kTimePulse, 20, 0}, {kRate, 6, 0},  {kReceiverManager, 2, 0},
        {kAntenna, 4, 0}, {kSbas, 8, 0}, {kNmea, 4, 0}, {kTimeMark2, 12, 1}, {kNav2, 40, 0}, {kTimeMode, 28, 0},
        // CFG-DAT and CFG-TDB
        {kSimDatumId, kSimDatumAnswerLength, 0}, {kTrackingDebugger, kTrackingDebuggerLength, 0},
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
    if (!layout || payload.size() != layout->length) return false;
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
        default:
            return 1u << 3;
    }
}

void CSimSettings::TakeGroups(const CSimSettings& from, uint32_t groups) {
    for (const Entry& entry : from.entries)
        if (GroupOf(entry.id) & groups) Store(entry.id, entry.payload);
}
