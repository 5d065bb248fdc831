#include "orbitpack_update.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "host/core/intake/document_observer.h"
#include "host/services/kvb_frame.h"
#include "host/services/orbitpack_download.h"
#include "platform/file_contents.h"
#include "platform/text.h"
#include "shared/message_node.h"

namespace {

constexpr uint8_t kTransferClass = 0x0B;
constexpr uint8_t kTransferId = 0x50;
constexpr uint8_t kCancel = 0xFF;
constexpr std::array<uint8_t, 9> kAcknowledgement = {0xA4, 0x51, 0x0B, 0x50, 0x01, 0x00, 0x01, 0x5D, 0x7B};
constexpr std::array<uint8_t, 9> kRefusal = {0xA4, 0x51, 0x0B, 0x50, 0x01, 0x00, 0x00, 0x5C, 0x7A};
constexpr std::u16string_view kLinkScheme = u"http://";

constexpr char16_t kStarting[] = u"Start Orbitpack Update\n";
constexpr char16_t kGettingFile[] = u"Get File %s\n";
constexpr char16_t kLoadingFile[] = u"Load File %s\n";
constexpr char16_t kGotBytes[] = u"Got %d Bytes\n";
constexpr char16_t kSendingCancel[] = u"Send Cancel\n";
constexpr char16_t kWritingBlock[] = u"Write Block 0x%05X Size %3d\n";
constexpr char16_t kDone[] = u"Done\n";
constexpr char16_t kLinkInvalid[] = u"ERROR: link Invalid\n";
constexpr char16_t kFileError[] = u"ERROR: %s\n";
constexpr char16_t kFileTooLarge[] = u"ERROR: The file holds more than %llu bytes.\n";
constexpr char16_t kNoThread[] = u"ERROR: downloading data\n";
constexpr char16_t kStalled[] = u"ERROR: no data from the server for 30 s\n";
constexpr char16_t kRefused[] = u"ERROR: NotAcknowledge received\n";
constexpr char16_t kTimeout[] = u"ERROR: Timeout Expired\n";
constexpr char16_t kAborted[] = u"ERROR: Abort by User\n";

bool Equals(const CMessageNode& node, const std::array<uint8_t, 9>& answer) {
    return node.FrameLength() == static_cast<int>(answer.size()) &&
           std::equal(answer.begin(), answer.end(), node.FrameBytes());
}

std::string Utf8(const std::u16string& text) { return platform::WideToUtf8(text); }

}  // namespace

std::optional<OrbitpackEvent> OrbitpackAnswerOf(uint32_t hint, const CMessageNode* node) {
    if (!node || !(hint & HINT_MESSAGE) || !(hint & HINT_RECEIVED) || !node->FrameBytes()) return std::nullopt;
    if (Equals(*node, kAcknowledgement)) return OrbitpackEvent::Acknowledged;
    if (Equals(*node, kRefusal)) return OrbitpackEvent::Refused;
    return std::nullopt;
}

COrbitpackUpdate::COrbitpackUpdate(IProcedureSite& site, std::u16string source)
    : site(site), source(std::move(source)) {}

COrbitpackUpdate::~COrbitpackUpdate() = default;

std::optional<int> COrbitpackUpdate::TakeAnswer(uint32_t hint, const CMessageNode* node) {
    const std::optional<OrbitpackEvent> answer = OrbitpackAnswerOf(hint, node);
    return answer ? std::optional<int>(static_cast<int>(*answer)) : std::nullopt;
}

void COrbitpackUpdate::Handle(OrbitpackEvent event, uint32_t now) {
    if (event == OrbitpackEvent::Abort && state != kEnded) {
        site.Append(kAborted);
        failed = true;
        Enter(kEnded, now);
    }
    for (int before = -1; before != state; event = OrbitpackEvent::Tick) {
        before = state;
        Step(event, now);
    }
}

void COrbitpackUpdate::Step(OrbitpackEvent event, uint32_t now) {
    switch (state) {
        case kStart:
            return Start(now);
        case kDownloading:
            return Download(now);
        case kOpeningCancel:
            return SendCancel(now, kAwaitOpening);
        case kSendBlock:
            return SendBlock(now);
        case kClosingCancel:
            return SendCancel(now, kAwaitClosing);
        case kAwaitOpening:
        case kAwaitBlock:
        case kAwaitClosing:
            return Await(event, now);
        default:
            if (!failed && Passed(now, deadline)) site.OnFinished();
    }
}

void COrbitpackUpdate::Start(uint32_t now) {
    site.Append(kStarting);
    site.SetProgressRange(0, 100);
    site.SetProgressPosition(0);
    offset = 0;
    failed = false;
    site.OnStarted();
    if (source.starts_with(kLinkScheme))
        StartDownload(now);
    else
        LoadFile(now);
}

