#include "orbitpack_download.h"

#include <system_error>

#include "host/services/http_client.h"
#include "host/services/http_text.h"
#include "platform/text.h"

namespace {

constexpr uint16_t kHttpPort = 80;
constexpr int kHeaderCapacity = 4096;
constexpr char16_t kConnectFailed[] = u"ERROR: connect to server failed\n";
constexpr char16_t kNoContent[] = u"ERROR: no content\n";
constexpr char16_t kDownloadFailed[] = u"ERROR: downloading data\n";
constexpr char16_t kRefused[] = u"ERROR: the server answered \"%s\"\n";
constexpr char16_t kTooLarge[] = u"ERROR: The server announces %llu bytes, more than %llu.\n";
// Enough of a status line to tell the user what the server meant.
constexpr size_t kShownStatusLine = 80;

}  // namespace

bool ParseOrbitpackLink(const std::string& link, OrbitpackLink& parts) {
    std::string hostPart;
    if (!HttpSplitUrl(link, hostPart, parts.path)) return false;
    HttpSplitCredentials(hostPart, parts.credentials, parts.hostField);
    return HttpSplitPort(parts.hostField, parts.host, parts.port, kHttpPort) && !parts.host.empty();
}

COrbitpackDownload::COrbitpackDownload(OrbitpackLink link) : link(std::move(link)) {}

COrbitpackDownload::~COrbitpackDownload() {
    Stop();
    if (thread.joinable()) thread.join();
}

bool COrbitpackDownload::Start() {
    try {
        thread = std::thread(&COrbitpackDownload::Run, this);
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void COrbitpackDownload::Run() {
    error = Fetch();
    socket.Close();
    ended.store(true, std::memory_order_release);
}

// Only a complete reply of success whose length can be believed becomes the file: an error page
// written into the receiver as orbit data would do harm.
std::u16string COrbitpackDownload::Fetch() {
    if (!HttpConnect(socket, link.host, link.port)) return kConnectFailed;
    if (!HttpSendGet(socket, link.hostField, link.path, link.credentials)) return kDownloadFailed;
    std::string header(kHeaderCapacity, '\0');
    const int count = HttpReadHeader(socket, header.data(), kHeaderCapacity);
    if (count <= 0) return kDownloadFailed;
    const HttpReplyHeader reply = ParseHttpReplyHeader(std::string_view(header.data(), static_cast<size_t>(count)));
    if (!HttpIsSuccess(reply.status)) {
        const std::string shown(reply.statusLine.substr(0, kShownStatusLine));
        return platform::FormatW(kRefused, platform::WideToUtf8(platform::AnsiToWide(shown)).c_str());
    }
    const uint64_t length = reply.contentLength.value_or(0);
    if (length == 0) return kNoContent;
    if (length > kMaxOrbitpackBytes)
        return platform::FormatW(kTooLarge, static_cast<unsigned long long>(length),
                                 static_cast<unsigned long long>(kMaxOrbitpackBytes));
    data.resize(static_cast<size_t>(length));
    const int size = static_cast<int>(data.size());
    if (HttpReceiveBody(socket, data.data(), size) < size) return kDownloadFailed;
    return {};
}
