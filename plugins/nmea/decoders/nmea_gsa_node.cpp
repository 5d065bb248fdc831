#include "plugins/nmea/decoders/nmea_gsa_node.h"

#include "plugins/nmea/pages/nmea_field_list_page.h"

namespace {
constexpr int kFirstSatelliteField = 3;
constexpr int kLastSatelliteField = 14;
}  // namespace

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

bool NmeaGsaNode::StoreUsedSatellites(const NmeaFields& fields, CChannelHistory& channels) const {
    uint64_t mask = 0;
    int count = 0;
    for (int field = kFirstSatelliteField; field <= kLastSatelliteField; ++field) {
        const std::optional<int> nmeaNumber = fields.Integer(field);
        if (!nmeaNumber) continue;
        const int number = SatelliteNumberOfNmea(*nmeaNumber);
        const int channel = channels.ChannelOfSatellite(number);
        channels.AssignSatellite(channel, number);
        channels.SetUsed(channel, 1);
        if (const int slot = SatelliteSlot(number); slot >= 0) mask |= uint64_t{1} << slot;
        ++count;
    }
    bool changed = false;
    for (int slot = 0; slot < kSatelliteSlots; ++slot) changed |= Store(used[slot], static_cast<int>(mask >> slot & 1));
    if (usedList) changed |= usedList->OrMask(static_cast<uint32_t>(mask), static_cast<uint32_t>(mask >> 32), true, 0);
    changed |= Store(svsUsed, count);
    return changed;
}
