#include "sim_receiver.h"

#include <string_view>

#include "plugins/kvb/framing/kvb_frame.h"
#include "tools/sim/sim_kvb_writer.h"
#include "tools/sim/sim_nmea_writer.h"

namespace {
// The order in which a navigation solution's outputs leave the receiver: binary first.
constexpr SimOutput kOutputOrder[] = {
    {kKvbClassNav, 0x06}, {kKvbClassNav, 0x01}, {kKvbClassNav, 0x02}, {kKvbClassNav, 0x08}, {kKvbClassNav, 0x03},
    {kKvbClassNav, 0x04}, {kKvbClassNav, 0x11}, {kKvbClassNav, 0x12}, {kKvbClassNav, 0x20}, {kKvbClassNav, 0x21},
    {kKvbClassNav, 0x22}, {kKvbClassNav, 0x30}, {kKvbClassNav, 0x31}, {kKvbClassNav, 0x32}, {kKvbClassNav, 0x33},
    {kKvbClassNav, 0x40}, {kSimNmeaClass, 4},   {kSimNmeaClass, 5},   {kSimNmeaClass, 0},   {kSimNmeaClass, 2},
    {kSimNmeaClass, 3},   {kSimNmeaClass, 1},   {kSimNmeaClass, 8},   {kSimPkvbClass, 0},   {kSimPkvbClass, 3},
    {kSimPkvbClass, 4},   {kSimNmeaClass, 6},   {kSimNmeaClass, 7},   {kSimNmeaClass, 9},   {kSimNmeaClass, 10},
};

constexpr uint8_t kCfgMsg = 0x01;
constexpr uint8_t kCfgRst = 0x04;
constexpr uint8_t kCfgCfg = 0x09;
constexpr uint8_t kMonVer = 0x04;
constexpr uint8_t kKvbClassAid = 0x0B;
constexpr uint8_t kOrbitTransfer = 0x50;
constexpr uint8_t kKvbClassLogger = 0x21;

constexpr size_t kRatePollLength = 2;
constexpr size_t kRateCommandLength = 3;
constexpr size_t kRatePerTargetLength = 6;
constexpr size_t kResetLength = 4;

constexpr uint8_t kResetHardware = 0;
constexpr uint8_t kResetSoftware = 1;
constexpr uint8_t kResetStop = 8;
constexpr uint8_t kResetStart = 9;
constexpr uint16_t kClearEphemeris = 0x0001;

constexpr uint8_t kInfProtocolKvb = 0;
constexpr uint8_t kInfProtocolNmea = 1;
// The notices' bit of the INF mask, and their id in the class INF.
constexpr uint8_t kInfNotice = 0x04;
constexpr uint8_t kInfNoticeId = 0x02;

const char* StartName(SimStart kind) {
    switch (kind) {
        case SimStart::Hot:
            return "HOT";
        case SimStart::Warm:
            return "WARM";
        case SimStart::Cold:
            break;
    }
    return "COLD";
}

// "$EIGPQ,GGA*hh": talker EI asks talker GP for one standard sentence; -1 for any other text.
int StandardQueryId(std::string_view text) {
    constexpr size_t kFormatterAt = 7;
    constexpr size_t kFormatterLength = 3;
    if (text.size() < kFormatterAt + kFormatterLength || text.substr(3, 4) != "GPQ,") return -1;
    return NmeaSentenceId(text.substr(kFormatterAt, kFormatterLength));
}

// "$PKVB,04*hh" asks for one proprietary sentence; -1 for any other text.
int ProprietaryQueryNumber(std::string_view text) {
    constexpr std::string_view kAddress = "$PKVB,";
    constexpr size_t kNumberLength = 2;
    constexpr size_t kChecksumAt = kAddress.size() + kNumberLength;
    if (!text.starts_with(kAddress) || text.size() <= kChecksumAt || text[kChecksumAt] != '*') return -1;
    return PkvbSentenceNumber(text.substr(kAddress.size(), kNumberLength));
}

// What a reset clears decides how the receiver starts again.
SimStart StartAfterClearing(uint16_t clearMask) {
    if (clearMask == 0) return SimStart::Hot;
    return clearMask == kClearEphemeris ? SimStart::Warm : SimStart::Cold;
}
}  // namespace

CSimReceiver::CSimReceiver(const SimReceiverConfig& config)
    : truth(config.truth),
      rates(config.kvb, config.nmea),
      settings(config.periodMs),
      orbit(config.orbit),
      logger(config.logger, config.truth, config.periodMs),
      notice("VELTRO SIMULATED RECEIVER 1.00") {}

const SimEpoch& CSimReceiver::NextEpoch(std::vector<uint8_t>& out) {
    const SimEpoch& epoch = truth.Advance(PeriodMs());
    if (stopped) return epoch;
    Announce(out);
    WriteOutputs(epoch, out);
    logger.OnEpoch(epoch);
    ++solutions;
    return epoch;
}

