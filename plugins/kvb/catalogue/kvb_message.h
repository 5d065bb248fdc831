#pragma once
#include <cstdint>
#include <new>
#include <span>

#include "plugins/kvb/catalogue/kvb_node.h"
#include "plugins/kvb/framing/kvb_frame.h"
#include "plugins/kvb/framing/kvb_length_rule.h"

class CKvbMessage;

// What the poll of a message carries: nothing to poll, an empty payload, or a payload taken from
// the message's page.
enum class KvbPoll : uint8_t { None, Empty, FromPage };

// One row of the message catalogue.
struct KvbMessageInfo {
    uint8_t messageClass;
    uint8_t id;
    KvbNodeInfo node;
    KvbLengthRule length;
    KvbPoll poll = KvbPoll::Empty;
    // Polling the configuration steps through these one-byte poll payloads (ports, protocols, ...).
    std::span<const uint8_t> pollSeries = {};
    // Creates the node of a message whose behaviour differs; null for a plain CKvbMessage.
    CKvbMessage* (*create)(const KvbMessageInfo& info) = nullptr;

    bool OffersRateCommand() const { return messageClass == kKvbClassNav; }
    // Configuration and monitor messages with an empty poll are polled when the configuration is.
    bool PolledWithConfiguration() const { return messageClass != kKvbClassNav && poll == KvbPoll::Empty; }
};

// A message of the catalogue: recognises its frames by id and length, and builds its polls and
// its rate command.
class CKvbMessage : public CKvbNode {
public:
    explicit CKvbMessage(const KvbMessageInfo& info) : CKvbNode(info.node), message(info) {}

    bool Accept(const uint8_t* bytes, int length) override;
    int BuildPollIfSupported(uint8_t* buffer, int capacity, int& outLength, char16_t* nameBuffer, int nameCapacity,
                             int index) override;
    int BuildPoll(CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) override;
    bool BuildRateCommand(bool enable, uint8_t* buffer, int& outLength, int capacity) override;

protected:
    const KvbMessageInfo& Message() const { return message; }

private:
    int BuildSeriesPoll(uint8_t* buffer, int capacity, int& outLength, int index) const;
    int BuildPagePoll(const CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) const;

    const KvbMessageInfo& message;
};

template <typename Node>
CKvbMessage* MakeKvbMessage(const KvbMessageInfo& info) {
    return new (std::nothrow) Node(info);
}
