#include "plugins/kvb/catalogue/kvb_pseudo_message.h"

#include "platform/text.h"

void CKvbPseudoMessage::StoreFrame(const uint8_t* bytes, int length) {
    CKvbNode::StoreFrame(bytes, length);
    if (length > 3) name = platform::FormatW(u"%02X-%02X", unsigned{bytes[2]}, unsigned{bytes[3]});
}
