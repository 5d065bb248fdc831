#pragma once
#include "plugins/kvb/catalogue/kvb_message.h"

// CFG-MSG: polling the configuration asks the rate of every output of the receiver, one step per
// output; without extended mode the extended-only outputs are skipped.
class CCfgMsgMessage : public CKvbMessage {
public:
    using CKvbMessage::CKvbMessage;

    int BuildPollIfSupported(uint8_t* buffer, int capacity, int& outLength, char16_t* nameBuffer, int nameCapacity,
                             int index) override;
};
