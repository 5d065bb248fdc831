#include "http_client.h"

#include "platform/tcp_socket.h"

bool HttpConnect(platform::CTcpSocket& socket, const std::string& host, uint16_t port) {
    return socket.Connect(host, port);
}

bool HttpSendGet(platform::CTcpSocket& socket, const std::string& host, const std::string& path,
                 const std::optional<std::string>& credentials) {
    const std::optional<std::string> request = HttpGetRequest(host, path, credentials);
    return request && socket.SendAll(request->data(), request->size());
}

int HttpReadHeader(platform::CTcpSocket& socket, char* buffer, int capacity) {
    CHttpHeaderReader reader(buffer, capacity);
    uint8_t byte = 0;
    while (reader.Current() == CHttpHeaderReader::State::Reading && socket.Receive(&byte, 1) == 1) reader.Add(byte);
    return reader.Current() == CHttpHeaderReader::State::Overflow ? -1 : reader.Count();
}

int HttpReceiveBody(platform::CTcpSocket& socket, uint8_t* buffer, int length) {
    int received = 0;
    while (received < length) {
        const int n = socket.Receive(buffer + received, static_cast<size_t>(length - received));
        if (n <= 0) break;
        received += n;
    }
    return received;
}
