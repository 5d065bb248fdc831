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

// ---- The editors of the engineering, power, logging, USB and time-mark settings.
inline constexpr int kCfgMapPage = 1030;
inline constexpr int kOdoPage = 1054;
inline constexpr int kCfgTrksetPage = 1058;
inline constexpr int kCfgNavxPage = 2081;
inline constexpr int kCfgFxwPage = 2085;
inline constexpr int kCfgRxmxPage = 2090;
inline constexpr int kCfgTstPage = 2093;
inline constexpr int kCfgRxmoscPage = 2096;
inline constexpr int kCfgItmPage = 2097;
inline constexpr int kCfgTmPage = 2103;
inline constexpr int kCfgEkfPage = 2105;
inline constexpr int kCfgLogPage = 2106;
inline constexpr int kCfgLptstPage = 2119;
inline constexpr int kCfgTm2Page = 2120;
inline constexpr int kCfgUsbPage = 2125;

namespace cfgfxw {
enum : int {
    kTemplate = 1001, kSleep, kBackup, kOnOffTime, kAbsoluteAlign, kReacquire, kAcquire, kReacquireOff, kAcquireOff,
    kOn, kOff, kBaseTow
};
}
namespace cfglog {
// The GPIO boxes are numbered from kGpio0 up.
enum : int {
    kTimeFilter = 1001, kDistanceFilter, kSpeedFilter, kMaxTimeFilter, kMaxDistanceFilter, kMaxSpeedFilter,
    kFixLogging, kFourSvs, kSpeedOverGround, kLogging, kRingBuffer, kClearBuffer, kFlashLed, kGpio0 = 1020,
    kGpioCount = 16
};
}
namespace cfgekf {
enum : int {
    kEnabled = 1001, kClearTemperature, kSetPulses, kPulses, kSetGyro, kSetHardware, kConverter, kTemperatureSensor,
    kDirectionPin, kSpeedPin, kDirectionPolarity, kGyroAxis, kSensitivity, kZeroPoint, kGyroRms, kSetFlash,
    kFlashInterval
};
}
namespace cfgusb {
enum : int {
    kVendorId = 1001, kProductId, kComEmulation, kGenericSerial, kBulkTransfer, kBulkLoopBack, kLinkToPid, kDfu,
    kDfuDetach, kDfuTolerant, kBusPowered, kSelfPowered, kCurrent, kRemoteWakeup, kNoConnectDelay, kProductText,
    kVendorText, kSerialNumber
};
}
namespace cfgtm {
enum : int { kInputLine = 1001, kPollRate, kEnable, kTimeSource, kEdge, kNotAvailable };
}
namespace cfgtm2 {
enum : int { kChannel = 1001, kPollRate, kEnable, kTimeSource, kMode, kEdge };
}
namespace cfgnavx {
enum : int {
    kMinSvs = 1001, kMaxSvs, kFixMode, kFilter, kIonosphere, kTimeMode, kReset, kMinElevation, kMinCn0, kPdop,
    kPAccuracy, kTAccuracy, kSurveyTime, kSurveyAccuracy, kFixedAltitude, kAntenna, kAntennaType, kMount,
    kAntennaHeight, kCableDelay
};
}
namespace cfgitm {
enum : int {
    kEnable = 1001, kWakeOnTimer, kWakeOnPin, kTrackTime, kSleepTime, kAcquisitionTime, kMinSvs, kMinCn0,
    kGracePeriod
};
}
namespace cfglptst {
enum : int { kEnable = 1001, kStopAfter, kReportCurrent, kDuration, kOnTime, kOffTime };
}
namespace cfgrxmx {
enum : int {
    kTrackingMode = 1001, kSensitivity, kSpacing, kAcquisitionTimeout, kReacquisitionTimeout, kSearchWindow,
    kChannels, kMultipath, kJamming
};
}
namespace cfgrxmosc {
enum : int {
    kType = 1001, kFrequency, kStability, kAging, kWarmUp, kOffset, kTemperatureDrift, kCalibrated, kCalibration
};
}
namespace cfgtrkset {
enum : int { kSetting = 1001, kBandwidth, kIntegration };
}
namespace cfgtst {
enum : int { kSatellite = 1001, kChannel, kSignal, kNoise, kDoppler, kCodePhase, kLevel, kDuration, kExtended, kFlags };
}
namespace cfgmap {
enum : int { kEntry = 1001, kActive, kSource, kTarget };
}
namespace odo {
enum : int { kEnable = 1001, kReset, kPlatform, kDisabled };
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
