#include "aidwell_reply.h"

#include "host/services/http_text.h"

namespace {

constexpr std::string_view kLengthHeader = "Content-Length: ";
constexpr std::string_view kTypeHeader = "Content-Type: ";
constexpr std::string_view kBinaryType = "application/kvb";
constexpr std::string_view kTextType = "text/plain";
constexpr size_t kSmallestMessage = 9;
constexpr size_t kFrameExtraBytes = 8;

AidwellContent ContentOf(std::string_view type) {
    if (HttpStartsWithIgnoringCase(type, kBinaryType)) return AidwellContent::Binary;
    if (HttpStartsWithIgnoringCase(type, kTextType)) return AidwellContent::Text;
    return AidwellContent::Other;
}

}  // namespace

AidwellReplyHeader ParseAidwellReplyHeader(std::string_view header) {
    AidwellReplyHeader reply;
    if (const size_t at = header.find(kLengthHeader); at != std::string_view::npos)
        reply.length = HttpGetContentLength(header.substr(at));
    if (const size_t at = header.find(kTypeHeader); at != std::string_view::npos)
        reply.content = ContentOf(header.substr(at + kTypeHeader.size()));
    return reply;
}

size_t NextAidingPiece(std::span<const uint8_t> rest) {
    if (rest.size() < kSmallestMessage || rest[0] != 0xA4 || rest[1] != 0x51) return rest.size();
    const size_t length = (rest[4] | static_cast<size_t>(rest[5]) << 8) + kFrameExtraBytes;
    return length <= rest.size() ? length : rest.size();
}
