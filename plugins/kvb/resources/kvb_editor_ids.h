#pragma once

// The pages of the configuration editors and their controls.
namespace kvb_res {

inline constexpr int kCfgPrtPage = 102;
inline constexpr int kCfgMsgPage = 103;
inline constexpr int kCfgInfPage = 104;
inline constexpr int kCustomPage = 659;
inline constexpr int kCfgRstPage = 1009;
inline constexpr int kCfgTpPage = 1040;
inline constexpr int kCfgRatePage = 1041;
inline constexpr int kCfgRxmPage = 2099;
inline constexpr int kCfgAntPage = 2107;
inline constexpr int kCfgSbasPage = 2110;
inline constexpr int kCfgNmeaPage = 2114;
inline constexpr int kCfgTmodePage = 2129;
inline constexpr int kCfgCfgPage = 2133;
inline constexpr int kCfgNavPage = 2135;
inline constexpr int kCfgNav2Page = 2140;

namespace cfgprt {
enum : int {
    kTarget = 1001, kBaudrate, kAutoBauding, kMode, kDatabits, kParity, kStopbits, kBitOrder, kOversampling,
    kProtocolIn, kProtocolOut, kForwardTo
};
}
namespace cfgmsg {
// Per target: the rate, then its "On" box.
enum : int { kMessage = 1001, kRate0 = 1010, kOn0 = 1011, kTargetStep = 2 };
}
namespace cfginf {
// Per target: "All", then the eight bits.
enum : int { kProtocol = 1001, kTarget0 = 1010, kTargetStep = 10 };
}
namespace cfgrst {
enum : int {
    kHotstart = 1001, kWarmstart, kColdstart, kUserDefined, kClear, kStop, kStart, kControlled, kControlledGps,
    kForced
};
}
namespace cfgrate {
enum : int { kMeasurementPeriod = 1001, kNavigationRate, kTimeSource, kMeasurementFrequency, kNavigationFrequency };
}
namespace cfgtp {
enum : int { kPeriod = 1001, kLength, kPulseMode, kTimeSource, kCableDelay, kRfGroupDelay, kUserDelay };
}
namespace cfgnav {
enum : int {
    kModel = 1001, kMinSvs, kMaxSvs, kMinCn0, kAbsMinCn0, kMinElevation, kTimetag, kDgpsTimeout, kPrcAge, kCpcAge,
    kMinClt, kAbsMinClt, kDrTimeout, kRange, kDoppler, kDeltaRange, kAlmEph, kAlmanacNavigation, kPdop, kTdop,
    kPAccuracy, kTAccuracy, kFAccuracy, kStaticHold
};
}
namespace cfgnav2 {
enum : int {
    kModel = 1001, kInitialMinSv, kMinSvs, kMaxSvs, kFixMode, kFixedAltitude, kInitialMinCn0, kMinCn0, kMinElevation,
    kDgpsTimeout, kDrTimeout, kRaim, kAlmanacNavigation, kPdop, kTdop, kPAccuracy, kTAccuracy, kStaticHold
};
}
namespace cfgtmode {
enum : int { kTimeMode = 1001, kX, kY, kZ, kDeviation, kMinObservation, kRequiredDeviation };
}
namespace cfgcfg {
enum : int {
    kRevertDefault = 1001, kRevertSaved, kSaveCurrent, kUserDefined, kClear, kSave, kLoad, kDevice, kDevices
};
}
namespace cfgsbas {
enum : int {
    kSubsystem = 1001, kTestMode, kRanging, kCorrections, kIntegrity, kChannels, kAutoScan, kWaas, kEgnos, kMsas,
    kOther, kOtherPrns
};
}
namespace cfgnmea {
enum : int {
    kInvalidFixes = 1001, kMaskedFixes, kInvalidTimes, kInvalidDates, kNoSbas, kFrozenCog, kVersion, kMode,
    kCompatibility, kConsider
};
}
namespace cfgant {
enum : int {
    kSupplyControl = 1001, kShortDetection, kOpenDetection, kShortPowerDown, kShortRecovery, kControlPin,
    kShortPin, kOpenPin
};
}
namespace cfgrxm {
enum : int { kGpsMode = 1001, kPowerMode };
}
namespace custom {
enum : int { kClass = 1001, kId, kPayload };
}

// ---- CFG-DAT and CFG-TDB
inline constexpr int kCfgTdbPage = 2109;
inline constexpr int kCfgDatPage = 2134;

namespace cfgdat {
// The nine parameters of a user datum follow the list in payload order.
enum : int {
    kDatum = 1001, kSemiMajorAxis, kInverseFlattening, kShiftX, kShiftY, kShiftZ, kRotationX, kRotationY, kRotationZ,
    kScale
};
}
namespace cfgtdb {
// Per probe: its channel, size and offset lists.
enum : int { kEnable = 1001, kTarget, kChannel0 = 1010, kSize0, kOffset0, kProbeStep = 3, kProbes = 16 };
}

}  // namespace kvb_res
