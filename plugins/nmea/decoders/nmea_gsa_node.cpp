#include "plugins/nmea/decoders/nmea_gsa_node.h"

#include "plugins/nmea/decoders/nmea_satellite_number.h"
#include "plugins/nmea/pages/nmea_field_list_page.h"

namespace {
constexpr int kFirstSatelliteField = 3;
constexpr int kLastSatelliteField = 14;
constexpr int kSystemField = 18;
constexpr int kHighestSystem = 15;

int SystemOf(const NmeaFields& fields) {
    const std::optional<int> system = fields.Integer(kSystemField);
    return system && *system >= 1 && *system <= kHighestSystem ? *system : 0;
}
}  // namespace

bool NmeaGsaNode::SameEpoch(CStorageDatabase* database) {
    if (NmeaSentenceNode::SameEpoch(database)) return true;
    return systemEpoch == database->GetEpochCounter() && !(systemsDecoded >> SystemOf(StoredFields()) & 1);
}

void NmeaGsaNode::BindEntries(const CStorageDatabase* database) {
    status.Bind(database);
    FindSlotEntries(database, entry::kSatelliteUsed, used);
    usedList = FindEntry<CStorageSVList>(database, entry::kUsedList);
    svsUsed = FindEntry(database, entry::kSatellitesUsed);
    pdop = FindEntry(database, entry::kPdop);
    hdop = FindEntry(database, entry::kHdop);
    vdop = FindEntry(database, entry::kVdop);
}

void NmeaGsaNode::ShowData(CDialogPage& page, const uint8_t* bytes, int length) { ShowGsaPage(page, bytes, length); }

bool NmeaGsaNode::DecodeFields(const NmeaFields& fields, CStorageDatabase& database) {
    if (systemEpoch != database.GetEpochCounter()) {
        systemsDecoded = 0;
        usedInEpoch = 0;
    }
    systemEpoch = database.GetEpochCounter();
    systemsDecoded |= uint32_t{1} << SystemOf(fields);
    bool changed = StoreNavigationMode(fields.Letter(2));
    changed |= StoreUsedSatellites(fields, database.Channels());
    changed |= Store(pdop, fields.Number(15));
    changed |= Store(hdop, fields.Number(16));
    changed |= Store(vdop, fields.Number(17));
    return changed;
}

bool NmeaGsaNode::StoreNavigationMode(std::optional<char> mode) const {
    if (!mode || *mode < '1' || *mode > '3') return false;
    bool changed = Store(status.navOk, *mode != '1' ? 1 : 0);
    // A 2D or 3D fix refines the "2D or 3D" that GGA may have stored before.
    const bool refinable = !status.NavModeIsValid() || (status.navMode && status.navMode->GetValue() == kNavMode2DOr3D);
    if (*mode != '1' && refinable) changed |= Store(status.navMode, *mode == '2' ? kNavMode2D : kNavMode3D);
    return changed;
}

bool NmeaGsaNode::StoreUsedSatellites(const NmeaFields& fields, CChannelHistory& channels) {
    const int systemId = SystemOf(fields);
    SatelliteMask mask;
    int count = 0;
    for (int field = kFirstSatelliteField; field <= kLastSatelliteField; ++field) {
        const std::optional<int> nmeaNumber = fields.Integer(field);
        if (!nmeaNumber) continue;
        const NmeaSatellite satellite = NmeaSatelliteOf(fields, *nmeaNumber, systemId);
        const int number = satellite.number;
        const int channel = channels.ChannelOfSatellite(number);
        channels.AssignSatellite(channel, number, satellite.system);
        channels.SetUsed(channel, 1);
        mask.Set(SatelliteSlotAcrossSystems(number));
        ++count;
    }
    // A GSA of one system among several adds its satellites to the epoch's; the satellites it does
    // not list may be another system's, and the used list gives them theirs when the epoch closes.
    const bool onePerSystem = systemId != 0 || !IsGpNode();
    bool changed = false;
    for (int slot = 0; slot < kSatelliteSlots; ++slot)
        if (!onePerSystem || mask.Test(slot)) changed |= Store(used[slot], mask.Test(slot) ? 1 : 0);
    if (usedList) changed |= usedList->OrMask(mask, true, 0);
    usedInEpoch = onePerSystem ? usedInEpoch + count : count;
    changed |= Store(svsUsed, UsedAcrossTalkers(systemEpoch));
    return changed;
}

int NmeaGsaNode::UsedAcrossTalkers(uint32_t epoch) const {
    const CMessageNode* root = Parent();
    if (!root) return usedInEpoch;
    int used = 0;
    for (const NmeaGsaNode* node : talkers.Under(*root))
        if (node->systemEpoch == epoch) used += node->usedInEpoch;
    return used;
}
