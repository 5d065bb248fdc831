

#include "plugins/kvb/catalogue/cfg_msg_message.h"
#include "plugins/kvb/catalogue/kvb_catalogue.h"
#include "plugins/kvb/catalogue/kvb_information_node.h"
#include "plugins/kvb/editors/cfg_cfg_editor.h"
#include "plugins/kvb/editors/cfg_dat_editor.h"
#include "plugins/kvb/editors/cfg_device_editors.h"
#include "plugins/kvb/editors/cfg_editors.h"
#include "plugins/kvb/editors/cfg_expert_editors.h"
#include "plugins/kvb/editors/cfg_fxw_editor.h"
#include "plugins/kvb/editors/cfg_msg_editor.h"
#include "plugins/kvb/editors/cfg_prt_editor.h"
#include "plugins/kvb/editors/cfg_rst_editor.h"
#include "plugins/kvb/editors/cfg_sbas_editor.h"
#include "plugins/kvb/editors/cfg_tdb_editor.h"
#include "plugins/kvb/editors/cfg_usb_editor.h"
#include "plugins/kvb/editors/custom_editor.h"
#include "plugins/kvb/navigation/nav_ekf_status_message.h"
#include "plugins/kvb/navigation/nav_scaled_messages.h"
#include "plugins/kvb/navigation/nav_solution_messages.h"
#include "plugins/kvb/navigation/nav_sv_info_message.h"
#include "plugins/kvb/navigation/nav_time_messages.h"
#include "plugins/kvb/navigation/nav_vel_ned_message.h"
#include "plugins/kvb/pages/information_page.h"
#include "plugins/kvb/pages/mon_ver_page.h"
#include "plugins/kvb/pages/nav_channel_pages.h"
#include "plugins/kvb/pages/nav_correction_pages.h"
#include "plugins/kvb/pages/nav_ekf_status_page.h"
#include "plugins/kvb/pages/nav_fix_pages.h"
#include "plugins/kvb/pages/nav_form_pages.h"
#include "plugins/kvb/pages/pkvb_sentence_page.h"
#include "plugins/kvb/proprietary/pkvb_sentences.h"
#include <algorithm>

