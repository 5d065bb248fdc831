#include "plugins/kvb/framing/kvb_length_rule.h"

#include <algorithm>

#include "plugins/kvb/framing/kvb_frame.h"

bool KvbLengthRule::Accepts(const uint8_t* frame, int length) const {
    if (length < kKvbFrameOverhead) return false;
    const int fixedPart = lengths[0];
    switch (kind) {
        case Kind::Fixed:
            return std::find(lengths.begin(), lengths.end(), length) != lengths.end();
        case Kind::Counted: {
            // The count byte is read only once the frame is known to reach it.
            if (length < fixedPart || length <= countOffset) return false;
            const int count = frame[countOffset];
            return std::any_of(blockSizes.begin(), blockSizes.end(),
                               [&](int recordSize) { return length == fixedPart + recordSize * count; });
        }
        case Kind::Repeated:
            return length >= fixedPart && (length - fixedPart) % blockSizes[0] == 0;
    }
    return false;
}
