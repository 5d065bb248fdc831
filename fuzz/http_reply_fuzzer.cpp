// Arbitrary bytes as a server's reply: the header taken a byte at a time into a buffer of exactly
// the capacity the first byte picks, the content headers read from what was stored (as the
// Aidwell client and as the Orbitpack download read them), the header as a link, and the
// aiding walk over the rest. Nothing may be read or written outside a buffer, the header stays
// terminated within its capacity, and the pieces cover the rest exactly.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/services/aidwell_reply.h"
#include "host/services/aidwell_worker.h"
#include "host/services/http_text.h"
#include "host/services/orbitpack_download.h"

namespace {

// Small capacities reach the full buffer; 0xFF is the Aidwell client's own.
int CapacityOf(uint8_t pick) { return pick == 0xFF ? kAidwellHeaderCapacity : pick; }

size_t ReadHeader(std::span<const uint8_t> reply, int capacity, std::string& header) {
    std::vector<char> buffer(static_cast<size_t>(capacity));
    CHttpHeaderReader reader(buffer.data(), capacity);
    size_t used = 0;
    while (used < reply.size() && reader.Add(reply[used++]) == CHttpHeaderReader::State::Reading) {
    }
    const int count = reader.Count();
    if (capacity > 0 && (count < 0 || count >= capacity || buffer[static_cast<size_t>(count)] != '\0'))
        __builtin_trap();
    header.assign(buffer.data(), static_cast<size_t>(count));
    return used;
}

void ReadHeaders(const std::string& header) {
    HttpGetContentLength(header);
    const AidwellReplyHeader reply = ParseAidwellReplyHeader(header);
    if (reply.length && *reply.length != HttpGetContentLength(header.substr(header.find("Content-Length: "))))
        __builtin_trap();
    std::string host, path;
    if (HttpSplitUrl(header, host, path) && (host.size() >= kHttpPartCapacity || path.size() >= kHttpPartCapacity))
        __builtin_trap();
    const std::optional<std::string> request = HttpGetRequest(host, path, header);
    if (request && request->size() >= kHttpRequestCapacity) __builtin_trap();
    const HttpReplyHeader download = ParseHttpReplyHeader(header);
    if (download.status < 0 || download.status > 999 || download.statusLine.size() > header.size()) __builtin_trap();
    OrbitpackLink link;
    if (ParseOrbitpackLink(header, link) && (link.port == 0 || link.host.empty())) __builtin_trap();
}

// The rest in a buffer of exactly its size, so that a piece past it is caught.
void WalkAiding(std::span<const uint8_t> rest) {
    const std::vector<uint8_t> data(rest.begin(), rest.end());
    size_t sent = 0;
    while (sent < data.size()) {
        const size_t piece = NextAidingPiece(std::span(data).subspan(sent));
        if (piece == 0 || piece > data.size() - sent) __builtin_trap();
        sent += piece;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::span<const uint8_t> reply(data + 1, size - 1);
    std::string header;
    const size_t used = ReadHeader(reply, CapacityOf(data[0]), header);
    ReadHeaders(header);
    WalkAiding(reply.subspan(used));
    return 0;
}
