#include "configuration_entries.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "host/core/intake/frame_splitter.h"
#include "host/core/intake/veltro_doc.h"
#include "host/core/messages/message_list.h"
#include "host/core/messages/page_template.h"
#include "host/services/kvb_frame.h"
#include "platform/text.h"
#include "shared/memory_page.h"

namespace {

constexpr int kHeaderBytes = 6;
// The largest poll of any message: a header, a few key bytes and the checksum.
constexpr int kPollCapacity = 64;
// More steps than any message polls: a plug-in that never says "last" cannot hold the program.
constexpr int kMostPolls = 1024;
constexpr int kSettingCapacity = 65535 + kKvbFrameExtraBytes;

// The payload of a KVB frame; false when the bytes are no full frame.
bool PayloadOf(std::span<const uint8_t> frame, std::span<const uint8_t>& payload) {
    if (frame.size() < kKvbFrameExtraBytes) return false;
    const size_t length = frame[4] | frame[5] << 8;
    if (length != frame.size() - kKvbFrameExtraBytes) return false;
    payload = frame.subspan(kHeaderBytes, length);
    return true;
}

// The key of an entry's poll: its payload.
std::span<const uint8_t> KeyOf(const ConfigurationEntry& entry) {
    std::span<const uint8_t> key;
    PayloadOf(entry.poll, key);
    return key;
}

template <typename Visit>
void ForEachDescendant(CMessageNode& node, const Visit& visit) {
    CMessageNode::Position position = node.GetFirstChild();
    while (position) {
        CMessageNode& child = *node.GetNextChild(position);
        visit(child);
        ForEachDescendant(child, visit);
    }
}

std::string OffsetText(size_t offset) { return platform::FormatC("at byte %zu: ", offset); }

std::vector<const ProtocolEntry*> ConfiguredProtocols(CVeltroDoc& document) {
    document.Plugins().Configure(MessageMask);
    std::vector<const ProtocolEntry*> protocols;
    for (const auto& protocol : document.Plugins().Protocols()) protocols.push_back(protocol.get());
    return protocols;
}

}  // namespace

CConfigurationEntries::CConfigurationEntries(CVeltroDoc& document)
    : CConfigurationEntries(ConfiguredProtocols(document)) {}

CConfigurationEntries::CConfigurationEntries(std::vector<const ProtocolEntry*> protocols)
    : protocols(std::move(protocols)) {
    for (const ProtocolEntry* protocol : this->protocols)
        ForEachDescendant(*protocol->root, [this](CMessageNode& node) {
            if (IsConfigurationMessage(node) && (node.Mask() & MessageMask)) AddPolls(node);
        });
}

void CConfigurationEntries::AddPolls(CMessageNode& node) {
    uint8_t buffer[kPollCapacity];
    for (int index = 0; index < kMostPolls; ++index) {
        int length = 0;
        const int following = node.BuildPollIfSupported(buffer, kPollCapacity, length, nullptr, 0, index);
        const std::span<const uint8_t> poll(buffer, static_cast<size_t>(std::clamp(length, 0, kPollCapacity)));
        std::span<const uint8_t> key;
        if (length <= kPollCapacity && PayloadOf(poll, key)) entries.push_back({&node, {poll.begin(), poll.end()}});
        if (following <= 0) break;
    }
}

std::optional<size_t> CConfigurationEntries::EntryOf(const CMessageNode& node, std::span<const uint8_t> frame) const {
    std::span<const uint8_t> payload;
    if (!PayloadOf(frame, payload)) return std::nullopt;
    std::optional<size_t> found;
    size_t foundKey = 0;
    for (size_t entry = 0; entry < entries.size(); ++entry) {
        if (entries[entry].node != &node) continue;
        const std::span<const uint8_t> key = KeyOf(entries[entry]);
        if (key.size() > payload.size() || !std::equal(key.begin(), key.end(), payload.begin())) continue;
        if (!found || key.size() > foundKey) {
            found = entry;
            foundKey = key.size();
        }
    }
    return found;
}

