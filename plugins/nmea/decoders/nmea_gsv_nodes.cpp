#include "plugins/nmea/decoders/nmea_gsv_nodes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plugins/nmea/catalogue/nmea_talkers.h"
#include "plugins/nmea/decoders/nmea_satellite_number.h"
#include "plugins/nmea/pages/nmea_gsv_page.h"
#include "plugins/nmea/resources/nmea_field_lists.h"
#include "plugins/nmea/resources/nmea_resource_ids.h"
#include "shared/nmea_units.h"

namespace {

constexpr int kMaximumPages = 9;
constexpr int kSatellitesPerPage = 4;
constexpr int kFieldsPerSatellite = 4;
constexpr int kFirstSatelliteField = 4;
constexpr double kHighestCn0 = 70;
constexpr int kStatusNoSignal = 0;
constexpr int kStatusTracking = 1;
constexpr int kStatusReady = 2;

const NmeaNodeIdentity kPageIdentity{.label = nullptr,
                                     .description = u"GNSS Satellites in View",
                                     .name = u"GPGSV",
                                     .dialogId = nmea_page::kFieldList,
                                     .rateId = kNoRateCommand,
                                     .fields = &nmea_string::kGsvPageFields};

}  // namespace

// ---- NmeaGsvNode

bool NmeaGsvNode::Accept(const uint8_t* bytes, int length) {
    if (!HasFormatter(bytes, length, u"GSV")) return false;
    if (!HasOwnTalker(bytes) &&
        (!IsGpNode() || IsSatelliteTalker(static_cast<char>(bytes[1]), static_cast<char>(bytes[2]))))
        return false;
    const std::optional<int> pages = NmeaFields::IntegerIn(bytes, length, 1);
    if (pages && *pages >= 1 && *pages <= kMaximumPages) {
        totalPages = *pages;
        while (pagesCreated < totalPages) {
            auto* page = new NmeaGsvPageNode(++pagesCreated, *this);
            page->BindDatabase(BoundDatabase());
            AddChild(page, true, false);
        }
    }
    return true;
}

void NmeaGsvNode::StoreFrame(const uint8_t* bytes, int length) {
    const std::optional<int> page = NmeaFields::IntegerIn(bytes, length, 2);
    if (!page || *page <= 0 || *page > totalPages) return;
    // Pages rise within a cycle, at most to nine, so the joined cycle stays bounded.
    if (*page > lastPage)
        joinedCycle.assign(FrameBytes(), FrameBytes() + FrameLength());
    else
        joinedCycle.clear();
    joinedCycle.insert(joinedCycle.end(), bytes, bytes + length);
    lastPage = *page;
    NmeaSentenceNode::StoreFrame(joinedCycle.data(), static_cast<int>(joinedCycle.size()));
}

void NmeaGsvNode::Reset() {
    NmeaNode::Reset();
    runningCycles.clear();
    completeCycles.clear();
    totalPages = 0;
    lastPage = 0;
}

void NmeaGsvNode::CompleteCycle(int signal) { completeCycles[signal] = std::move(runningCycles[signal]); }

int NmeaGsvNode::TrackedAcrossTalkers() const {
    std::vector<int> tracked;
    if (const CMessageNode* root = Parent())
        for (const NmeaGsvNode* node : talkers.Under(*root))
            for (const auto& [signal, satellites] : node->completeCycles)
                tracked.insert(tracked.end(), satellites.begin(), satellites.end());
    std::sort(tracked.begin(), tracked.end());
    return static_cast<int>(std::unique(tracked.begin(), tracked.end()) - tracked.begin());
}

void NmeaGsvNode::InitPage(CDialogPage& page) { InitGsvPage(page, ResourceModule()); }

void NmeaGsvNode::ShowData(CDialogPage& page, const uint8_t* bytes, int length) {
    ShowGsvPage(page, {lastPage, totalPages}, bytes, length);
}

void NmeaGsvNode::ResizePage(CDialogPage& page, int width, int height) { ResizeGsvPage(page, width, height); }

// ---- NmeaGsvPageNode

NmeaGsvPageNode::NmeaGsvPageNode(int pageNumber, NmeaGsvNode& cycle)
    : NmeaSentenceNode(kPageIdentity),
      cycle(cycle),
      pageNumber(pageNumber),
      label(u"page " + std::u16string(1, static_cast<char16_t>(u'0' + pageNumber))) {}

const char16_t* NmeaGsvPageNode::Label() const { return label.c_str(); }
const char16_t* NmeaGsvPageNode::Name() const { return cycle.Name(); }

int NmeaGsvPageNode::SignalOf(const NmeaFields& fields) {
    constexpr int kMaximumSignal = 31;
    const int last = fields.LastField();
    if (last < kFirstSatelliteField || (last - kFirstSatelliteField) % kFieldsPerSatellite != 0) return 0;
    const std::optional<int> signal = fields.Integer(last);
    return signal && *signal >= 0 && *signal <= kMaximumSignal ? *signal : 0;
}

bool NmeaGsvPageNode::Accept(const uint8_t* bytes, int length) {
    return NmeaFields::IntegerIn(bytes, length, 2) == pageNumber;
}

