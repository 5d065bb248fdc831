#include "http_text.h"

#include <algorithm>
#include <cstring>

#include "platform/text.h"

namespace {

constexpr std::string_view kScheme = "http://";
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
// Four characters and the terminating zero.
constexpr int kBase64GroupRoom = 5;

int Base64Length(size_t bytes) { return static_cast<int>((bytes + 2) / 3 * 4); }

}  // namespace

bool HttpSplitUrl(std::string_view link, std::string& host, std::string& path) {
    if (link.starts_with(kScheme)) link.remove_prefix(kScheme.size());
    const size_t slash = link.find('/');
    if (slash == std::string_view::npos) return false;
    if (slash >= kHttpPartCapacity || link.size() - slash >= kHttpPartCapacity) return false;
    host = link.substr(0, slash);
    path = link.substr(slash);
    return true;
}

void HttpSplitCredentials(std::string_view hostPart, std::optional<std::string>& credentials, std::string& host) {
    const size_t at = hostPart.find('@');
    credentials.reset();
    if (at != std::string_view::npos) credentials = std::string(hostPart.substr(0, at));
    host = hostPart.substr(at == std::string_view::npos ? 0 : at + 1);
}

int Base64Encode(const char* text, char* output, int room) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text);
    size_t left = std::strlen(text);
    int written = 0;
    while (left > 0 && room - written >= kBase64GroupRoom) {
        const size_t take = std::min<size_t>(left, 3);
        const uint32_t group = bytes[0] << 16 | (take > 1 ? bytes[1] << 8 : 0) | (take > 2 ? bytes[2] : 0);
        for (size_t k = 0; k < 4; ++k)
            output[written + static_cast<int>(k)] = k <= take ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
        written += 4;
        bytes += take;
        left -= take;
    }
    if (written < room) output[written] = '\0';
    return written;
}

std::optional<std::string> HttpGetRequest(const std::string& host, const std::string& path,
                                          const std::optional<std::string>& credentials) {
    std::string request = platform::FormatC("GET %s HTTP/1.1\r\nHost: %s\r\nAccept: */*\r\nConnection: Keep-Alive\r\n",
                                            path.c_str(), host.c_str());
    if (credentials) {
        std::string encoded(static_cast<size_t>(Base64Length(credentials->size())) + 1, '\0');
        encoded.resize(
            static_cast<size_t>(Base64Encode(credentials->c_str(), encoded.data(), static_cast<int>(encoded.size()))));
        request += "Authorization: Basic " + encoded + "\r\n";
    }
    request += "\r\n";
    if (request.size() >= kHttpRequestCapacity) return std::nullopt;
    return request;
}

uint64_t HttpGetContentLength(std::string_view header) {
    constexpr std::string_view kName = "Content-Length:";
    const size_t at = header.find(kName);
    if (at == std::string_view::npos) return 0;
    size_t next = at + kName.size();
    while (next < header.size() && (header[next] == ' ' || header[next] == '\t')) ++next;
    uint64_t length = 0;
    for (; next < header.size() && header[next] >= '0' && header[next] <= '9'; ++next) {
        const unsigned digit = static_cast<unsigned>(header[next] - '0');
        if (length > (UINT64_MAX - digit) / 10) return UINT64_MAX;
        length = length * 10 + digit;
    }
    return length;
}

CHttpHeaderReader::CHttpHeaderReader(char* buffer, int capacity)
    : buffer(buffer), capacity(capacity), state(capacity > 0 ? State::Reading : State::Overflow) {
    if (capacity > 0) buffer[0] = '\0';
}

CHttpHeaderReader::State CHttpHeaderReader::Add(uint8_t byte) {
    if (state != State::Reading || byte == '\r') return state;
    if (count >= capacity - 1) return state = State::Overflow;
    buffer[count++] = static_cast<char>(byte);
    buffer[count] = '\0';
    if (count >= 2 && buffer[count - 1] == '\n' && buffer[count - 2] == '\n') return state = State::Complete;
    if (count == capacity - 1) state = State::Overflow;
    return state;
}
