#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "host/core/database/conversion_entries.h"
#include "shared/satellite_slots.h"

class CStorageSVList;

// "Satellite CNO": the mean C/N0 of the satellites that report one. Unlike every other
// conversion it replaces a value a decoder stored.
class CSatelliteCno : public CConversion {
public:
    void Bind(CStorageDatabase& database) override;
    bool Run() override;

private:
    // True when the mean would come out as last time and the entry still holds it.
    bool MeanStands() const;

    const CStorageDatabase* database = nullptr;
    std::array<CStorageValue*, kSatelliteSlots> cn0{};
    CStorageValue* mean = nullptr;
    std::optional<conversion::SatelliteItemState> lastRead;
    double lastMean = 0;
};

// "Satellite List" and "Satellite Tracked": a satellite list and the per-satellite flags filled
// from each other, with the number of satellites in the list.
class CSatelliteListConversion : public CConversion {
public:
    struct Ids {
        uint16_t list;
        int flagItem;  // per-satellite item: 1 when the satellite is in the list, 0 when not
        uint16_t count;
    };
    static const Ids kUsed;
    static const Ids kTracked;

    explicit CSatelliteListConversion(const Ids& ids) : ids(ids) {}
    void Bind(CStorageDatabase& database) override;
    bool Run() override;

private:
    bool FillFlags(const SatelliteMask& mask);
    bool FillList();

    Ids ids;
    const CStorageDatabase* database = nullptr;
    // Filling the flags leaves every one of them holding a value until the generation ends, and
    // filling the list from unchanged flags finds what it found last time.
    std::optional<uint64_t> flagsFilledIn;
    std::optional<conversion::SatelliteItemState> flagsRead;
    CStorageSVList* list = nullptr;
    std::array<CStorageValue*, kSatelliteSlots> flags{};
    CStorageValue* count = nullptr;
};
