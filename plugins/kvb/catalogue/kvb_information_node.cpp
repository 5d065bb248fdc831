#include "plugins/kvb/catalogue/kvb_information_node.h"

#include "plugins/kvb/pages/information_page.h"

void CKvbInformationNode::StoreFrame(const uint8_t* bytes, int length) {
    CKvbClassNode::StoreFrame(bytes, length);
    SetText(KvbInformationText(FrameBytes(), FrameLength()));
}
