#include "plugins/nmea/decoders/nmea_sentence_node.h"

#include "plugins/nmea/framing/nmea_commands.h"
#include "plugins/nmea/pages/nmea_field_list_page.h"

bool NmeaSentenceNode::Accept(const uint8_t* bytes, int length) {
    return HasFormatter(bytes, length, Name() + 2) && HasOwnTalker(bytes);
}

void NmeaSentenceNode::StoreFrame(const uint8_t* bytes, int length) {
    NmeaNode::StoreFrame(bytes, length);
    storedFields.Forget();
}

void NmeaSentenceNode::Reset() {
    epochStamp = (BoundDatabase() ? BoundDatabase()->GetEpochCounter() : 0) - 1;
    NmeaNode::Reset();
    storedFields.Forget();
}

void NmeaSentenceNode::BindDatabase(CStorageDatabase* database) {
    NmeaNode::BindDatabase(database);
    BindEntries(database);
}

void NmeaSentenceNode::BindEntries(const CStorageDatabase*) {}

bool NmeaSentenceNode::SameEpoch(CStorageDatabase* database) { return !database || !DecodedInEpoch(*database); }

bool NmeaSentenceNode::Decode(CStorageDatabase* database) {
    if (!database) return false;
    epochStamp = database->GetEpochCounter();
    return DecodeFields(StoredFields(), *database);
}

bool NmeaSentenceNode::DecodeFields(const NmeaFields&, CStorageDatabase&) { return false; }

int NmeaSentenceNode::BuildPoll(CDialogPage&, uint8_t* buffer, int& outLength, int capacity) {
    return NmeaBuildPoll(*this, buffer, outLength, capacity) ? outLength : 0;
}

void NmeaSentenceNode::InitPage(CDialogPage& page) {
    if (FieldList()) InitFieldListPage(page, ResourceModule(), *FieldList());
}

void NmeaSentenceNode::ShowData(CDialogPage& page, const uint8_t* bytes, int length) {
    ShowFieldListPage(page, bytes, length);
}

void NmeaSentenceNode::ResizePage(CDialogPage& page, int width, int height) {
    ResizeFieldListPage(page, width, height);
}

NmeaTimedSentenceNode::NmeaTimedSentenceNode(const NmeaNodeIdentity& identity, int timeField)
    : NmeaSentenceNode(identity), timeField(timeField) {}

void NmeaTimedSentenceNode::BindEntries(const CStorageDatabase* database) { fixTime.Bind(database); }

std::optional<NmeaDate> NmeaTimedSentenceNode::DateOf(const NmeaFields&) const { return std::nullopt; }

bool NmeaTimedSentenceNode::SameEpoch(CStorageDatabase* database) {
    if (!NmeaSentenceNode::SameEpoch(database)) return false;
    const NmeaFields& fields = StoredFields();
    return fixTime.SameEpoch(fields.Time(timeField), DateOf(fields));
}

bool NmeaTimedSentenceNode::DecodeFields(const NmeaFields& fields, CStorageDatabase&) {
    return fixTime.Store(fields.Time(timeField), DateOf(fields));
}
