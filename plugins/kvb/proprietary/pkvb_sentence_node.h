#pragma once
#include <cstdint>
#include <new>
#include <optional>

#include "plugins/kvb/catalogue/kvb_node.h"
#include "shared/nmea_fields.h"
#include "shared/nmea_fix_time.h"
#include "shared/storage_database.h"
#include "shared/storage_values.h"

class CPkvbSentenceNode;

// One row of the catalogue of proprietary sentences: "$PKVB,nn,...".
struct PkvbSentenceInfo {
    KvbNodeInfo node;
    uint8_t number;  // 0 to 4, the field after the address
    CPkvbSentenceNode* (*create)(const PkvbSentenceInfo& info);
};

// Both kinds of PKVB node keep their sentence as bytes and, for the text consoles, as text.
class CPkvbClassNode : public CKvbNode {
public:
    using CKvbNode::CKvbNode;

    void StoreFrame(const uint8_t* bytes, int length) override { StoreTextFrame(bytes, length); }
    // Any sentence with the address PKVB, in any letter case.
    bool Accept(const uint8_t* bytes, int length) override;
};

// One proprietary sentence: recognised by its number, polled with a text query, switched on and
// off with a KVB CFG-MSG frame. The sentences carry no epoch marker, so a node that already
// decoded in the running epoch opens the next one with its second sentence.
class CPkvbSentenceNode : public CKvbNode {
public:
    explicit CPkvbSentenceNode(const PkvbSentenceInfo& info) : CKvbNode(info.node), number(info.number) {}

    void StoreFrame(const uint8_t* bytes, int length) override {
        StoreTextFrame(bytes, length);
        storedFields.Forget();
    }
    bool Accept(const uint8_t* bytes, int length) override;
    void Reset() override;
    void BindDatabase(CStorageDatabase* database) override;
    bool SameEpoch(CStorageDatabase* database) override;
    bool Decode(CStorageDatabase* database) override;
    int BuildPoll(CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) override;
    bool BuildRateCommand(bool enable, uint8_t* buffer, int& outLength, int capacity) override;

protected:
    // Looks up the entries the node writes; null database: none.
    virtual void BindEntries(const CStorageDatabase* database) = 0;
    // True when any stored value changed.
    virtual bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database) = 0;

    const NmeaFields& StoredFields() const { return storedFields.Of(FrameBytes(), FrameLength()); }

private:
    uint8_t number;
    StoredNmeaFields storedFields;
    CStorageDatabase* boundDatabase = nullptr;
    uint32_t epochStamp = UINT32_MAX;
};

// A sentence that tells the UTC time of its fix in field 2, and the date in another field where
// it has one: a time that differs from the running epoch's opens a new epoch.
class CPkvbTimedSentence : public CPkvbSentenceNode {
public:
    static constexpr int kNoDate = -1;

    CPkvbTimedSentence(const PkvbSentenceInfo& info, int dateField) : CPkvbSentenceNode(info), dateField(dateField) {}

    bool SameEpoch(CStorageDatabase* database) override;

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool StoreTime(const NmeaFields& fields) const;

private:
    std::optional<NmeaDate> DateOf(const NmeaFields& fields) const;

    int dateField;
    NmeaFixTime fixTime;
};

template <typename Node>
CPkvbSentenceNode* MakePkvbSentence(const PkvbSentenceInfo& info) {
    return new (std::nothrow) Node(info);
}
