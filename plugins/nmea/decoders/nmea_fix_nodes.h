#pragma once
#include "plugins/nmea/decoders/nmea_sentence_node.h"

// Sentences that tell the fix: position, its quality and motion.

class NmeaGgaNode : public NmeaTimedSentenceNode {
public:
    using NmeaTimedSentenceNode::NmeaTimedSentenceNode;

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database) override;

private:
    bool StoreFixQuality(std::optional<int> quality) const;

    NmeaPositionEntries position;
    NmeaFixStatusEntries status;
    NmeaAltitudeEntries altitudes;
    CStorageValue* svsUsed = nullptr;
    CStorageValue* hdop = nullptr;
};

class NmeaGllNode : public NmeaTimedSentenceNode {
public:
    explicit NmeaGllNode(const NmeaNodeIdentity& identity);

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database) override;

private:
    NmeaPositionEntries position;
    NmeaFixStatusEntries status;
};

class NmeaRmcNode : public NmeaTimedSentenceNode {
public:
    using NmeaTimedSentenceNode::NmeaTimedSentenceNode;

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database) override;
    std::optional<NmeaDate> DateOf(const NmeaFields& fields) const override;

private:
    bool StoreMagneticVariation(const NmeaFields& fields) const;

    NmeaPositionEntries position;
    NmeaFixStatusEntries status;
    CStorageValue* courseOverGround = nullptr;
    CStorageValue* speedOverGround = nullptr;
    CStorageValue* magneticVariation = nullptr;
};

class NmeaVtgNode : public NmeaSentenceNode {
public:
    using NmeaSentenceNode::NmeaSentenceNode;

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database) override;

private:
    NmeaFixStatusEntries status;
    CStorageValue* courseOverGround = nullptr;
    CStorageValue* courseMagnetic = nullptr;
    CStorageValue* speedOverGround = nullptr;
};
