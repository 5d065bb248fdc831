// The small HTTP client over real sockets, against a server on 127.0.0.1: links, requests,
// headers and their bounds.
#include <gtest/gtest.h>

#include <cstring>

#include "host/services/http_client.h"
#include "platform/cancel_signal.h"
#include "platform/tcp_socket.h"
#include "tests/support/guarded_bytes.h"
#include "tests/support/loopback_server.h"

namespace {

TEST(HttpText, LinksSplitIntoHostAndPathWithinTheirParts) {
    std::string host, path;
    EXPECT_TRUE(HttpSplitUrl("http://h/dir/file", host, path));
    EXPECT_EQ(host, "h");
    EXPECT_EQ(path, "/dir/file");
    EXPECT_TRUE(HttpSplitUrl("h/", host, path));
    EXPECT_EQ(path, "/");
    EXPECT_FALSE(HttpSplitUrl("http://h", host, path));
    EXPECT_TRUE(HttpSplitUrl("http://" + std::string(1023, 'h') + "/" + std::string(1022, 'p'), host, path));
    EXPECT_FALSE(HttpSplitUrl("http://" + std::string(1024, 'h') + "/x", host, path));
    EXPECT_FALSE(HttpSplitUrl("http://h/" + std::string(1023, 'p'), host, path));

    std::optional<std::string> credentials;
    HttpSplitCredentials("user:secret@h", credentials, host);
    EXPECT_EQ(credentials, "user:secret");
    EXPECT_EQ(host, "h");
    HttpSplitCredentials("h", credentials, host);
    EXPECT_FALSE(credentials);
}

TEST(HttpText, ADownloadReadsTheStatusAndTheLengthInAnyLetterCase) {
    HttpReplyHeader reply =
        ParseHttpReplyHeader("HTTP/1.1 206 Partial\nX-Note: Content-Length: 5\ncontent-length:\t42\n\n");
    EXPECT_EQ(reply.status, 206);
    EXPECT_EQ(reply.statusLine, "HTTP/1.1 206 Partial");
    EXPECT_EQ(reply.contentLength, 42u);
    EXPECT_TRUE(HttpIsSuccess(reply.status));
    EXPECT_FALSE(ParseHttpReplyHeader("HTTP/1.1 200 OK\n\n").contentLength);
    for (const char* noStatus :
         {"", "Content-Length: 5\n\n", "HTTP/1.1 20 OK\n", "HTTP/1.1 2000\n", "HTTP/1.1 2x0 OK\n"})
        EXPECT_EQ(ParseHttpReplyHeader(noStatus).status, 0) << noStatus;
    EXPECT_EQ(ParseHttpReplyHeader("HTTP/1.0 404").status, 404);
    EXPECT_FALSE(HttpIsSuccess(404));
    EXPECT_FALSE(HttpIsSuccess(199));

    std::string host;
    uint16_t port = 0;
    EXPECT_TRUE(HttpSplitPort("h", host, port, 80));
    EXPECT_EQ(port, 80);
    EXPECT_TRUE(HttpSplitPort("h:8080", host, port, 80));
    EXPECT_EQ(host, "h");
    EXPECT_EQ(port, 8080);
    for (const char* wrong : {"h:", "h:0", "h:65536", "h:8o", "h:000080"})
        EXPECT_FALSE(HttpSplitPort(wrong, host, port, 80));
}

TEST(HttpText, Base64KeepsToItsRoom) {
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""},        {"f", "Zg=="},          {"fo", "Zm8="},
        {"foo", "Zm9v"}, {"foobar", "Zm9vYmFy"}, {"user:secret", "dXNlcjpzZWNyZXQ="}};
    for (const auto& [text, encoded] : vectors) {
        char output[32];
        EXPECT_EQ(Base64Encode(text, output, sizeof output), static_cast<int>(std::strlen(encoded)));
        EXPECT_STREQ(output, encoded);
    }
    // Fewer than five bytes of room left: no further group.
    char small[9] = "xxxxxxxx";
    EXPECT_EQ(Base64Encode("foobar", small, 8), 4);
    EXPECT_STREQ(small, "Zm9v");
    char none[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(Base64Encode("f", none, 4), 0);
    EXPECT_EQ(none[0], '\0');
}

