#pragma once
#include <span>

#include "plugins/kvb/catalogue/kvb_class_node.h"
#include "plugins/kvb/catalogue/kvb_message.h"
#include "plugins/kvb/proprietary/pkvb_sentence_node.h"

// The KVB message tree as data: the class nodes, the messages filed under them by class, and the
// two pseudo-messages behind them.
extern const std::span<const KvbClassInfo> kKvbClasses;
extern const std::span<const KvbMessageInfo> kKvbMessages;
extern const KvbNodeInfo kKvbUnknownMessage;
extern const KvbNodeInfo kKvbCustomMessage;

// The proprietary sentences, filed under the NMEA protocol's root.
extern const KvbNodeInfo kPkvbClass;
extern const std::span<const PkvbSentenceInfo> kPkvbSentences;
