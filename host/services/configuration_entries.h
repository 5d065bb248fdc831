#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class CMessageNode;
class CVeltroDoc;
struct FrameRecord;
struct ProtocolEntry;

// One setting of the receiver: a configuration message and the poll that asks for it, one for
// every port, protocol, channel or output the message selects, as its plug-in builds them.
struct ConfigurationEntry {
    CMessageNode* node;
    std::vector<uint8_t> poll;
};

// A frame of a saved configuration and the entry it answers.
struct ConfigurationFrame {
    size_t entry;
    std::vector<uint8_t> bytes;
};

// Every setting the plug-ins can poll, in tree order and each message's poll order: the stable
// order of a saved configuration.
class CConfigurationEntries {
public:
    // A configuration file is a few kilobytes; a larger one is not one.
    static constexpr size_t kLargestFile = 1 << 20;

    // The document's plug-ins, told MessageMask first so that they poll only the groups the
    // program takes part in.
    explicit CConfigurationEntries(CVeltroDoc& document);
    // The trees of these protocols as they are.
    explicit CConfigurationEntries(std::vector<const ProtocolEntry*> protocols);

    const std::vector<ConfigurationEntry>& Entries() const { return entries; }
    size_t Size() const { return entries.size(); }
    // The entry a frame of node answers: the one whose poll's payload the frame's payload begins
    // with, the longest such; none when node has no entry or the frame is not a full frame.
    std::optional<size_t> EntryOf(const CMessageNode& node, std::span<const uint8_t> frame) const;
    // "CFG-RATE", or with the poll's payload, "CFG-PRT 01", "CFG-MSG 01 06".
    std::string Name(size_t entry) const;

    // The frames of a saved configuration, in its order; false, with the reason and no frames,
    // when any of its bytes are not a frame or a frame is not a setting of an entry.
    bool Parse(std::span<const uint8_t> bytes, std::vector<ConfigurationFrame>& frames, std::string& error) const;
    bool ReadFile(const std::string& path, std::vector<ConfigurationFrame>& frames, std::string& error) const;

private:
    void AddPolls(CMessageNode& node);
    bool TakeFrame(const FrameRecord& record, std::vector<ConfigurationFrame>& frames, std::string& error) const;

    std::vector<const ProtocolEntry*> protocols;
    std::vector<ConfigurationEntry> entries;
};

// The frames one after the other, as the message view saves one; false, with the reason, when
// the file cannot be written.
bool WriteConfigurationFile(const std::string& path, const std::vector<ConfigurationFrame>& frames, std::string& error);

// The frame that sets what frame reports, built by the message's page as the message view does
// when a saved message is loaded and sent (some messages are answered in another form than they
// are set in); the answer itself when the page builds none, as for a port the page does not edit.
std::vector<uint8_t> SettingFrame(CMessageNode& node, std::span<const uint8_t> frame);
