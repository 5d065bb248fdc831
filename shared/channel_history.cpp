#include "channel_history.h"

#include <limits>

namespace {
constexpr float kNaNf = std::numeric_limits<float>::quiet_NaN();
}

CChannelHistory::CChannelHistory() { Reset(); }

void CChannelHistory::ClearSample(Sample& sample) {
    sample = Sample{};
    sample.azimuth = sample.elevation = kNaNf;
}

uint8_t CChannelHistory::ComputeState(const Sample& sample) {
    if (sample.satellite == 0) return STATE_EMPTY;
    if (sample.status & STATUS_USED) return STATE_USED;
    if (sample.status & STATUS_SECOND_SIGNAL) return STATE_SECOND_SIGNAL;
    return STATE_TRACKED;
}

CChannelHistory::Sample* CChannelHistory::Newest(int channel) {
    return IsChannel(channel) ? &samples[channel][newestPosition] : nullptr;
}

int CChannelHistory::ChannelOfSatellite(int n) const {
    const auto number = static_cast<uint16_t>(n);
    if (number == 0) return kChannels;
    for (int channel = 0; channel < kChannels; ++channel)
        if (At(channel, 0).satellite == number) return channel;
    int stalest = kChannels;
    uint8_t largestAge = 1;
    for (int channel = 0; channel < kChannels; ++channel) {
        if (At(channel, 0).age > largestAge) {
            largestAge = At(channel, 0).age;
            stalest = channel;
        }
    }
    return stalest;
}

void CChannelHistory::AssignSatellite(int channel, int n, SatelliteSystem system) {
    Sample* newest = Newest(channel);
    if (!newest) return;
    const auto number = static_cast<uint16_t>(n);
    if (newest->satellite != number || newest->system != system) {
        const uint8_t age = newest->age;
        ClearSample(*newest);
        newest->age = age;
        newest->satellite = number;
        newest->system = system;
        newest->state = ComputeState(*newest);
        for (int i = 1; i < kSamples; ++i) samples[channel][Position(i)].state = STATE_EMPTY;
        changed = true;
    }
    if (number != 0 && newest->age != 0) {
        newest->age = 0;
        changed = true;
    }
}

void CChannelHistory::SetAzimuth(int channel, double degrees) {
    if (Sample* newest = Newest(channel)) newest->azimuth = static_cast<float>(degrees);
}

void CChannelHistory::SetElevation(int channel, double degrees) {
    if (Sample* newest = Newest(channel)) newest->elevation = static_cast<float>(degrees);
}

void CChannelHistory::SetCn0(int channel, double value) {
    if (Sample* newest = Newest(channel)) {
        newest->cn0 = static_cast<float>(value);
        newest->setThisEpoch |= SET_CN0;
    }
}

void CChannelHistory::SetCn0Samples(int channel, const uint8_t* bytes, int count) {
    Sample* newest = Newest(channel);
    if (!newest) return;
    if (count < 0) count = 0;
    if (count > 255) count = 255;
    int sum = 0;
    int positive = 0;
    for (int i = 0; i < count; ++i) {
        if (bytes[i] > 0) {
            sum += bytes[i];
            ++positive;
        }
    }
    newest->cn0 = positive > 0 ? static_cast<float>(sum) / static_cast<float>(positive) : kNaNf;
    newest->measurements.assign(bytes, bytes + count);
    newest->setThisEpoch |= SET_CN0;
}

void CChannelHistory::SetUsed(int channel, int value) {
    Sample* newest = Newest(channel);
    if (!newest) return;
    if (value == 1)
        newest->status |= STATUS_USED;
    else
        newest->status &= static_cast<uint8_t>(~STATUS_USED);
    newest->setThisEpoch |= SET_USED;
    newest->state = ComputeState(*newest);
}

void CChannelHistory::SetSignalState(int channel, int value) {
    Sample* newest = Newest(channel);
    if (!newest || value != 2) return;
    newest->status |= STATUS_SECOND_SIGNAL;
    newest->setThisEpoch |= SET_STATUS;
    newest->state = ComputeState(*newest);
}

void CChannelHistory::CopyWithoutMeasurements(const Sample& from, Sample& to) {
    to.satellite = from.satellite;
    to.age = from.age;
    to.azimuth = from.azimuth;
    to.elevation = from.elevation;
    to.cn0 = from.cn0;
    to.measurements.clear();
    to.status = from.status;
    to.setThisEpoch = from.setThisEpoch;
    to.state = from.state;
    to.system = from.system;
}

void CChannelHistory::CloseEpoch() {
    const int closed = newestPosition;
    newestPosition = Position(kSamples - 1);
    for (auto& channel : samples) {
        Sample& done = channel[closed];
        if (!(done.setThisEpoch & SET_CN0)) done.cn0 = 0;
        if (!(done.setThisEpoch & SET_USED)) done.status &= static_cast<uint8_t>(~STATUS_USED);
        if (!(done.setThisEpoch & SET_STATUS)) done.status &= static_cast<uint8_t>(~STATUS_SECOND_SIGNAL);
        done.state = ComputeState(done);
        // The oldest sample makes way for the new epoch's, which starts as a copy of the closed one.
        Sample& next = channel[newestPosition];
        CopyWithoutMeasurements(done, next);
        if (next.age < kStaleAge) ++next.age;
        next.setThisEpoch = 0;
    }
    changed = true;
}

void CChannelHistory::Reset() {
    for (auto& channel : samples)
        for (Sample& sample : channel) ClearSample(sample);
    newestPosition = 0;
    changed = true;
}
