#include "plugins/kvb/catalogue/kvb_protocol.h"

#include "platform/text.h"
#include "plugins/kvb/catalogue/kvb_tree.h"
#include "plugins/kvb/framing/kvb_frame.h"

namespace {

struct TreeBuilder {
    const char16_t* protocolName;
    void (*populate)(CMessageNode& root);
};

// The proprietary sentences travel in the NMEA stream but belong to this plug-in.
constexpr TreeBuilder kTreeBuilders[] = {
    {u"KVB", PopulateKvbTree},
    {u"NMEA", PopulatePkvbTree},
};

}  // namespace

FrameCheckFn CKvbProtocol::GetFrameCheck() const { return KvbCheckFrame; }

void CKvbProtocol::PopulateTree(const char16_t* protocolName, CMessageNode* root) {
    if (!protocolName || !root) return;
    for (const TreeBuilder& builder : kTreeBuilders)
        if (platform::WideCompare(protocolName, builder.protocolName) == 0) builder.populate(*root);
}
