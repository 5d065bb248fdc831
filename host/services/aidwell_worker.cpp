#include "aidwell_worker.h"

#include <span>
#include <string_view>
#include <vector>

#include "host/services/aidwell_reply.h"
#include "host/services/http_client.h"
#include "host/services/receiver_commands.h"
#include "host/services/worker_run.h"
#include "platform/tcp_socket.h"
#include "platform/text.h"

namespace {

constexpr char16_t kInitialising[] = u"Initialise Socket";
constexpr char16_t kConnecting[] = u"Connecting to Korvala Aidwell Online Server";
constexpr char16_t kRequesting[] = u"Request Aidwell Data";
constexpr char16_t kReceiving[] = u"Get Aidwell Data ";
constexpr char16_t kForwarding[] = u"Send the Aidwell Data";
constexpr char16_t kDone[] = u"Done ...";
constexpr char16_t kTooLarge[] = u"ERROR: The server announces %llu bytes of Aidwell data, more than %llu.\n";

// The receiver's time to start again, and to take in one aiding message.
constexpr uint32_t kResetWaitMs = 1000;
constexpr uint32_t kPieceIntervalMs = 100;

bool ResetReceiver(CWorkerContext& context, ResetKind kind) {
    const std::span<const uint8_t> frame = ResetFrame(kind);
    if (frame.empty()) return true;
    context.SendToReceiver(frame.data(), static_cast<int>(frame.size()));
    context.SetStatus(u"Wait for Rx to Reset " + ResetName(kind) + u" (1 second)");
    return context.Wait(kResetWaitMs);
}

// The reply's body, or nothing when the header announces none that can be taken.
std::optional<std::vector<uint8_t>> ReceiveData(CWorkerContext& context, platform::CTcpSocket& socket,
                                                AidwellContent& content) {
    std::vector<char> header(kAidwellHeaderCapacity, '\0');
    const int count = HttpReadHeader(socket, header.data(), kAidwellHeaderCapacity);
    if (count < 0) return std::nullopt;
    const AidwellReplyHeader reply = ParseAidwellReplyHeader({header.data(), static_cast<size_t>(count)});
    if (!reply.length || *reply.length == 0 || reply.content == AidwellContent::Missing) return std::nullopt;
    if (*reply.length > kMaxAidwellData) {
        context.SetStatus(platform::FormatW(kTooLarge, static_cast<unsigned long long>(*reply.length),
                                            static_cast<unsigned long long>(kMaxAidwellData)));
        return std::nullopt;
    }
    context.SetStatus(kReceiving);
    std::vector<uint8_t> data(static_cast<size_t>(*reply.length));
    const int length = static_cast<int>(data.size());
    if (HttpReceiveBody(socket, data.data(), length) < length) return std::nullopt;
    content = reply.content;
    return data;
}

int Forward(CWorkerContext& context, std::span<const uint8_t> data) {
    context.SetStatus(kForwarding);
    context.SetRange(0, static_cast<int>(data.size()));
    context.SetPosition(0);
    size_t sent = 0;
    while (sent < data.size()) {
        const size_t piece = NextAidingPiece(data.subspan(sent));
        context.SendToReceiver(data.data() + sent, static_cast<int>(piece));
        sent += piece;
        context.SetPosition(static_cast<int>(sent));
        if (!context.Wait(kPieceIntervalMs)) return kWorkerFailed;
    }
    context.SetStatus(kDone);
    return kWorkerDone;
}

// A text reply (that the user is not registered, say) shown as it stands, up to a zero byte.
int ShowText(CWorkerContext& context, std::span<const uint8_t> data) {
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    context.SetStatus(platform::AnsiToWide(text.substr(0, text.find('\0'))));
    return kWorkerFailed;
}

}  // namespace

int AidwellWorker(CWorkerContext& context, const AidwellRequest& request) {
    context.SetRange(0, 100);
    context.SetPosition(0);
    if (!ResetReceiver(context, ResetKindOf(request.resetCommand))) return kWorkerFailed;
    context.SetStatus(kInitialising);
    platform::CTcpSocket socket(&context.StopSignal());
    context.SetStatus(kConnecting);
    if (!HttpConnect(socket, platform::WideToAnsi(request.server), request.port)) return kWorkerFailed;
    context.SetStatus(kRequesting);
    const std::string line = FormatAidwellRequest(request);
    if (!socket.SendAll(line.data(), line.size())) return kWorkerFailed;
    AidwellContent content = AidwellContent::Other;
    const std::optional<std::vector<uint8_t>> data = ReceiveData(context, socket, content);
    if (!data || context.StopRequested()) return kWorkerFailed;
    socket.Close();
    if (content == AidwellContent::Binary) return Forward(context, *data);
    if (content == AidwellContent::Text) return ShowText(context, *data);
    return kWorkerFailed;
}
