#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text side of the small HTTP client: links, requests and reply headers, without sockets.
// Everything that comes from a server is taken as untrusted bytes.

// Host and path parts of a link are at most this long, with their terminating zero.
inline constexpr size_t kHttpPartCapacity = 1024;
// A GET request, with its terminating zero.
inline constexpr size_t kHttpRequestCapacity = 4096;

// "http://host/dir/file" (the prefix optional, in exactly that case) into "host" and "/dir/file".
// False without a "/" after the host, or when a part does not fit kHttpPartCapacity.
bool HttpSplitUrl(std::string_view link, std::string& host, std::string& path);
// "user:password@host" into the credentials before the first "@" and the host after it; without
// an "@" the credentials are none.
void HttpSplitCredentials(std::string_view hostPart, std::optional<std::string>& credentials, std::string& host);

// "host:8080" into the host and the port; without a port, the default. False for a port that is
// not 1 to 65535 in decimal digits.
bool HttpSplitPort(std::string_view hostPart, std::string& host, uint16_t& port, uint16_t defaultPort);

// ASCII letters compared without regard to case, whatever the user's locale.
bool HttpStartsWithIgnoringCase(std::string_view text, std::string_view start);

// Base64 (RFC 4648, "=" padding) of the bytes of text: four characters for every three bytes,
// while at least 5 bytes of room are left; a terminating zero when room is left. Returns the
// number of characters written.
int Base64Encode(const char* text, char* output, int room);

// The whole GET request, Basic authorization with the credentials when there are any; nullopt
// when it would not fit kHttpRequestCapacity, so that no request goes out cut short.
std::optional<std::string> HttpGetRequest(const std::string& host, const std::string& path,
                                          const std::optional<std::string>& credentials);

// The decimal number after the first "Content-Length:" (blanks skipped); 0 without one. A number
// beyond 64 bits reads as the largest.
uint64_t HttpGetContentLength(std::string_view header);

// What a download needs of a reply header (lines separated by line feeds): the status code of
// its first line ("HTTP/1.1 404 Not Found" gives 404; 0 when the line is no status line), that
// line itself, and the number of the Content-Length field, its name in any letter case, when
// the header has one.
struct HttpReplyHeader {
    int status = 0;
    std::string_view statusLine;
    std::optional<uint64_t> contentLength;
};
HttpReplyHeader ParseHttpReplyHeader(std::string_view header);
inline bool HttpIsSuccess(int status) { return status >= 200 && status <= 299; }

// A reply header taken a byte at a time: carriage returns are dropped, every other byte is stored
// and the text kept terminated, until the empty line that ends the header. At most capacity - 1
// bytes are stored, so the terminating zero always fits; a header that fills them without its
// empty line is refused.
class CHttpHeaderReader {
public:
    enum class State { Reading, Complete, Overflow };

    CHttpHeaderReader(char* buffer, int capacity);

    State Add(uint8_t byte);
    State Current() const { return state; }
    // The bytes stored, without the terminating zero.
    int Count() const { return count; }

private:
    char* buffer;
    int capacity;
    int count = 0;
    State state;
};
