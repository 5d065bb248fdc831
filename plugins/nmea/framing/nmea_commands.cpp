#include "plugins/nmea/framing/nmea_commands.h"

#include <cstring>
#include <string>
#include <string_view>

#include "platform/text.h"
#include "plugins/nmea/framing/nmea_frame_check.h"
#include "shared/message_node.h"

namespace {

constexpr int kRateCommandLength = 11;
constexpr uint8_t kStandardNmeaClass = 0xF0;

// KVB frames carry the 8-bit Fletcher sums over class, id, length and payload.
void AppendFletcherChecksum(uint8_t* frame, int checkedLength) {
    uint8_t a = 0;
    uint8_t b = 0;
    for (int i = 2; i < 2 + checkedLength; ++i) {
        a = static_cast<uint8_t>(a + frame[i]);
        b = static_cast<uint8_t>(b + a);
    }
    frame[2 + checkedLength] = a;
    frame[3 + checkedLength] = b;
}

}  // namespace

bool NmeaBuildPoll(const CMessageNode& node, uint8_t* buffer, int& outLength, int bufferSize) {
    outLength = 0;
    const std::u16string_view name = node.Name() ? node.Name() : u"";
    if (name.size() < 5 || !buffer) return false;
    // The query addresses the talker of the node's sentence.
    std::string query =
        "$EI" + platform::WideToAnsi(name.substr(0, 2)) + "Q," + platform::WideToAnsi(name.substr(2, 3));
    const auto* body = reinterpret_cast<const uint8_t*>(query.data()) + 1;
    query += platform::FormatC("*%02X\r\n", NmeaChecksum(body, static_cast<int>(query.size()) - 1));
    if (static_cast<int>(query.size()) > bufferSize) return false;
    std::memcpy(buffer, query.data(), query.size());
    outLength = static_cast<int>(query.size());
    return true;
}

bool NmeaBuildRateCommand(int messageId, bool enable, uint8_t* buffer, int& outLength, int capacity) {
    outLength = 0;
    if (!buffer || capacity < kRateCommandLength) return false;
    const auto id = static_cast<uint8_t>(messageId);
    const uint8_t rate = enable ? 1 : 0;
    const uint8_t frame[] = {0xA4, 0x51, 0x06, 0x01, 0x03, 0x00, kStandardNmeaClass, id, rate};
    std::memcpy(buffer, frame, sizeof frame);
    AppendFletcherChecksum(buffer, sizeof frame - 2);
    outLength = kRateCommandLength;
    return true;
}
