// The host's KVB frames and the two fixed sequences sent to the receiver: the resets, and the
// diagnostic outputs run as a worker whose bytes go through the frame's window.
#include <gtest/gtest.h>

#include "host/services/diagnostic_outputs.h"
#include "host/services/kvb_frame.h"
#include "host/services/receiver_commands.h"
#include "tests/host/services/worker_harness.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Frame(uint8_t messageClass, uint8_t id, const Bytes& payload) {
    Bytes frame(payload.size() + kKvbFrameExtraBytes);
    frame.resize(static_cast<size_t>(
        BuildKvbFrame(frame.data(), messageClass, id, payload.data(), static_cast<int>(payload.size()))));
    return frame;
}

TEST(KvbFrame, PollsRateCommandsAndResetsHaveTheirKnownBytes) {
    EXPECT_EQ(Frame(0x01, 0x06, {}), (Bytes{0xA4, 0x51, 0x01, 0x06, 0x00, 0x00, 0x07, 0x16}));
    EXPECT_EQ(Frame(0x06, 0x01, {0x01, 0x06, 0x01}),
              (Bytes{0xA4, 0x51, 0x06, 0x01, 0x03, 0x00, 0x01, 0x06, 0x01, 0x12, 0x4F}));
    // The stored reset frames are the CFG-RST messages that clear nothing, the ephemeris, everything.
    const std::pair<ResetKind, Bytes> resets[] = {{ResetKind::Hot, {0x00, 0x00, 0x02, 0x00}},
                                                  {ResetKind::Warm, {0x01, 0x00, 0x02, 0x00}},
                                                  {ResetKind::Cold, {0xFF, 0x07, 0x02, 0x00}}};
    for (const auto& [kind, payload] : resets) {
        const std::span<const uint8_t> stored = ResetFrame(kind);
        EXPECT_EQ(Bytes(stored.begin(), stored.end()), Frame(0x06, 0x04, payload)) << ResetName(kind).size();
    }
    EXPECT_TRUE(ResetFrame(ResetKindOf(0)).empty());
    EXPECT_TRUE(ResetFrame(ResetKindOf(4)).empty());
    EXPECT_EQ(ResetKindOf(2), ResetKind::Warm);
    uint8_t untouched[8] = {};
    EXPECT_EQ(BuildKvbFrame(untouched, 0x06, 0x01, nullptr, -1), 0);
    EXPECT_EQ(untouched[0], 0);
}

TEST(DiagnosticOutputs, TwentyOneFramesInOrderThenDone) {
    WorkerHarness harness;
    const auto started = WorkerHarness::Clock::now();
    EXPECT_EQ(harness.Run(DiagnosticOutputsWorker), kWorkerDone);
    ASSERT_EQ(harness.sent.size(), 21u);
    EXPECT_EQ(harness.sent[1].bytes, (Bytes{0xA4, 0x51, 0x06, 0x01, 0x03, 0x00, 0x01, 0x22, 0x01, 0x2E, 0x87}));
    EXPECT_EQ(harness.sent[18].bytes, (Bytes{0xA4, 0x51, 0x0A, 0x09, 0x00, 0x00, 0x13, 0x43}));
    EXPECT_EQ(harness.sent[0].bytes.size(), 16u);
    EXPECT_EQ(harness.sent[4].bytes[8], 0x1E);
    EXPECT_EQ(harness.statuses.front(), u"Enable Any KVB INF");
    EXPECT_EQ(harness.statuses[18], u"Poll MON HW");
    EXPECT_EQ(harness.statuses.back(), u"Done ...");
    EXPECT_EQ(harness.maximum, 21);
    EXPECT_EQ(harness.position, 20);
    // 50 ms after each frame.
    EXPECT_GE(WorkerHarness::Clock::now() - started, std::chrono::milliseconds(21 * 50));
}

TEST(DiagnosticOutputs, CancellingDuringStepTenSendsNoLaterStep) {
    WorkerHarness harness;
    const int code = harness.Run(DiagnosticOutputsWorker, [&] {
        return !harness.statuses.empty() && harness.statuses.back() == u"Enable TRK COMB2";
    });
    EXPECT_EQ(code, kWorkerFailed);
    ASSERT_GE(harness.sent.size(), 10u);
    ASSERT_LE(harness.sent.size(), 11u);
    for (size_t k = 0; k < harness.sent.size(); ++k) {
        const DiagnosticStep& step = DiagnosticSteps()[k];
        EXPECT_EQ(harness.sent[k].bytes, Frame(step.messageClass, step.id, {step.payload.begin(), step.payload.end()}));
    }
    EXPECT_LT(harness.cancelTook, std::chrono::milliseconds(200));
}

}  // namespace
