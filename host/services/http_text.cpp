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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Blanks, then decimal digits up to the first other character; a number beyond 64 bits reads as
// the largest.
uint64_t ParseDecimal(std::string_view text) {
    size_t next = 0;
    while (next < text.size() && (text[next] == ' ' || text[next] == '\t')) ++next;
    uint64_t value = 0;
    for (; next < text.size() && IsDigit(text[next]); ++next) {
        const unsigned digit = static_cast<unsigned>(text[next] - '0');
        if (value > (UINT64_MAX - digit) / 10) return UINT64_MAX;
        value = value * 10 + digit;
    }
    return value;
}

// "HTTP/1.1 200 OK": three digits after the version, then a blank or the end.
int StatusCode(std::string_view line) {
    constexpr std::string_view kVersion = "HTTP/";
    const size_t blank = line.find(' ');
    if (!line.starts_with(kVersion) || blank == std::string_view::npos || line.size() < blank + 4) return 0;
    const std::string_view code = line.substr(blank + 1, 3);
    if (!std::all_of(code.begin(), code.end(), IsDigit)) return 0;
    if (line.size() > blank + 4 && line[blank + 4] != ' ') return 0;
    return static_cast<int>(ParseDecimal(code));
}

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

bool HttpSplitPort(std::string_view hostPart, std::string& host, uint16_t& port, uint16_t defaultPort) {
    const size_t colon = hostPart.rfind(':');
    host = hostPart.substr(0, colon);
    port = defaultPort;
    if (colon == std::string_view::npos) return true;
    const std::string_view digits = hostPart.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 || !std::all_of(digits.begin(), digits.end(), IsDigit)) return false;
    const uint64_t number = ParseDecimal(digits);
    if (number < 1 || number > UINT16_MAX) return false;
    port = static_cast<uint16_t>(number);
    return true;
}

bool HttpStartsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() &&
           std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) { return Lower(a) == Lower(b); });
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
    return at == std::string_view::npos ? 0 : ParseDecimal(header.substr(at + kName.size()));
}

HttpReplyHeader ParseHttpReplyHeader(std::string_view header) {
    constexpr std::string_view kLengthName = "content-length:";
    HttpReplyHeader reply;
    reply.statusLine = header.substr(0, header.find('\n'));
    reply.status = StatusCode(reply.statusLine);
    size_t start = reply.statusLine.size() + 1;
    while (start < header.size()) {
        const std::string_view line = header.substr(start, header.find('\n', start) - start);
        if (!reply.contentLength && HttpStartsWithIgnoringCase(line, kLengthName))
            reply.contentLength = ParseDecimal(line.substr(kLengthName.size()));
        start += line.size() + 1;
    }
    return reply;
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
