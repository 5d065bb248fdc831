#include "kvb_node.h"

#include "kvb_frame.h"
#include "kvb_plugin.h"

void CKvbNode::FinalizeFrames(std::span<SendRecord> sendList) { KvbFinalizeFrames(sendList); }

ModuleHandle CKvbNode::ResourceModule() const { return KvbPlugin().resourceInstance; }
