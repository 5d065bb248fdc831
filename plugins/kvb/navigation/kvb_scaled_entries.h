#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "plugins/kvb/framing/kvb_payload.h"
#include "shared/database_entries.h"
#include "shared/entry_store.h"
#include "shared/nmea_units.h"
#include "shared/storage_values.h"

// Rounds unlike kRadiansPerDegree in the last bit; the stored elevations keep their values.
constexpr double Radians(double degrees) { return degrees * kPi * 0.005555555555555556; }

// The receiver's units: cm, cm/s and hundredths; mm, ms and thousandths.
constexpr double kHundredths = 0.01;
constexpr double kThousandths = 0.001;

// A payload field written as field value x scale into one entry.
struct KvbScaledField {
    uint16_t id;
    uint8_t offset;
    KvbFieldType type;
    double scale;
};

// The entries of a table of scaled fields, bound once and written from each payload.
class KvbScaledEntries {
public:
    explicit KvbScaledEntries(std::span<const KvbScaledField> fields) : fields(fields), entries(fields.size()) {}

    void Bind(const CStorageDatabase* database);
    bool Store(const KvbPayload& payload) const;

private:
    std::span<const KvbScaledField> fields;
    std::vector<CStorageValue*> entries;
};
