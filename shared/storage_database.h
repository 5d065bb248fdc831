#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/export.h"
#include "shared/channel_history.h"
#include "shared/storage.h"

class CEpochHistory;
class CEpochSnapshot;
class CStorageDatabase;
namespace platform {
class CProfile;
}

// Derives missing values from others after every decoded message (time scales, coordinate and
// velocity forms, satellite lists).
class VELTRO_EXPORT CConversion {
public:
    virtual ~CConversion() = default;
    // Looks up the entries it reads and writes, once.
    virtual void Bind(CStorageDatabase& database) = 0;
    // Fills outputs from inputs; true when it stored anything.
    virtual bool Run() = 0;

    std::u16string name;
    bool enabled = true;
};

// The receiver's state as named values addressed by 16-bit identifiers. Plug-ins reach it only
// through the operations here.
class VELTRO_EXPORT CStorageDatabase {
public:
    // The profile, when given, holds which conversions are switched on ("Database\\Completer").
    explicit CStorageDatabase(platform::CProfile* profile = nullptr);
    virtual ~CStorageDatabase();
    CStorageDatabase(const CStorageDatabase&) = delete;
    CStorageDatabase& operator=(const CStorageDatabase&) = delete;

    void Add(uint16_t id, std::unique_ptr<CStorage> entry);
    virtual CStorage* Lookup(uint16_t id) const;
    // The entry when it exists and is of the given class or derived from it.
    CStorage* Find(uint16_t id, const CRuntimeClass* runtimeClass) const;
    template <typename T>
    T* FindAs(uint16_t id) const {
        return static_cast<T*>(Find(id, T::StaticClass()));
    }
    // The entry's value, or 0 when there is no such entry of that class.
    double GetValue(uint16_t id, const CRuntimeClass* runtimeClass) const;

    void AddConversion(std::unique_ptr<CConversion> conversion, const std::u16string& name);
    bool RunConversions();
    const std::vector<std::unique_ptr<CConversion>>& Conversions() const { return conversions; }

    void SaveSnapshot(CEpochHistory& history, CEpochSnapshot& snapshot);
    void EndRefresh();
    void Reset();

    // 0 none, 1 tracking, 2 ready, 3 used; from the snapshot when both are given.
    int GetSatelliteState(int slot, const CEpochHistory* history, const CEpochSnapshot* snapshot) const;

    // Epochs closed since the start: text decoders use it to tell a new epoch from the running one.
    virtual uint32_t GetEpochCounter() const;
    // Rises whenever entries may lose their values (an epoch closes, the database is reset): what
    // a conversion filled under one generation still stands while it lasts.
    uint64_t Generation() const { return generation; }
    // Rises with every store into per-satellite item k (1..15) of any slot, so that a conversion
    // over all slots can tell whether it would find anything new.
    uint32_t SatelliteItemStores(int item) const { return satelliteItemTallies[item & 0xF].stores; }
    // The slots whose item k gained a value in the running epoch: every one that holds a value is
    // among them.
    SatelliteMask SatelliteItemSlotsGained(int item) const {
        return SatelliteMask(satelliteItemTallies[item & 0xF].slotsGained);
    }
    void AttachHistory(const CEpochHistory* epochHistory) { history = epochHistory; }

    CChannelHistory& Channels() { return channels; }
    const CChannelHistory& Channels() const { return channels; }

    // Entries in the order they were added, for views that list them.
    const std::vector<std::pair<uint16_t, CStorage*>>& Entries() const { return ordered; }

private:
    void AttachEntry(uint16_t id, CStorage& entry);
    void StartEpochTallies();
    double CurrentOrSnapshot(uint16_t id, const CEpochHistory* history, const CEpochSnapshot* snapshot) const;

    std::unordered_map<uint16_t, std::unique_ptr<CStorage>> entries;
    std::vector<std::pair<uint16_t, CStorage*>> ordered;
    std::vector<std::unique_ptr<CConversion>> conversions;
    CChannelHistory channels;
    platform::CProfile* profile;
    const CEpochHistory* history = nullptr;
    EntryLedger ledger;
    uint64_t generation = 0;
    std::array<SatelliteItemTally, 16> satelliteItemTallies{};
};