TEST(HttpText, ContentLengthAndHeaderBounds) {
    EXPECT_EQ(HttpGetContentLength("HTTP/1.1 200 OK\nContent-Length:1234\n\n"), 1234u);
    EXPECT_EQ(HttpGetContentLength("HTTP/1.1 200 OK\nContent-Length: \t 77x\n\n"), 77u);
    EXPECT_EQ(HttpGetContentLength("HTTP/1.1 200 OK\n\n"), 0u);
    EXPECT_EQ(HttpGetContentLength("Content-Length: 99999999999999999999999"), UINT64_MAX);

    // Exactly the capacity, so that a byte stored past it would touch the guard page.
    for (const std::string& header : {std::string("ab\n\n"), std::string("abcdefgh")}) {
        GuardedBytes buffer(std::vector<uint8_t>(5, 0xEE));
        CHttpHeaderReader reader(reinterpret_cast<char*>(buffer.data()), 5);
        for (const char c : header) reader.Add(static_cast<uint8_t>(c));
        EXPECT_EQ(reader.Current(),
                  header.size() == 4 ? CHttpHeaderReader::State::Complete : CHttpHeaderReader::State::Overflow);
        EXPECT_EQ(reader.Count(), 4);
        EXPECT_EQ(buffer.data()[4], 0);
    }
}

std::string ReadHeaderFrom(LoopbackServer& server, int capacity, int& count, std::string& next) {
    platform::CTcpSocket socket;
    EXPECT_TRUE(HttpConnect(socket, "127.0.0.1", server.Port()));
    EXPECT_TRUE(HttpSendGet(socket, "127.0.0.1", "/file.opk", std::nullopt));
    std::vector<char> buffer(static_cast<size_t>(capacity), 'x');
    count = HttpReadHeader(socket, buffer.data(), capacity);
    char byte = 0;
    next = socket.Receive(&byte, 1) == 1 ? std::string(1, byte) : "";
    return buffer.data();
}

TEST(HttpClient, TheHeaderEndsAtItsEmptyLineAndTheBodyStaysUnread) {
    LoopbackServer server(kHttpRequestEnd, "HTTP/1.1 200 OK\r\nContent-Length: 1234\r\n\r\nB");
    int count = 0;
    std::string next;
    const std::string header = ReadHeaderFrom(server, 4096, count, next);
    EXPECT_EQ(header, "HTTP/1.1 200 OK\nContent-Length: 1234\n\n");
    EXPECT_EQ(count, static_cast<int>(header.size()));
    EXPECT_EQ(HttpGetContentLength(header), 1234u);
    EXPECT_EQ(next, "B");
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0],
              "GET /file.opk HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: */*\r\nConnection: Keep-Alive\r\n\r\n");

    LoopbackServer endless(kHttpRequestEnd, "HTTP/1.1 200 OK\r\n" + std::string(100, 'x'));
    EXPECT_EQ(ReadHeaderFrom(endless, 64, count, next).size(), 63u);
    EXPECT_EQ(count, -1);
}

TEST(HttpClient, CredentialsGoAsBasicAuthorizationAndATooLongRequestNotAtAll) {
    LoopbackServer server(kHttpRequestEnd, "HTTP/1.1 404 Not Found\r\n\r\n");
    {
        platform::CTcpSocket socket;
        ASSERT_TRUE(HttpConnect(socket, "localhost", server.Port()));
        EXPECT_TRUE(HttpSendGet(socket, "localhost", "/", "user:secret"));
        ASSERT_TRUE(server.WaitForRequests(1));
    }
    EXPECT_NE(server.Requests()[0].find("\r\nAuthorization: Basic dXNlcjpzZWNyZXQ=\r\n\r\n"), std::string::npos);

    platform::CTcpSocket socket;
    ASSERT_TRUE(HttpConnect(socket, "127.0.0.1", server.Port()));
    EXPECT_FALSE(HttpSendGet(socket, "127.0.0.1", "/", std::string(3100, 'c')));
    EXPECT_TRUE(HttpGetRequest("h", "/", std::string(2900, 'c')).has_value());
    socket.Close();
    ASSERT_TRUE(server.WaitForRequests(2));
    EXPECT_EQ(server.Requests()[1], "");
}

TEST(HttpClient, RefusedAndCancelledConnectionsFail) {
    RefusingPort refusing;
    platform::CTcpSocket socket;
    EXPECT_FALSE(HttpConnect(socket, "127.0.0.1", refusing.Port()));
    EXPECT_FALSE(socket.IsConnected());
    EXPECT_FALSE(HttpConnect(socket, "", refusing.Port()));

    LoopbackServer silent(kHttpRequestEnd, "", LoopbackServer::After::NoReply);
    platform::CCancelSignal cancel;
    platform::CTcpSocket waiting(&cancel);
    ASSERT_TRUE(HttpConnect(waiting, "127.0.0.1", silent.Port()));
    ASSERT_TRUE(HttpSendGet(waiting, "127.0.0.1", "/", std::nullopt));
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        cancel.Raise();
    });
    char buffer[64];
    EXPECT_EQ(HttpReadHeader(waiting, buffer, sizeof buffer), 0);
    canceller.join();
    EXPECT_EQ(waiting.Receive(buffer, 1), -1);
}

}  // namespace
