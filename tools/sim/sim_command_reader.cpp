#include "sim_command_reader.h"

#include "plugins/kvb/framing/kvb_frame.h"
#include "plugins/nmea/framing/nmea_frame_check.h"

void CSimCommandReader::Feed(const uint8_t* bytes, size_t length) {
    pending.insert(pending.end(), bytes, bytes + length);
}

bool CSimCommandReader::Next(Command& command) {
    size_t at = 0;
    while (at < pending.size()) {
        const uint8_t* start = pending.data() + at;
        const int32_t available = static_cast<int32_t>(pending.size() - at);
        const int kvb = KvbCheckFrame(start, available);
        const int nmea = kvb > 0 ? 0 : NmeaCheckFrame(start, available);
        if (kvb > 0 || nmea > 0) {
            const size_t length = static_cast<size_t>(kvb > 0 ? kvb : nmea);
            command = {kvb > 0, {start, start + length}};
            pending.erase(pending.begin(), pending.begin() + static_cast<ptrdiff_t>(at + length));
            return true;
        }
        if ((kvb < 0 || nmea < 0) && pending.size() - at < kMaxPending) break;
        ++at;
    }
    pending.erase(pending.begin(), pending.begin() + static_cast<ptrdiff_t>(at));
    return false;
}
