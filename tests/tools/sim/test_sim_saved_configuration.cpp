// CFG-CFG on the simulated receiver: the configuration it saves, loads and clears is what its
// polls and its navigation rate show afterwards.
#include <gtest/gtest.h>

#include <vector>

#include "plugins/kvb/framing/kvb_frame.h"
#include "tools/sim/sim_receiver.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr uint8_t kRate = 0x08;
constexpr uint8_t kConfiguration = 0x09;
constexpr uint8_t kMessage = 0x01;

Bytes Frame(uint8_t id, const Bytes& payload) {
    Bytes frame(payload.size() + kKvbFrameOverhead);
    int length = 0;
    KvbBuildFrame(kKvbClassCfg, id, payload, frame.data(), length, static_cast<int>(frame.size()));
    return frame;
}

Bytes Send(CSimReceiver& receiver, const Bytes& frame) {
    Bytes answer;
    receiver.Receive(frame.data(), frame.size(), answer);
    return answer;
}

Bytes Masks(uint32_t clear, uint32_t save, uint32_t load) {
    Bytes payload;
    for (const uint32_t mask : {clear, save, load})
        for (int shift = 0; shift < 32; shift += 8) payload.push_back(static_cast<uint8_t>(mask >> shift));
    return payload;
}

TEST(SimSavedConfiguration, SavedPartsComeBackOnLoadAndClearedOnesGoBackToTheFactorys) {
    CSimReceiver receiver(SimReceiverConfig{});
    constexpr uint32_t kNavigationGroup = 1u << 3;
    constexpr uint32_t kRatesGroup = 1u << 1;
    constexpr uint32_t kAll = 0xFFFFFFFF;
    Send(receiver, Frame(kRate, {200, 0, 1, 0, 1, 0}));
    Send(receiver, Frame(kMessage, {0x01, 0x06, 0, 0, 0, 0}));
    Send(receiver, Frame(kConfiguration, Masks(0, kNavigationGroup | kRatesGroup, 0)));
    Send(receiver, Frame(kRate, {0xF4, 0x01, 1, 0, 1, 0}));
    Send(receiver, Frame(kMessage, {0x01, 0x06, 0, 1, 0, 0}));
    EXPECT_EQ(500u, receiver.PeriodMs());

    Send(receiver, Frame(kConfiguration, Masks(0, 0, kNavigationGroup)));
    EXPECT_EQ(200u, receiver.PeriodMs());
    EXPECT_EQ(1, receiver.Rates().Rate({0x01, 0x06}));  // the rates were not loaded
    Send(receiver, Frame(kConfiguration, Masks(0, 0, kAll)));
    EXPECT_EQ(0, receiver.Rates().Rate({0x01, 0x06}));

    Send(receiver, Frame(kConfiguration, Masks(kAll, 0, kAll)));
    EXPECT_EQ(1000u, receiver.PeriodMs());
    EXPECT_EQ(1, receiver.Rates().Rate({0x01, 0x06}));
    EXPECT_EQ(Frame(kRate, {0xE8, 0x03, 1, 0, 1, 0}), Send(receiver, Frame(kRate, {})));
    // No poll answers CFG-CFG, and a frame of another length does nothing.
    EXPECT_TRUE(Send(receiver, Frame(kConfiguration, {})).empty());
    Send(receiver, Frame(kRate, {200, 0, 1, 0, 1, 0}));
    Send(receiver, Frame(kConfiguration, Bytes(11, 0xFF)));
    EXPECT_EQ(200u, receiver.PeriodMs());
}

}  // namespace