bool NmeaGsvPageNode::SameEpoch(CStorageDatabase* database) {
    const NmeaFields& fields = StoredFields();
    if (!database || fields.Integer(2) != 1 || !DecodedInEpoch(*database)) return true;
    return signalEpoch == database->GetEpochCounter() && !(signalsDecoded >> SignalOf(fields) & 1);
}

void NmeaGsvPageNode::BindEntries(const CStorageDatabase* database) { satellites.Bind(database); }

bool NmeaGsvPageNode::DecodeFields(const NmeaFields& fields, CStorageDatabase& database) {
    const std::optional<int> total = fields.Integer(1);
    const std::optional<int> page = fields.Integer(2);
    const std::optional<int> inView = fields.Integer(3);
    if (!total || !page || !inView || *page < 1 || *total < *page || *inView < 0) return false;
    if (*inView == 0) return EndEmptyCycle(SignalOf(fields));
    if (signalEpoch != database.GetEpochCounter()) signalsDecoded = 0;
    signalEpoch = database.GetEpochCounter();
    const int signal = SignalOf(fields);
    signalsDecoded |= uint32_t{1} << signal;
    if (*page == 1) cycle.StartCycle(signal);

    // The count of satellites in view says how many groups this page holds; groups it names but
    // does not carry read as absent.
    const int64_t firstSatellite = int64_t{*page - 1} * kSatellitesPerPage;
    SatelliteMask tracked;
    bool changed = false;
    for (int i = 0; i < kSatellitesPerPage && firstSatellite + i < *inView; ++i)
        changed |= StoreSatellite(fields, kFirstSatelliteField + kFieldsPerSatellite * i, signal, database.Channels(),
                                  tracked);

    changed |= satellites.StoreTracked(tracked, *page == *total);
    if (*page == *total) {
        cycle.CompleteCycle(signal);
        changed |= Store(satellites.trackedCount, cycle.TrackedAcrossTalkers());
    }
    return changed;
}

bool NmeaGsvPageNode::EndEmptyCycle(int signal) const {
    cycle.StartCycle(signal);
    cycle.CompleteCycle(signal);
    return Store(satellites.trackedCount, cycle.TrackedAcrossTalkers());
}

bool NmeaGsvPageNode::StoreSatellite(const NmeaFields& fields, int firstField, int signal, CChannelHistory& channels,
                                     SatelliteMask& tracked) const {
    const std::optional<int> nmeaNumber = fields.Integer(firstField);
    if (!nmeaNumber) return false;
    const NmeaSatellite satellite = NmeaSatelliteOf(fields, *nmeaNumber);
    const int number = satellite.number;
    if (number == 0) return false;
    cycle.AddToCycle(signal, number);
    const int channel = channels.ChannelOfSatellite(number);
    channels.AssignSatellite(channel, number, satellite.system);
    const int slot = SatelliteSlotAcrossSystems(number);
    tracked.Set(slot);

    bool changed = StoreSignal(fields.Number(firstField + 3), slot, channel, channels);
    changed |= StoreDirection(fields.Number(firstField + 1), fields.Number(firstField + 2), slot, channel, channels);
    return changed;
}

bool NmeaGsvPageNode::StoreSignal(std::optional<double> cn0, int slot, int channel, CChannelHistory& channels) const {
    bool changed = false;
    if (cn0 && *cn0 > 0 && *cn0 < kHighestCn0) {
        if (slot >= 0) {
            changed |= Store(satellites.cn0[slot], cn0);
            // A satellite the receiver reported as ready stays ready.
            const CStorageValue* status = satellites.modeStatus[slot];
            if (status && (!status->IsValid() || status->GetValue() != kStatusReady))
                changed |= Store(satellites.modeStatus[slot], kStatusTracking);
        }
        channels.SetCn0(channel, std::trunc(*cn0));
        channels.SetSignalState(channel, 1);
    } else {
        if (slot >= 0) changed |= Store(satellites.modeStatus[slot], kStatusNoSignal);
        channels.SetCn0(channel, 0);
        channels.SetSignalState(channel, 0);
    }
    return changed;
}

bool NmeaGsvPageNode::StoreDirection(std::optional<double> elevation, std::optional<double> azimuth, int slot,
                                     int channel, CChannelHistory& channels) const {
    bool elevationValid = elevation && *elevation >= -90 && *elevation <= 90;
    bool azimuthValid = azimuth && *azimuth >= -180 && *azimuth <= 360;
    // Receivers send 0,0 for a satellite whose position they do not know.
    if (elevationValid && azimuthValid && *elevation == 0 && *azimuth == 0) elevationValid = azimuthValid = false;

    bool changed = false;
    if (elevationValid) {
        if (slot >= 0) changed |= Store(satellites.elevation[slot], *elevation * kRadiansPerDegree);
        channels.SetElevation(channel, std::trunc(*elevation));
    }
    if (azimuthValid) {
        if (slot >= 0) changed |= Store(satellites.azimuth[slot], BearingRadians(*azimuth));
        channels.SetAzimuth(channel, std::trunc(*azimuth < 0 ? *azimuth + 360 : *azimuth));
    }
    return changed;
}
