#include "plugins/kvb/editors/datum_table.h"

// clang-format off
const char16_t kDatumCodes[kDatumCount][kDatumCodeSlot] = {
    u"WGS84", u"WGS72", u"ETH90", u"ADI-M", u"ADI-E", u"ADI-F", u"ADI-A", u"ADI-C",
    u"ADI-D", u"ADI-B", u"AFG", u"ARF-M", u"ARF-A", u"ARF-H", u"ARF-B", u"ARF-C",
    u"ARF-D", u"ARF-E", u"ARF-F", u"ARF-G", u"ARS", u"PHA", u"BID", u"CAP",
    u"CGE", u"DAL", u"LEH", u"LIB", u"MAS", u"MER", u"MIN-A", u"MIN-B",
    u"MPO", u"NSD", u"OEG", u"PTB", u"PTN", u"SCK", u"VOR", u"AIN-A",
    u"AIN-B", u"BAT", u"HKD", u"HTN", u"IND-B", u"IND-I", u"INF-A", u"ING-A",
    u"ING-B", u"INH-A", u"IDN", u"KAN", u"KEA", u"NAH-A", u"NAH-B", u"NAH-C",
    u"FAH", u"QAT", u"SOA", u"TIL", u"TOY-M", u"TOY-A", u"TOY-C", u"TOY-B",
    u"AUA", u"AUG", u"EUR-M", u"EUR-A", u"EUR-E", u"EUR-F", u"EUR-G", u"EUR-K",
    u"EUR-B", u"EUR-H", u"EUR-I", u"EUR-J", u"EUR-L", u"EUR-C", u"EUR-D", u"EUR-T",
    u"EUS", u"HJO", u"IRL", u"OGB-M", u"OGB-A", u"OGB-B", u"OGB-C", u"OGB-D",
    u"MOD", u"SPK", u"CCD", u"CAC", u"NAS-C", u"NAS-B", u"NAS-A", u"NAS-D",
    u"NAS-V", u"NAS-W", u"NAS-Q", u"NAS-R", u"NAS-E", u"NAS-F", u"NAS-G", u"NAS-H",
    u"NAS-I", u"NAS-J", u"NAS-O", u"NAS-P", u"NAS-N", u"NAS-T", u"NAS-U", u"NAS-L",
    u"NAR-A", u"NAR-E", u"NAR-B", u"NAR-C", u"NAR-H", u"NAR-D", u"BOO", u"CAI",
    u"CHU", u"COA", u"PRP-M", u"PRP-A", u"PRP-B", u"PRP-C", u"PRP-D", u"PRP-E",
    u"PRP-F", u"PRP-G", u"PRP-H", u"HIT", u"SAN-M", u"SAN-A", u"SAN-B", u"SAN-C",
    u"SAN-D", u"SAN-E", u"SAN-F", u"SAN-J", u"SAN-G", u"SAN-H", u"SAN-I", u"SAN-K",
    u"SAN-L", u"ZAN", u"AIA", u"ASC", u"SHB", u"BER", u"DID", u"FOT",
    u"GRA", u"ISG", u"LCF", u"ASM", u"NAP", u"FLO", u"PLN", u"POS",
    u"PUR", u"QUO", u"SAO", u"SAP", u"SGM", u"TDC", u"ANO", u"GAA",
    u"IST", u"KEG", u"MIK", u"RUE", u"AMA", u"ATF", u"TRN", u"ASQ",
    u"IBE", u"CAO", u"CHI", u"GIZ", u"EAS", u"GEO", u"GUA", u"DOB",
    u"IDN", u"JOH", u"KUS", u"LUZ-A", u"LUZ-B", u"MID", u"OHA-M", u"OHA-A",
    u"OHA-B", u"OHA-C", u"OHA-D", u"PIT", u"SAE", u"MVS", u"ENW", u"WAK",
    u"BUR", u"CAZ", u"EUR-S", u"GSE", u"HEN", u"IND-P", u"PUK", u"TAN",
    u"YAC", u"KRA42", u"BLG50", u"RNB72", u"NTF", u"NL21", u"ED87", u"CH95",
};
// clang-format on

std::u16string_view DatumCode(size_t number) { return number < kDatumCount ? kDatumCodes[number] : u""; }
