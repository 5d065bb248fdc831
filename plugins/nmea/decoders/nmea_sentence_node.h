#pragma once
#include <cstdint>
#include <optional>

#include "plugins/nmea/catalogue/nmea_node.h"
#include "plugins/nmea/decoders/nmea_entries.h"
#include "shared/nmea_fields.h"
#include "shared/nmea_fix_time.h"

// A node for one standard sentence of one talker (GP, or another for nodes made on demand). NMEA carries no epoch
// marker, so each node remembers the epoch in which it last decoded: a second sentence of its kind opens a new epoch.
class NmeaSentenceNode : public NmeaNode {
public:
    using NmeaNode::NmeaNode;

    bool Accept(const uint8_t* bytes, int length) override;
    void StoreFrame(const uint8_t* bytes, int length) override;
    void Reset() override;
    void BindDatabase(CStorageDatabase* database) override;
    bool SameEpoch(CStorageDatabase* database) override;
    bool Decode(CStorageDatabase* database) override;
    int BuildPoll(CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) override;
    // The page that lists the sentence's fields.
    void InitPage(CDialogPage& page) override;
    void ShowData(CDialogPage& page, const uint8_t* bytes, int length) override;
    void ResizePage(CDialogPage& page, int width, int height) override;

protected:
    // Looks up the entries the node writes; null database: none.
    virtual void BindEntries(const CStorageDatabase* database);
    // Stores the values of the sentence; true when any stored value changed.
    virtual bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database);

    const NmeaFields& StoredFields() const { return storedFields.Of(FrameBytes(), FrameLength()); }
    bool DecodedInEpoch(const CStorageDatabase& database) const { return epochStamp == database.GetEpochCounter(); }

private:
    uint32_t epochStamp = UINT32_MAX;
    StoredNmeaFields storedFields;
};

// A sentence that tells the UTC time of its fix: besides the node's own rule, a time that
// differs from the running epoch's opens a new epoch.
class NmeaTimedSentenceNode : public NmeaSentenceNode {
public:
    NmeaTimedSentenceNode(const NmeaNodeIdentity& identity, int timeField = 1);

    bool SameEpoch(CStorageDatabase* database) override;

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database) override;
    // The date that goes with the time, for sentences that carry one; the year has four digits.
    virtual std::optional<NmeaDate> DateOf(const NmeaFields& fields) const;

private:
    int timeField;
    NmeaFixTime fixTime;
};
