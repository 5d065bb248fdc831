#pragma once
#include <cstdint>
#include <map>

// An output of the receiver as CFG-MSG addresses it: KVB class and id, or class 0xF0 and the
// sentence number for a standard NMEA sentence, or class 0xF1 and the number of a proprietary one.
struct SimOutput {
    uint8_t messageClass;
    uint8_t id;
};

constexpr uint8_t kSimNmeaClass = 0xF0;
constexpr uint8_t kSimPkvbClass = 0xF1;

// How often each output is written: rate n means in every n-th navigation solution, 0 never.
class CSimOutputRates {
public:
    // Every navigation message and standard sentence that the receiver writes, of the enabled
    // protocols, starts at rate 1; the proprietary sentences start switched off.
    CSimOutputRates(bool kvb, bool nmea);

    void Set(SimOutput output, uint8_t rate);
    uint8_t Rate(SimOutput output) const;
    // In the navigation solution with this number, counted from 0.
    bool IsDue(SimOutput output, uint64_t solution) const;

private:
    static uint16_t Key(SimOutput output) { return static_cast<uint16_t>(output.messageClass << 8 | output.id); }

    std::map<uint16_t, uint8_t> rates;
};
