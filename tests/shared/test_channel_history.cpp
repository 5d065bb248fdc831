#include <gtest/gtest.h>

#include <cmath>

#include "shared/channel_history.h"

TEST(ChannelHistory, IgnoresChannelsOutsideTheTable) {
    CChannelHistory channels;
    const int none = channels.ChannelOfSatellite(0);
    EXPECT_EQ(none, CChannelHistory::kChannels);
    // Callers pass channel numbers from the receiver and the "none" answer straight on.
    for (int bad : {none, -1, 255}) {
        channels.AssignSatellite(bad, 7);
        channels.SetCn0(bad, 40);
        uint8_t samples[] = {40, 41};
        channels.SetCn0Samples(bad, samples, 2);
        channels.SetUsed(bad, 1);
        channels.SetSignalState(bad, 2);
        channels.SetAzimuth(bad, 10);
        channels.SetElevation(bad, 10);
    }
    for (int c = 0; c < CChannelHistory::kChannels; ++c) EXPECT_EQ(channels.At(c, 0).satellite, 0);
}

TEST(ChannelHistory, TracksStateAndAgeOverEpochs) {
    CChannelHistory channels;
    channels.AssignSatellite(2, 17);
    EXPECT_EQ(channels.ChannelOfSatellite(17), 2);
    EXPECT_TRUE(std::isnan(channels.At(2, 0).azimuth));
    channels.SetCn0(2, 42);
    channels.SetUsed(2, 1);
    EXPECT_EQ(channels.At(2, 0).state, CChannelHistory::STATE_USED);
    channels.CloseEpoch();
    EXPECT_EQ(channels.At(2, 1).cn0, 42);
    EXPECT_EQ(channels.At(2, 1).state, CChannelHistory::STATE_USED);
    EXPECT_EQ(channels.At(2, 0).age, 1);
    // Nothing set in the next epoch: C/N0 drops to 0 and the used bit is cleared at the close.
    channels.CloseEpoch();
    EXPECT_EQ(channels.At(2, 1).cn0, 0);
    EXPECT_EQ(channels.At(2, 1).state, CChannelHistory::STATE_TRACKED);
    EXPECT_EQ(channels.At(2, 0).age, 2);
    // A new satellite is offered the stalest channel: an empty one before channel 2.
    EXPECT_EQ(channels.ChannelOfSatellite(5), 0);
    for (int c = 0; c < CChannelHistory::kChannels; ++c)
        if (c != 2) channels.AssignSatellite(c, 40 + c);
    EXPECT_EQ(channels.ChannelOfSatellite(5), 2);
}

TEST(ChannelHistory, MeasurementsAverageOnlyPositiveSamples) {
    CChannelHistory channels;
    channels.AssignSatellite(0, 3);
    const uint8_t samples[] = {0, 40, 44};
    channels.SetCn0Samples(0, samples, 3);
    EXPECT_EQ(channels.At(0, 0).cn0, 42);
    EXPECT_EQ(channels.At(0, 0).measurements.size(), 3u);
    const uint8_t zeros[] = {0, 0};
    channels.SetCn0Samples(0, zeros, 2);
    EXPECT_TRUE(std::isnan(channels.At(0, 0).cn0));
    channels.CloseEpoch();
    EXPECT_TRUE(channels.At(0, 0).measurements.empty());
    EXPECT_EQ(channels.At(0, 1).measurements.size(), 2u);
}

TEST(ChannelHistory, ReassigningAChannelClearsItsHistoryStates) {
    CChannelHistory channels;
    channels.AssignSatellite(4, 9);
    channels.SetSignalState(4, 2);
    EXPECT_EQ(channels.At(4, 0).state, CChannelHistory::STATE_SECOND_SIGNAL);
    channels.CloseEpoch();
    channels.AssignSatellite(4, 11);
    EXPECT_EQ(channels.At(4, 0).satellite, 11);
    EXPECT_EQ(channels.At(4, 0).status, 0);
    EXPECT_EQ(channels.At(4, 1).state, CChannelHistory::STATE_EMPTY);
    EXPECT_EQ(channels.At(4, 0).age, 0);
}
