#include "plugins/nmea/catalogue/nmea_node.h"

#include <string>

#include "plugins/nmea/catalogue/nmea_catalogue.h"
#include "plugins/nmea/catalogue/nmea_protocol.h"
#include "plugins/nmea/catalogue/nmea_talkers.h"
#include "plugins/nmea/framing/nmea_commands.h"
#include "plugins/nmea/pages/nmea_text_pages.h"

NmeaNode::NmeaNode(const NmeaNodeIdentity& identity) : identity(identity) {}

void NmeaNode::StoreFrame(const uint8_t* bytes, int length) { StoreTextFrame(bytes, length); }

void NmeaNode::BindDatabase(CStorageDatabase* database) {
    boundDatabase = database;
    CMessageNode::BindDatabase(database);
}

bool NmeaNode::BuildRateCommand(bool enable, uint8_t* buffer, int& outLength, int capacity) {
    if (identity.rateId == kNoRateCommand) {
        outLength = 0;
        return false;
    }
    return NmeaBuildRateCommand(identity.rateId, enable, buffer, outLength, capacity);
}

ModuleHandle NmeaNode::ResourceModule() const { return NmeaModule(); }
int NmeaNode::ResourceDialogId() const { return identity.dialogId; }
const char16_t* NmeaNode::Label() const { return identity.label; }
const char16_t* NmeaNode::Description() const { return identity.description; }
const char16_t* NmeaNode::Name() const { return identity.name; }
uint32_t NmeaNode::OwnMask() const { return MASK_ORDINARY; }

bool NmeaNode::HasFormatter(const uint8_t* bytes, int length, const char16_t* letters) {
    constexpr int kMinimumSentence = 7;
    if (!bytes || length < kMinimumSentence) return false;
    return bytes[3] == letters[0] && bytes[4] == letters[1] && bytes[5] == letters[2];
}

bool NmeaNode::HasOwnTalker(const uint8_t* bytes) const { return bytes[1] == Name()[0] && bytes[2] == Name()[1]; }

NmeaTalkerIdentity::NmeaTalkerIdentity(const NmeaNodeIdentity& gp, std::u16string_view talker)
    : label(std::u16string(talker) + (gp.label + 2)), name(std::u16string(talker) + (gp.name + 2)), identity(gp) {
    identity.label = label.c_str();
    identity.name = name.c_str();
}

bool NmeaTxtNode::Accept(const uint8_t* bytes, int length) {
    if (!HasFormatter(bytes, length, u"TXT")) return false;
    return HasOwnTalker(bytes) ||
           (IsGpNode() && !IsSatelliteTalker(static_cast<char>(bytes[1]), static_cast<char>(bytes[2])));
}
void NmeaTxtNode::ShowData(CDialogPage& page, const uint8_t* bytes, int length) { ShowTxtPage(page, bytes, length); }

CMessageNode* NmeaUnknownNode::Find(const uint8_t* bytes, int length, uint32_t mask) {
    if (Parent() && (Mask() & mask) != 0) {
        if (CMessageNode* node = NewTalkerNode(*Parent(), bytes, length)) {
            node->BindDatabase(BoundDatabase());
            Parent()->AddChild(node, true, false);
            if (CMessageNode* found = node->Find(bytes, length, mask)) return found;
        }
    }
    return NmeaNode::Find(bytes, length, mask);
}

void NmeaUnknownNode::ShowData(CDialogPage& page, const uint8_t* bytes, int length) {
    ShowSentencePage(page, bytes, length);
}
void NmeaUnknownNode::ResizePage(CDialogPage& page, int width, int height) { ResizeSentencePage(page, width, height); }

void NmeaCustomNode::InitPage(CDialogPage& page) { InitCustomPage(page); }
void NmeaCustomNode::ShowData(CDialogPage& page, const uint8_t* bytes, int length) {
    ShowCustomPage(page, bytes, length);
}
bool NmeaCustomNode::BuildFromPage(CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) {
    return BuildCustomSentence(page, buffer, outLength, capacity);
}
void NmeaCustomNode::ResizePage(CDialogPage& page, int width, int height) { ResizeSentencePage(page, width, height); }
bool NmeaCustomNode::ValidateControl(CDialogPage& page, int controlId) { return IsCustomPageValid(page, controlId); }
