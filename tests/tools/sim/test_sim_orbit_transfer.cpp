// The simulated receiver's side of the orbit-data transfer: the refusal and the silence that
// tests ask for (what it keeps is checked end to end, tests/e2e/test_cli_orbitpack.cpp).
#include <gtest/gtest.h>

#include "tools/sim/sim_orbit_transfer.h"

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kAcknowledgement = {0xA4, 0x51, 0x0B, 0x50, 0x01, 0x00, 0x01, 0x5D, 0x7B};
const Bytes kRefusal = {0xA4, 0x51, 0x0B, 0x50, 0x01, 0x00, 0x00, 0x5C, 0x7A};
const Bytes kCancel = {0xFF};

Bytes Answers(CSimOrbitTransfer& transfer, const std::vector<Bytes>& payloads) {
    Bytes out;
    for (const Bytes& payload : payloads) transfer.Execute(payload, out);
    return out;
}

Bytes Repeated(const Bytes& answer, size_t times) {
    Bytes all;
    for (size_t k = 0; k < times; ++k) all.insert(all.end(), answer.begin(), answer.end());
    return all;
}

TEST(SimOrbitTransfer, TheNamedBlockIsRefusedAndASilentReceiverAnswersNothing) {
    CSimOrbitTransfer refusing({.keepPath = {}, .refuseBlock = 2});
    Bytes expected = Repeated(kAcknowledgement, 2);
    expected.insert(expected.end(), kRefusal.begin(), kRefusal.end());
    expected.insert(expected.end(), kAcknowledgement.begin(), kAcknowledgement.end());
    EXPECT_EQ(Answers(refusing, {kCancel, {1}, {2}, kCancel}), expected);
    EXPECT_EQ(refusing.Kept(), Bytes{1});
    // The next transfer starts afresh.
    Answers(refusing, {kCancel, {7}, kCancel});
    EXPECT_EQ(refusing.Kept(), Bytes{7});

    CSimOrbitTransfer silent({.keepPath = {}, .refuseBlock = 0, .silent = true});
    EXPECT_TRUE(Answers(silent, {kCancel, {1}, kCancel}).empty());
    EXPECT_EQ(silent.Kept(), Bytes{1});
}

}  // namespace