void COrbitpackUpdate::StartDownload(uint32_t now) {
    site.Append(platform::FormatW(kGettingFile, Utf8(source).c_str()));
    OrbitpackLink link;
    if (!ParseOrbitpackLink(platform::WideToAnsi(source), link)) return Fail(kLinkInvalid, now);
    download = std::make_unique<COrbitpackDownload>(std::move(link));
    if (!download->Start()) return Fail(kNoThread, now);
    lastByteTick = now;
    lastBytes = 0;
    state = kDownloading;
}

void COrbitpackUpdate::LoadFile(uint32_t now) {
    site.Append(platform::FormatW(kLoadingFile, Utf8(source).c_str()));
    std::error_code sizeError;
    if (std::filesystem::file_size(Utf8(source), sizeError) > kMaxOrbitpackBytes && !sizeError)
        return Fail(platform::FormatW(kFileTooLarge, static_cast<unsigned long long>(kMaxOrbitpackBytes)), now);
    std::string contents;
    std::string reason;
    const platform::ReadResult result = platform::ReadFileContents(Utf8(source), kMaxOrbitpackBytes, contents, reason);
    if (result == platform::ReadResult::Missing) reason = std::strerror(ENOENT);
    if (result != platform::ReadResult::Read) return Fail(platform::FormatW(kFileError, reason.c_str()), now);
    data.assign(contents.begin(), contents.end());
    total = static_cast<uint32_t>(data.size());
    state = kOpeningCancel;
}

// The download's thread fetches; here its end is taken over, or its silence found too long.
void COrbitpackUpdate::Download(uint32_t now) {
    if (download->Ended()) {
        if (!download->Error().empty()) return Fail(download->Error(), now);
        data = std::move(download->Data());
        download.reset();
        total = static_cast<uint32_t>(data.size());
        site.Append(platform::FormatW(kGotBytes, static_cast<int>(total)));
        offset = 0;
        state = kOpeningCancel;
        return;
    }
    if (const uint64_t bytes = download->BytesReceived(); bytes != lastBytes) {
        lastBytes = bytes;
        lastByteTick = now;
    } else if (Passed(now, lastByteTick + kStallTimeoutMs)) {
        Fail(kStalled, now);
    }
}

void COrbitpackUpdate::SendCancel(uint32_t now, int next) {
    if (!site.ReadyToSend()) return;
    site.Append(kSendingCancel);
    deadline = now + kAnswerTimeoutMs;
    Send(&kCancel, 1);
    state = next;
}

void COrbitpackUpdate::SendBlock(uint32_t now) {
    if (!site.ReadyToSend()) return;
    if (offset >= total) {
        site.SetProgressPosition(100);
        state = kClosingCancel;
        return;
    }
    const int size = static_cast<int>(std::min<uint32_t>(kBlockBytes, total - offset));
    site.Append(platform::FormatW(kWritingBlock, static_cast<unsigned>(offset), size));
    site.SetProgressPosition(static_cast<int>(uint64_t{offset} * 100 / total));
    Send(data.data() + offset, size);
    offset += static_cast<uint32_t>(size);
    deadline = now + kAnswerTimeoutMs;
    state = kAwaitBlock;
}

// A refused opening cancel still lets the upload begin; after a refused or unanswered block the
// closing cancel goes out all the same.
void COrbitpackUpdate::Await(OrbitpackEvent event, uint32_t now) {
    if (event == OrbitpackEvent::Acknowledged || (event == OrbitpackEvent::Refused && state == kAwaitOpening)) {
        Enter(state == kAwaitClosing ? kEnded : kSendBlock, now);
        return;
    }
    const bool refused = event == OrbitpackEvent::Refused;
    if (!refused && !Passed(now, deadline)) return;
    site.Append(refused ? kRefused : kTimeout);
    failed = true;
    Enter(state == kAwaitBlock ? kClosingCancel : kEnded, now);
}

void COrbitpackUpdate::Fail(const std::u16string& text, uint32_t now) {
    site.Append(text);
    failed = true;
    Enter(kEnded, now);
}

void COrbitpackUpdate::Enter(int next, uint32_t now) {
    const bool ending = next == kEnded && state != kEnded;
    state = next;
    if (!ending) return;
    download.reset();
    site.Append(kDone);
    site.SetProgressPosition(0);
    deadline = now + kAnswerTimeoutMs;
    site.OnEnded(failed);
}

bool COrbitpackUpdate::Send(const uint8_t* payload, int length) {
    std::vector<uint8_t> frame(static_cast<size_t>(length) + kKvbFrameExtraBytes);
    const int size = BuildKvbFrame(frame.data(), kTransferClass, kTransferId, payload, length);
    return site.Send(frame.data(), size);
}