namespace {

constexpr uint32_t kOrdinary = MASK_ORDINARY;
constexpr uint32_t kLogging = MASK_LOGGING;
constexpr uint32_t kOdometer = MASK_ODOMETER;
constexpr uint32_t kExpert = MASK_EXPERT;
constexpr uint32_t kTracking = MASK_DISABLED;

constexpr KvbClassInfo kClasses[] = {
    {{u"NAV", u"NAV (Navigation)", u"Navigation", kExpert, 1022}, kKvbClassNav},
    {{u"INF", u"INF (Information)", u"Information", kOrdinary, 654, &kInformationPage}, kKvbClassInf,
     MakeKvbClassNode<CKvbInformationNode>},
    {{u"CFG", u"CFG (Config)", u"Config", kExpert, 0}, kKvbClassCfg},
    {{u"MON", u"MON (Monitor)", u"Monitor", kExpert, 0}, kKvbClassMon},
};

// Ports, protocols and time-mark channels whose configurations are polled one by one.
constexpr uint8_t kPorts[] = {0, 1, 2, 3};
constexpr uint8_t kInfProtocols[] = {0, 1, 3, 12, 13, 14, 15};
constexpr uint8_t kTimeMarkChannels[] = {0, 1, 2};

constexpr KvbPoll kEmptyPoll = KvbPoll::Empty;
constexpr KvbPoll kNoPoll = KvbPoll::None;
constexpr KvbPoll kPagePoll = KvbPoll::FromPage;

// clang-format off
// Class, id, {name, label, description, own mask, page, view}, accepted total lengths[, poll, ...].
constexpr KvbMessageInfo kMessages[] = {
    {0x01, 0x01,
     {u"NAV-POSECEF", u"POSECEF (Position ECEF)", u"Position in ECEF Frame", kOrdinary, 1023, &kNavPosEcefPage},
     ExactLength(28), kEmptyPoll, {}, MakeKvbMessage<CNavPosEcefMessage>},
    {0x01, 0x02, {u"NAV-POSLLH", u"POSLLH (Geodetic Position)", u"Geodetic Position", kOrdinary, 1024, &kNavPosLlhPage},
     ExactLength(36), kEmptyPoll, {}, MakeKvbMessage<CNavPosLlhMessage>},
    {0x01, 0x03, {u"NAV-STATUS", u"STATUS (Navigation Status)", u"Navigation Status", kOrdinary, 652, &kNavStatusPage},
     ExactLength(24), kEmptyPoll, {}, MakeKvbMessage<CNavStatusMessage>},
    {0x01, 0x04, {u"NAV-DOP", u"DOP (Dilution of Precision)", u"Dilution of Precision", kOrdinary, 652, &kNavDopPage},
     ExactLength(26), kEmptyPoll, {}, MakeKvbMessage<CNavDopMessage>},
    {0x01, 0x06, {u"NAV-SOL", u"SOL (Navigation Solution)", u"Navigation Solution", kOrdinary, 652, &kNavSolPage},
     ExactLength(60), kEmptyPoll, {}, MakeKvbMessage<CNavSolMessage>},
    {0x01, 0x08,
     {u"NAV-POSUTM", u"POSUTM (Position UTM Grid)", u"Position in Universal-Transverse-Mercator Grid",
      kOrdinary, 1037, &kNavPosUtmPage},
     ExactLength(26)},
    {0x01, 0x11,
     {u"NAV-VELECEF", u"VELECEF (Velocity ECEF)", u"Velocity in ECEF frame", kOrdinary, 1025, &kNavVelEcefPage},
     ExactLength(28), kEmptyPoll, {}, MakeKvbMessage<CNavVelEcefMessage>},
    {0x01, 0x12, {u"NAV-VELNED", u"VELNED (Velocity WGS84)", u"Velocity in WGS 84", kOrdinary, 1026, &kNavVelNedPage},
     ExactLength(44), kEmptyPoll, {}, MakeKvbMessage<CNavVelNedMessage>},
    {0x01, 0x20, {u"NAV-TIMEGPS", u"TIMEGPS (GPS Time)", u"GPS System Time", kOrdinary, 1028, &kNavTimeGpsPage},
     ExactLength(24), kEmptyPoll, {}, MakeKvbMessage<CNavTimeGpsMessage>},
    {0x01, 0x21,
     {u"NAV-TIMEUTC", u"TIMEUTC (UTC Time)", u"Universal Time Coordinated", kOrdinary, 1029, &kNavTimeUtcPage},
     ExactLength(28), kEmptyPoll, {}, MakeKvbMessage<CNavTimeUtcMessage>},
    {0x01, 0x22, {u"NAV-CLOCK", u"CLOCK (Clock Status)", u"Clock Status", kOrdinary, 1031, &kNavClockPage},
     ExactLength(28), kEmptyPoll, {}, MakeKvbMessage<CNavClockMessage>},
    {0x01, 0x30,
     {u"NAV-SVINFO", u"SVINFO (SV Information)", u"Satellite Status and Information", kOrdinary, 652, &kNavSvInfoPage},
     CountedRecords(16, 10, 12), kEmptyPoll, {}, MakeKvbMessage<CNavSvInfoMessage>},
    {0x01, 0x31,
     {u"NAV-DGPS", u"DGPS (DGPS Data)", u"DGPS Status", kOrdinary, 652, &kNavDgpsPage}, CountedRecords(24, 18, 16, 12)},
    {0x01, 0x32,
     {u"NAV-SBAS", u"SBAS (SBAS Status)", u"SBAS Status", kOrdinary, 2112, &kNavSbasPage}, CountedRecords(20, 14, 12)},
    {0x01, 0x33, {u"NAV-SVPOS", u"SVPOS (SV Position)", u"Satellite Position", kExpert, 652, &kNavSvPosPage},
     CountedRecords(16, 12, 20)},
    {0x01, 0x40, {u"NAV-EKFSTATUS", u"EKFSTATUS (Status)", u"EKF Status", kOrdinary, 652, &kNavEkfStatusPage},
     ExactLength(44), kEmptyPoll, {}, MakeKvbMessage<CNavEkfStatusMessage>},

    {0x06, 0x00, {u"CFG-PRT", u"PRT (Ports)", u"Ports", kOrdinary, 102, &kCfgPrtEditor}, ExactLength(28), kPagePoll, kPorts},
    {0x06, 0x01, {u"CFG-MSG", u"MSG (Messages)", u"Messages", kOrdinary, 103, &kCfgMsgEditor}, ExactLength(14), kPagePoll, {},
     MakeKvbMessage<CCfgMsgMessage>},
    {0x06, 0x02, {u"CFG-INF", u"INF (InfMessages)", u"InfMessages", kOrdinary, 104, &kCfgInfEditor}, ExactLength(16), kPagePoll,
     kInfProtocols},
    {0x06, 0x03, {u"CFG-NAV", u"NAV (Navigation)", u"Navigation", kOrdinary, 2135, &kCfgNavEditor}, ExactLength(36)},
    {0x06, 0x04, {u"CFG-RST", u"RST (Reset)", u"Reset", kOrdinary, 1009, &kCfgRstEditor}, ExactLength(12), kNoPoll},
    {0x06, 0x06, {u"CFG-DAT", u"DAT (Datum)", u"Datum", kOrdinary, 2134, &kCfgDatEditor}, ExactLength(60, 10, 52)},
    {0x06, 0x07, {u"CFG-TP", u"TP (Time Pulse)", u"Time Pulse", kOrdinary, 1040, &kCfgTpEditor}, ExactLength(28)},
    {0x06, 0x08, {u"CFG-RATE", u"RATE (Rates)", u"Rates", kOrdinary, 1041, &kCfgRateEditor}, ExactLength(14)},
    {0x06, 0x09, {u"CFG-CFG", u"CFG (Configuration)", u"Configuration", kOrdinary, 2133, &kCfgCfgEditor}, ExactLength(20, 21),
     kNoPoll},
    {0x06, 0x0A, {u"CFG-NAVX", u"NAVX (Navigation Expert)", u"Navigation Expert", kExpert, 2081, &kCfgNavxEditor},
     ExactLength(56, 40)},
    {0x06, 0x0B, {u"CFG-TST", u"TST (Testmode)", u"Testmode", kExpert, 2093, &kCfgTstEditor}, ExactLength(56, 52)},
    {0x06, 0x0C, {u"CFG-RXMX", u"RXMX (Receiver Manager Expert)", u"Receiver Manager Expert", kTracking, 2090, &kCfgRxmxEditor},
     ExactLength(24)},
    {0x06, 0x0D,
     {u"CFG-RXMOSC", u"RXMOSC (Receiver Manager Oscillator Data)", u"Receiver Manager Oscillator Data", kExpert, 2096, &kCfgRxmoscEditor},
     ExactLength(36, 32)},
    {0x06, 0x0E, {u"CFG-FXW", u"FXW (Fixwise Mode)", u"Fixwise", kOrdinary, 2085, &kCfgFxwEditor}, ExactLength(44)},
    {0x06, 0x0F, {u"CFG-ITM", u"ITM (Interrupted Tracking Mode)", u"Interrupted Tracking Mode", kTracking, 2097, &kCfgItmEditor},
     ExactLength(36)},
    {0x06, 0x10, {u"CFG-TM", u"TM (Time Mark)", u"Time Mark", kOrdinary, 2103, &kCfgTmEditor}, ExactLength(20)},
    {0x06, 0x11, {u"CFG-RXM", u"RXM (Receiver Manager)", u"Receiver Manager", kOrdinary, 2099, &kCfgRxmEditor}, ExactLength(10)},
    {0x06, 0x12, {u"CFG-EKF", u"EKF (EKF Settings)", u"EKF Settings", kExpert, 2105, &kCfgEkfEditor}, ExactLength(24)},
    {0x06, 0x13, {u"CFG-ANT", u"ANT (Antenna Settings)", u"Antenna Settings", kOrdinary, 2107, &kCfgAntEditor}, ExactLength(12)},
    {0x06, 0x14, {u"CFG-MAP", u"MAP (VP Mapping)", u"VP Mapping", kExpert, 1030, &kCfgMapEditor}, ExactLength(20), kPagePoll},
    {0x06, 0x15, {u"CFG-TDB", u"TDB (Tracking Debugger)", u"Tracking Debugger", kTracking, 2109, &kCfgTdbEditor}, ExactLength(76)},
    {0x06, 0x16, {u"CFG-SBAS", u"SBAS (SBAS Settings)", u"SBAS Settings", kOrdinary, 2110, &kCfgSbasEditor}, ExactLength(16)},
    {0x06, 0x17, {u"CFG-NMEA", u"NMEA (NMEA Protocol)", u"NMEA Protocol", kOrdinary, 2114, &kCfgNmeaEditor}, ExactLength(12)},
    {0x06, 0x18, {u"CFG-LPTST", u"LPTST (LP Test)", u"Low power test", kExpert, 2119, &kCfgLptstEditor}, ExactLength(24)},
    {0x06, 0x19, {u"CFG-TM2", u"TM2 (Time Mark2)", u"Time Mark 2", kOrdinary, 2120, &kCfgTm2Editor}, ExactLength(20), kPagePoll,
     kTimeMarkChannels},
    {0x06, 0x1A, {u"CFG-NAV2", u"NAV2 (Navigation 2)", u"Navigation 2", kOrdinary, 2140, &kCfgNav2Editor}, ExactLength(48)},
    {0x06, 0x1B, {u"CFG-USB", u"USB (Universal Serial Bus)", u"Universal Serial Bus", kOrdinary, 2125, &kCfgUsbEditor},
     ExactLength(116)},
    {0x06, 0x1D, {u"CFG-TMODE", u"TMODE (Time Mode)", u"Time Mode", kOrdinary, 2129, &kCfgTmodeEditor}, ExactLength(36)},
    {0x06, 0x1E, {u"ODO", u"ODO (Odometer)", u"Odometer", kOdometer, 1054, &kOdoEditor}, ExactLength(16)},
    {0x06, 0x1F, {u"CFG-TRKSET", u"TRKSET (Tracking Settings)", u"Tracking Advanced Settings", kTracking, 1058, &kCfgTrksetEditor},
     ExactLength(13)},
    {0x06, 0x21, {u"CFG-LOG", u"LOG (Logger Settings)", u"Logger Settings", kLogging, 2106, &kCfgLogEditor}, ExactLength(44)},

    {0x0A, 0x04, {u"MON-VER", u"VER (Version)", u"Version", kOrdinary, 1046, &kMonVerPage}, RepeatedBlocks(48, 30)},
};
// clang-format on

// A count byte beyond the fixed part could be read from a frame too short to hold it.
constexpr bool LengthRulesAreSound() {
    return std::all_of(std::begin(kMessages), std::end(kMessages), [](const KvbMessageInfo& message) {
        const KvbLengthRule& rule = message.length;
        switch (rule.kind) {
            case KvbLengthRule::Kind::Counted:
                return rule.countOffset < rule.lengths[0] && rule.blockSizes[0] > 0 && rule.blockSizes[1] > 0;
            case KvbLengthRule::Kind::Repeated:
                return rule.blockSizes[0] > 0;
            case KvbLengthRule::Kind::Fixed:
                return true;
        }
        return false;
    });
}
static_assert(LengthRulesAreSound());

// clang-format off
// {name, label, description, own mask, page, view}, sentence number, node class.
constexpr PkvbSentenceInfo kSentences[] = {
    {{u"PKVB00", u"00 (Position Data)", u"Position Data", kOrdinary, 652, &kPkvbSentencePage}, 0,
     MakePkvbSentence<CPkvbGeodeticSentence>},
    {{u"PKVB01", u"01 (UTM Position Data)", u"UTM Position Data", kOrdinary, 652, &kPkvbSentencePage}, 1,
     MakePkvbSentence<CPkvbPositionSentence>},
    {{u"PKVB02", u"02 (Local Grid Position Data)", u"Local Grid Position Data", kExpert, 652, &kPkvbSentencePage}, 2,
     MakePkvbSentence<CPkvbPositionSentence>},
    {{u"PKVB03", u"03 (Satellite Data)", u"Satellite Data", kOrdinary, 652, &kPkvbSentencePage}, 3,
     MakePkvbSentence<CPkvbSatelliteSentence>},
    {{u"PKVB04", u"04 (Time of Day)", u"Time of Day", kOrdinary, 652, &kPkvbSentencePage}, 4,
     MakePkvbSentence<CPkvbTimeSentence>},
};
// clang-format on

}  // namespace

const std::span<const KvbClassInfo> kKvbClasses = kClasses;
const std::span<const KvbMessageInfo> kKvbMessages = kMessages;
const KvbNodeInfo kKvbUnknownMessage = {u"??-??", u"??-?? (Unknown)", u"Unknown", kOrdinary, 0};
const KvbNodeInfo kKvbCustomMessage = {u"??-??", u"??-?? (Custom)", u"Custom", kOrdinary, 659, &kCustomEditor};

const KvbNodeInfo kPkvbClass = {u"PKVB", u"PKVB", u"PKVB", kExpert, 1006};
const std::span<const PkvbSentenceInfo> kPkvbSentences = kSentences;
