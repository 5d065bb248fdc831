#include "plugins/kvb/editors/cfg_device_editors.h"

#include <array>

#include "plugins/kvb/resources/kvb_editor_ids.h"

namespace {

using namespace kvb_res;

// ---- CFG-LOG: bit n of 0-3 for GPIO n; the filters' first fields (4-5, 12-13, 20-21) are the
// smallest time [s], distance [m] and speed [m/s] between two records, the second ones (8-9,
// 16-17, 22-23) the largest.
constexpr auto LogFields() {
    std::array<EditorField, 13 + cfglog::kGpioCount> fields{
        NumberField(cfglog::kTimeFilter, 4, 2),       NumberField(cfglog::kMaxTimeFilter, 8, 2),
        NumberField(cfglog::kDistanceFilter, 12, 2),  NumberField(cfglog::kMaxDistanceFilter, 16, 2),
        NumberField(cfglog::kSpeedFilter, 20, 2),     NumberField(cfglog::kMaxSpeedFilter, 22, 2),
        BitField(cfglog::kFixLogging, 24, 2, 0),      BitField(cfglog::kFourSvs, 24, 2, 3),
        BitField(cfglog::kSpeedOverGround, 24, 2, 6), BitField(cfglog::kLogging, 32, 2, 0),
        BitField(cfglog::kRingBuffer, 32, 2, 3),      BitField(cfglog::kClearBuffer, 32, 2, 4),
        BitField(cfglog::kFlashLed, 32, 2, 7),
    };
    for (int gpio = 0; gpio < cfglog::kGpioCount; ++gpio)
        fields[static_cast<size_t>(13 + gpio)] = BitField(cfglog::kGpio0 + gpio, 0, 4, static_cast<uint8_t>(gpio));
    return fields;
}
constexpr auto kLogFields = LogFields();

// ---- ODO
constexpr const char16_t* kPlatforms[] = {u"1 - CAR", u"2 - BICYCLE", u"3 - RUNNING"};
constexpr EditorList kOdoLists[] = {{odo::kPlatform, kPlatforms}};
constexpr EditorField kOdoFields[] = {
    BitField(odo::kEnable, 0, 4, 0),
    BitField(odo::kReset, 0, 4, 1),
    ChoiceField(odo::kPlatform, 4, 4),
    StatusField(odo::kDisabled, 0, 4, 0, false),
};

// ---- CFG-TM: flags bit 1 is the time source, bit 2 the edge; the receiver sets bit 31 when it has
// no time-mark input, and takes no notice of it in what it is sent.
constexpr const char16_t* kTimeMarkSources[] = {u"0 - GPS time", u"1 - UTC time"};
constexpr const char16_t* kTmEdges[] = {u"0 - rising edge", u"1 - falling edge"};
constexpr uint8_t kTimeMarkMissing = 31;
constexpr uint32_t kInputLine = 31;
constexpr EditorList kTmLists[] = {{cfgtm::kTimeSource, kTimeMarkSources}, {cfgtm::kEdge, kTmEdges}};
constexpr EditorField kTmFields[] = {
    PackedField(cfgtm::kInputLine, 0, 1, 0, kInputLine),
    NumberField(cfgtm::kPollRate, 4, 4),
    BitField(cfgtm::kEnable, 8, 4, 0),
    IndexField(cfgtm::kTimeSource, 8, 4, 1, 1),
    IndexField(cfgtm::kEdge, 8, 4, 2, 1),
    StatusField(cfgtm::kNotAvailable, 8, 4, kTimeMarkMissing, true),
};

// ---- CFG-TM2: flags bit 1 is the time source, bit 2 the trigger mode, bits 3-4 the edge.
constexpr const char16_t* kChannels[] = {u"0", u"1", u"2"};
constexpr const char16_t* kTm2Modes[] = {u"0 - single", u"1 - running"};
constexpr const char16_t* kTm2Edges[] = {u"0 - none", u"1 - rising edge", u"2 - falling edge", u"3 - both edges"};
constexpr EditorList kTm2Lists[] = {{cfgtm2::kChannel, kChannels},
                                    {cfgtm2::kTimeSource, kTimeMarkSources},
                                    {cfgtm2::kMode, kTm2Modes},
                                    {cfgtm2::kEdge, kTm2Edges}};
constexpr EditorField kTm2Fields[] = {
    ChoiceField(cfgtm2::kChannel, 0, 1, 2), NumberField(cfgtm2::kPollRate, 4, 4),
    BitField(cfgtm2::kEnable, 8, 4, 0),     IndexField(cfgtm2::kTimeSource, 8, 4, 1, 1),
    IndexField(cfgtm2::kMode, 8, 4, 2, 1),  IndexField(cfgtm2::kEdge, 8, 4, 3, 3),
};

}  // namespace

const CKvbFieldEditor kCfgLogEditor{0x21, 36, kLogFields, {}};
const CKvbFieldEditor kOdoEditor{0x1E, 8, kOdoFields, kOdoLists};
const CKvbFieldEditor kCfgTmEditor{0x10, 12, kTmFields, kTmLists};
const CKvbFieldEditor kCfgTm2Editor{0x19, 12, kTm2Fields, kTm2Lists, 1};
