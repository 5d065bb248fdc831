#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "host/services/http_text.h"

namespace platform {
class CTcpSocket;
}

// The blocking socket side of the small HTTP client, shared by the Aidwell client and the
// Orbitpack download: no redirects, no chunked bodies, no persistent connections, no TLS. They
// report failure by their results and show nothing; a stop request ends every wait of them.

// A dotted address first, else the name's first IPv4 address; a failed connection is closed.
bool HttpConnect(platform::CTcpSocket& socket, const std::string& host, uint16_t port);
// The request in one send; false, with nothing sent, when it does not fit its buffer.
bool HttpSendGet(platform::CTcpSocket& socket, const std::string& host, const std::string& path,
                 const std::optional<std::string>& credentials);
// Reads the reply header a byte at a time up to its empty line, so the body stays unread (see
// CHttpHeaderReader). Returns the bytes stored, or -1 when the header filled the buffer without
// its empty line; a read error or the peer's close ends it early with what was stored.
int HttpReadHeader(platform::CTcpSocket& socket, char* buffer, int capacity);
// Receives exactly length bytes into buffer, as they come; fewer after a read error or the
// peer's close. Returns the count received.
int HttpReceiveBody(platform::CTcpSocket& socket, uint8_t* buffer, int length);