std::string CConfigurationEntries::Name(size_t entry) const {
    std::string name = platform::WideToUtf8(MessageName(*entries[entry].node));
    for (const uint8_t byte : KeyOf(entries[entry])) name += platform::FormatC(" %02X", byte);
    return name;
}

bool CConfigurationEntries::TakeFrame(const FrameRecord& record, std::vector<ConfigurationFrame>& frames,
                                      std::string& error) const {
    const uint8_t* bytes = record.bytes;
    const int length = record.length;
    CMessageNode* node = record.protocol->root->Find(bytes, length, MessageMask);
    const std::span<const uint8_t> frame(bytes, static_cast<size_t>(length));
    const std::optional<size_t> entry = node ? EntryOf(*node, frame) : std::nullopt;
    if (entry) {
        frames.push_back({*entry, {frame.begin(), frame.end()}});
        return true;
    }
    const std::string name = node ? platform::WideToUtf8(MessageName(*node)) : std::string("the frame");
    error = name + (node && IsConfigurationMessage(*node) ? " is not a setting that can be read back"
                                                          : " is not a configuration message");
    return false;
}

bool CConfigurationEntries::Parse(std::span<const uint8_t> bytes, std::vector<ConfigurationFrame>& frames,
                                  std::string& error) const {
    frames.clear();
    CFrameSplitter splitter;
    for (const ProtocolEntry* protocol : protocols) splitter.AddProtocol(protocol, protocol->check);
    size_t offset = 0;
    bool sound = true;
    FeedStream(splitter, bytes.data(), bytes.size(), [&](const FrameRecord& record) {
        if (!sound) return;
        if (!record.protocol) {
            error = "no frame";
            sound = false;
        } else {
            sound = TakeFrame(record, frames, error);
        }
        if (!sound) error = OffsetText(offset) + error;
        offset += static_cast<size_t>(record.length);
    });
    const uint8_t* rest = nullptr;
    int restLength = 0;
    splitter.TakeAll(rest, restLength);
    if (sound && restLength > 0) {
        error = OffsetText(offset) + "an incomplete frame";
        sound = false;
    }
    if (sound && frames.empty()) {
        error = "no configuration in it";
        sound = false;
    }
    if (!sound) frames.clear();
    return sound;
}

bool CConfigurationEntries::ReadFile(const std::string& path, std::vector<ConfigurationFrame>& frames,
                                     std::string& error) const {
    std::error_code code;
    // Only regular files: a pipe or a device could keep the program waiting for ever.
    const bool regular = std::filesystem::is_regular_file(path, code);
    const uintmax_t size = regular ? std::filesystem::file_size(path, code) : 0;
    std::ifstream file(path, std::ios::binary);
    if (!regular || code || !file) {
        error = "cannot read " + path;
        return false;
    }
    if (size > kLargestFile) {
        error = path + " is too large for a configuration";
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        error = "cannot read " + path;
        return false;
    }
    if (Parse(bytes, frames, error)) return true;
    error = path + ", " + error;
    return false;
}

bool WriteConfigurationFile(const std::string& path, const std::vector<ConfigurationFrame>& frames, std::string& error) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (const ConfigurationFrame& frame : frames)
        file.write(reinterpret_cast<const char*>(frame.bytes.data()), static_cast<std::streamsize>(frame.bytes.size()));
    file.close();
    if (file) return true;
    error = "cannot write " + path;
    return false;
}

std::vector<uint8_t> SettingFrame(CMessageNode& node, std::span<const uint8_t> frame) {
    const std::vector<uint8_t> answer(frame.begin(), frame.end());
    const DialogTemplate* dialog = PageTemplateOf(node);
    if (!dialog) return answer;
    CMemoryPage page(*dialog);
    node.InitPage(page);
    node.ShowData(page, frame.data(), static_cast<int>(frame.size()));
    std::vector<uint8_t> setting(kSettingCapacity);
    int length = 0;
    if (!node.BuildFromPage(page, setting.data(), length, kSettingCapacity) || length <= 0 || length > kSettingCapacity)
        return answer;
    setting.resize(static_cast<size_t>(length));
    return setting;
}
