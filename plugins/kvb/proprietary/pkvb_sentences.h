#pragma once
#include <array>
#include <cstdint>

#include "plugins/kvb/navigation/kvb_fix_status_entries.h"
#include "plugins/kvb/proprietary/pkvb_sentence_node.h"
#include "shared/database_entries.h"

// Sentences 00, 01 and 02: the fix in geodetic, UTM or local grid coordinates, with its status,
// accuracy, motion, DOPs and satellite count. The grid coordinates are shown, not stored.
class CPkvbPositionSentence : public CPkvbTimedSentence {
public:
    explicit CPkvbPositionSentence(const PkvbSentenceInfo& info) : CPkvbTimedSentence(info, kNoDate) {}

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database) override;

private:
    struct PlainField {
        int field;
        CStorageValue* entry;
    };

    KvbFixStatusEntries fixStatus;
    // Accuracies, vertical velocity and DOPs, written as the sentence gives them.
    std::array<PlainField, 6> plainFields{};
    CStorageValue* speedOverGround = nullptr;
    CStorageValue* courseOverGround = nullptr;
    CStorageValue* svsUsed = nullptr;
};

// Sentence 00 also gives latitude, longitude and height above the ellipsoid.
class CPkvbGeodeticSentence : public CPkvbPositionSentence {
public:
    using CPkvbPositionSentence::CPkvbPositionSentence;

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database) override;

private:
    CStorageValue* latitude = nullptr;
    CStorageValue* longitude = nullptr;
    CStorageValue* height = nullptr;
};

// Sentence 03: the satellites the receiver tracks, each with its state, direction and signal.
class CPkvbSatelliteSentence : public CPkvbSentenceNode {
public:
    using CPkvbSentenceNode::CPkvbSentenceNode;

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database) override;

private:
    struct SatelliteReport;

    bool StoreSatellite(const SatelliteReport& report) const;

    SatellitesInViewEntries satellites;
};

// Sentence 04: UTC date and time, GPS week and time of week, and the receiver's clock.
class CPkvbTimeSentence : public CPkvbTimedSentence {
public:
    explicit CPkvbTimeSentence(const PkvbSentenceInfo& info) : CPkvbTimedSentence(info, kDateField) {}

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database) override;

private:
    static constexpr int kDateField = 3;

    CStorageValueStatisticsTimeGPS* gpsTime = nullptr;
    CStorageValue* clockBias = nullptr;
    CStorageValue* clockDrift = nullptr;
};
