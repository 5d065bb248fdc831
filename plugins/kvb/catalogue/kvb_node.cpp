#include "plugins/kvb/catalogue/kvb_node.h"

#include "plugins/kvb/catalogue/kvb_plugin.h"
#include "plugins/kvb/framing/kvb_frame.h"

void CKvbNode::FinalizeFrames(std::span<SendRecord> sendList) { KvbFinalizeFrames(sendList); }

ModuleHandle CKvbNode::ResourceModule() const { return KvbPlugin().resourceInstance; }