void CSimReceiver::WriteOutputs(const SimEpoch& epoch, std::vector<uint8_t>& out) {
    for (const SimOutput& output : kOutputOrder) {
        if (!rates.IsDue(output, solutions)) continue;
        if (output.messageClass == kKvbClassNav)
            AppendKvbNavMessage(output.id, epoch, out);
        else if (output.messageClass == kSimNmeaClass)
            AppendNmeaSentence(output.id, epoch, out);
        else
            AppendPkvbSentence(output.id, epoch, out);
    }
}

// A text notice after each start, in each protocol whose configuration lets notices out.
void CSimReceiver::Announce(std::vector<uint8_t>& out) {
    if (notice.empty()) return;
    if (settings.InfMask(kInfProtocolKvb) & kInfNotice) AppendKvbInformation(kInfNoticeId, notice, out);
    if (settings.InfMask(kInfProtocolNmea) & kInfNotice) AppendNmeaNotice(notice, out);
    notice.clear();
}

void CSimReceiver::Receive(const uint8_t* bytes, size_t length, std::vector<uint8_t>& out) {
    reader.Feed(bytes, length);
    CSimCommandReader::Command command;
    while (reader.Next(command)) Execute(command, out);
}

void CSimReceiver::Execute(const CSimCommandReader::Command& command, std::vector<uint8_t>& out) {
    if (!command.isKvb) {
        ExecuteNmeaQuery(command.bytes, out);
        return;
    }
    const std::span<const uint8_t> frame(command.bytes);
    if (frameListener) frameListener(frame);
    ExecuteKvb(frame[2], frame[3], frame.subspan(kKvbHeaderLength, frame.size() - kKvbFrameOverhead), out);
}

void CSimReceiver::ExecuteKvb(uint8_t messageClass, uint8_t id, std::span<const uint8_t> payload,
                              std::vector<uint8_t>& out) {
    const bool isPoll = payload.empty();
    if (messageClass == kKvbClassNav && isPoll && truth.Started()) AppendKvbNavMessage(id, truth.Current(), out);
    if (messageClass == kKvbClassMon && id == kMonVer && isPoll) AppendKvbMonVer(out);
    if (messageClass == kKvbClassAid && id == kOrbitTransfer) orbit.Execute(payload, out);
    if (messageClass == kKvbClassLogger) logger.Execute(id, payload, out);
    if (messageClass != kKvbClassCfg) return;
    if (id == kCfgMsg)
        ExecuteMessageRate(payload, out);
    else if (id == kCfgRst)
        ExecuteReset(payload);
    else if (id == kCfgCfg)
        saved.Execute(payload, settings, rates);
    else
        ExecuteConfiguration(id, payload, out);
}

// CFG-MSG: two bytes poll a rate, three set it, six set it per target (the receiver's port is one).
void CSimReceiver::ExecuteMessageRate(std::span<const uint8_t> payload, std::vector<uint8_t>& out) {
    if (payload.size() < kRatePollLength) return;
    const SimOutput output{payload[0], payload[1]};
    if (payload.size() == kRatePollLength) {
        uint8_t answer[kRatePerTargetLength] = {output.messageClass, output.id};
        answer[2 + kSimPort] = rates.Rate(output);
        AppendKvbFrame(kKvbClassCfg, kCfgMsg, answer, out);
    } else if (payload.size() == kRateCommandLength) {
        rates.Set(output, payload[2]);
    } else if (payload.size() == kRatePerTargetLength) {
        rates.Set(output, payload[2 + kSimPort]);
    }
}

// CFG-RST: what is cleared decides the kind of start; hardware and software resets also restart
// the time since start-up.
void CSimReceiver::ExecuteReset(std::span<const uint8_t> payload) {
    if (payload.size() != kResetLength) return;
    const uint16_t clearMask = static_cast<uint16_t>(payload[0] | payload[1] << 8);
    const uint8_t mode = payload[2];
    stopped = mode == kResetStop;
    if (stopped) return;
    const SimStart kind = mode == kResetStart ? SimStart::Hot : StartAfterClearing(clearMask);
    truth.Restart(kind, mode == kResetHardware || mode == kResetSoftware);
    notice = std::string("RESET, ") + StartName(kind) + " START";
}

void CSimReceiver::ExecuteConfiguration(uint8_t id, std::span<const uint8_t> payload, std::vector<uint8_t>& out) {
    if (settings.Set(id, payload)) return;
    if (auto answer = settings.Poll(id, payload)) AppendKvbFrame(kKvbClassCfg, id, *answer, out);
}

void CSimReceiver::ExecuteNmeaQuery(const std::vector<uint8_t>& sentence, std::vector<uint8_t>& out) {
    if (!truth.Started()) return;
    const std::string_view text(reinterpret_cast<const char*>(sentence.data()), sentence.size());
    if (const int number = ProprietaryQueryNumber(text); number >= 0)
        AppendPkvbSentence(static_cast<uint8_t>(number), truth.Current(), out);
    else if (const int id = StandardQueryId(text); id >= 0)
        AppendNmeaSentence(static_cast<uint8_t>(id), truth.Current(), out);
}
