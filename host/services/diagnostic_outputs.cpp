#include "diagnostic_outputs.h"

#include <array>

#include "host/services/kvb_frame.h"
#include "host/services/worker_run.h"

namespace {

constexpr uint8_t kClassCfg = 0x06;
constexpr uint8_t kClassMon = 0x0A;
constexpr uint8_t kCfgInf = 0x02;
constexpr uint8_t kCfgMsg = 0x01;
// What the receiver's input buffer takes between two frames.
constexpr uint32_t kPauseMs = 50;
constexpr size_t kLargestPayload = 8;

constexpr uint8_t kAnyInf[] = {0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};

// CFG-MSG payloads: message class, message id, output rate in navigation solutions.
constexpr uint8_t kNavClock[] = {0x01, 0x22, 0x01};
constexpr uint8_t kNavSol[] = {0x01, 0x06, 0x01};
constexpr uint8_t kNavSvInfo[] = {0x01, 0x30, 0x01};
constexpr uint8_t kRxmSvsi[] = {0x02, 0x20, 0x1E};
constexpr uint8_t kRxmStatus[] = {0x02, 0x21, 0x01};
constexpr uint8_t kDbg11[] = {0x0C, 0x0B, 0x01};
constexpr uint8_t kDbg12[] = {0x0C, 0x0C, 0x01};
constexpr uint8_t kDbgNav[] = {0x0C, 0x10, 0x01};
constexpr uint8_t kTrkComb[] = {0x03, 0x03, 0x01};
constexpr uint8_t kTrkComb2[] = {0x03, 0x08, 0x01};
constexpr uint8_t kTrkSfrb[] = {0x03, 0x02, 0x01};
constexpr uint8_t kTrkThrs[] = {0x03, 0x04, 0x01};
constexpr uint8_t kTrkThrs2[] = {0x03, 0x09, 0x01};
constexpr uint8_t kTrkTrkd[] = {0x03, 0x05, 0x01};
constexpr uint8_t kTrkTrkd2[] = {0x03, 0x06, 0x01};
constexpr uint8_t kTrkTrkd5[] = {0x03, 0x0A, 0x01};
constexpr uint8_t kTrkTrkdg[] = {0x03, 0x07, 0x01};

constexpr DiagnosticStep kSteps[] = {
    {u"Enable Any KVB INF", kClassCfg, kCfgInf, kAnyInf},
    {u"Enable NAV CLOCK", kClassCfg, kCfgMsg, kNavClock},
    {u"Enable NAV SOL", kClassCfg, kCfgMsg, kNavSol},
    {u"Enable NAV SVINFO", kClassCfg, kCfgMsg, kNavSvInfo},
    {u"Enable RXM SVSI every 30", kClassCfg, kCfgMsg, kRxmSvsi},
    {u"Enable RXM STATUS", kClassCfg, kCfgMsg, kRxmStatus},
    {u"Enable DBG-11", kClassCfg, kCfgMsg, kDbg11},
    {u"Enable DBG-12", kClassCfg, kCfgMsg, kDbg12},
    {u"Enable DBG-NAV", kClassCfg, kCfgMsg, kDbgNav},
    {u"Enable TRK COMB", kClassCfg, kCfgMsg, kTrkComb},
    {u"Enable TRK COMB2", kClassCfg, kCfgMsg, kTrkComb2},
    {u"Enable TRK SFRB", kClassCfg, kCfgMsg, kTrkSfrb},
    {u"Enable TRK THRS", kClassCfg, kCfgMsg, kTrkThrs},
    {u"Enable TRK THRS2", kClassCfg, kCfgMsg, kTrkThrs2},
    {u"Enable TRK TRKD", kClassCfg, kCfgMsg, kTrkTrkd},
    {u"Enable TRK TRKD2", kClassCfg, kCfgMsg, kTrkTrkd2},
    {u"Enable TRK TRKD5", kClassCfg, kCfgMsg, kTrkTrkd5},
    {u"Enable TRK TRKDG", kClassCfg, kCfgMsg, kTrkTrkdg},
    {u"Poll MON HW", kClassMon, 0x09, {}},
    {u"Poll MON EXCEPT", kClassMon, 0x05, {}},
    {u"Poll MON SWVER", kClassMon, 0x04, {}},
};

constexpr bool PayloadsFit() {
    for (const DiagnosticStep& step : kSteps)
        if (step.payload.size() > kLargestPayload) return false;
    return true;
}
static_assert(PayloadsFit());

}  // namespace

std::span<const DiagnosticStep> DiagnosticSteps() { return kSteps; }

int DiagnosticOutputsWorker(CWorkerContext& context) {
    context.SetRange(0, static_cast<int>(std::size(kSteps)));
    context.SetPosition(0);
    int index = 0;
    for (const DiagnosticStep& step : kSteps) {
        if (context.StopRequested()) return kWorkerFailed;
        std::array<uint8_t, kLargestPayload + kKvbFrameExtraBytes> frame;
        const int length = BuildKvbFrame(frame.data(), step.messageClass, step.id, step.payload.data(),
                                         static_cast<int>(step.payload.size()));
        context.SetStatus(step.text);
        context.SendToReceiver(frame.data(), length);
        context.SetPosition(index++);
        if (!context.Wait(kPauseMs)) return kWorkerFailed;
    }
    context.SetStatus(u"Done ...");
    return kWorkerDone;
}
