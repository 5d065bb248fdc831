#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "platform/export.h"
#include "shared/satellite_systems.h"

// The receiver's tracking channels, each with its last 20 epochs of samples (newest first), read
// by the satellite views. KVB receivers number 16 channels; NMEA sentences of several systems fill
// as many as the receiver tracks, up to 64. Channel numbers come from the receiver: every
// operation ignores a channel outside the table.
class VELTRO_EXPORT CChannelHistory {
public:
    static constexpr int kChannels = 64;
    // What a KVB receiver has, and the views show at most unless more are fresh.
    static constexpr int kClassicChannels = 16;
    static constexpr int kSamples = 20;
    static constexpr uint8_t kStaleAge = 20;

    enum StatusBits : uint8_t { STATUS_USED = 0x02, STATUS_SECOND_SIGNAL = 0x04 };
    enum SetBits : uint8_t { SET_CN0 = 0x01, SET_USED = 0x02, SET_STATUS = 0x04 };
    enum State : uint8_t { STATE_TRACKED = 1, STATE_SECOND_SIGNAL = 2, STATE_USED = 3, STATE_EMPTY = 10 };

    struct Sample {
        uint16_t satellite = 0;  // wider than a byte: Galileo and BeiDou count from 301 and 401
        uint8_t age = kStaleAge;
        float azimuth;
        float elevation;
        float cn0 = 0;
        std::vector<uint8_t> measurements;
        uint8_t status = 0;
        uint8_t setThisEpoch = 0;
        uint8_t state = STATE_EMPTY;
        // The system of a satellite numbered across systems; None for the numbering of the GP
        // talker and of KVB, which the views name by number alone.
        SatelliteSystem system = SatelliteSystem::None;
    };

    CChannelHistory();

    // The channel whose newest sample holds satellite n, else the stalest channel (largest age
    // above 1, first of equals); kChannels when n is 0 or there is none.
    int ChannelOfSatellite(int n) const;
    void AssignSatellite(int channel, int n, SatelliteSystem system = SatelliteSystem::None);
    void SetAzimuth(int channel, double degrees);
    void SetElevation(int channel, double degrees);
    void SetCn0(int channel, double value);
    void SetCn0Samples(int channel, const uint8_t* bytes, int count);
    void SetUsed(int channel, int value);
    void SetSignalState(int channel, int value);

    void CloseEpoch();
    void EndRefresh() { changed = false; }
    void Reset();

    const Sample& At(int channel, int sample) const { return samples[channel][Position(sample)]; }
    bool IsChanged() const { return changed; }

private:
    static bool IsChannel(int channel) { return channel >= 0 && channel < kChannels; }
    static void ClearSample(Sample& sample);
    static void CopyWithoutMeasurements(const Sample& from, Sample& to);
    static uint8_t ComputeState(const Sample& sample);
    Sample* Newest(int channel);
    // Where the sample that many epochs old sits in a channel's ring.
    int Position(int sample) const { return (newestPosition + sample) % kSamples; }

    // Each channel's samples form a ring with a common start, so an epoch's close moves nothing.
    std::array<std::array<Sample, kSamples>, kChannels> samples;
    int newestPosition = 0;
    bool changed = false;
};
