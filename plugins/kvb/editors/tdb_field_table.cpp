#include "plugins/kvb/editors/tdb_field_table.h"

#include <algorithm>

namespace {

template <size_t N>
constexpr TdbFieldRecord Record(uint8_t flag, uint16_t offset, uint8_t size, const char (&name)[N]) {
    static_assert(N <= sizeof(TdbFieldRecord::name));
    TdbFieldRecord record{flag, size, {static_cast<uint8_t>(offset), static_cast<uint8_t>(offset >> 8)}, {}};
    std::copy(name, name + N, record.name);
    return record;
}
template <size_t N>
constexpr TdbFieldRecord Offered(uint16_t offset, uint8_t size, const char (&name)[N]) {
    return Record(kTdbOffered, offset, size, name);
}
template <size_t N>
constexpr TdbFieldRecord Hidden(uint16_t offset, uint8_t size, const char (&name)[N]) {
    return Record(kTdbHidden, offset, size, name);
}

// clang-format off
constexpr TdbFieldRecord kFields[] = {
    Offered(0, 2, "SATID_REM"), Offered(2, 2, "DOPSTEP"), Offered(4, 4, "MAXDOP"), Offered(8, 4, "MIDDOP"),
    Offered(12, 4, "PSZCNT"), Offered(16, 4, "MIDCODE"), Offered(20, 4, "MSTRT"), Offered(24, 2, "MAXCODE"),
    Offered(26, 1, "LOOP_MODE"), Offered(27, 1, "CMD_FLAGS"), Offered(28, 0, "ACQ_CMD_LEN"), Offered(28, 0, "TKMB"),
    Offered(28, 1, "SATID"), Offered(29, 1, "GNSSID"), Offered(30, 1, "PERR_CNT"), Offered(31, 1, "SRCHPASS"),
    Offered(32, 4, "MEAS_STATUS"), Offered(36, 4, "ZCNT"), Offered(40, 4, "RZ1"), Offered(44, 4, "CODEPHAS"),
    Offered(48, 4, "CARCYC"), Offered(52, 4, "CARFRAC"), Offered(56, 4, "DOPCYC"), Offered(60, 4, "DOPFRAC"),
    Offered(64, 2, "CODELOCK_CNT"), Offered(66, 2, "CARLOCK_CNT"), Offered(68, 2, "CNO"), Offered(70, 1, "CHSTATE"),
    Offered(71, 1, "RES_X1"), Offered(72, 4, "RES_U4"), Offered(76, 0, "TKMB_END"), Offered(76, 1, "DWELLTIME"),
    Offered(77, 1, "res1_REM"), Offered(78, 2, "res2_REM"), Offered(80, 4, "_PSCHMS_REM"), Offered(84, 4, "OP_CARF"),
    Offered(88, 2, "OP_CAP"), Offered(90, 2, "OP_COP"), Offered(92, 4, "OP_IG1IG2"), Offered(96, 4, "OP_MASKI"),
    Offered(100, 4, "OP_MASKQ"), Offered(104, 4, "OP_SETUP"), Offered(108, 4, "OP_IG1"), Offered(112, 4, "OP_IG2"),
    Offered(116, 1, "BAD_PAR"), Offered(117, 1, "MSCNTR"), Offered(118, 1, "BITCNTR"), Offered(119, 1, "WRDCNTR"),
    Offered(120, 1, "WORD_COUNT"), Offered(121, 1, "EML_MODE"), Offered(122, 1, "CORR_MODE"),
    Offered(123, 1, "PSCHST"), Offered(124, 1, "PSCHSST"), Offered(125, 1, "BITCHANGE"), Offered(126, 1, "CLSTATE"),
    Offered(127, 1, "FCOUNT"), Offered(128, 2, "FLAGS"), Offered(130, 2, "FREQ_GAIN"), Offered(132, 2, "FREQ_TIME"),
    Offered(134, 2, "FREQ_START"), Offered(136, 2, "SRCHCODE"), Offered(138, 2, "INTCNT"),
    Offered(140, 2, "PCHIPSMS"), Offered(142, 1, "DWELLMASK"), Offered(143, 1, "DWELLEXPM2"),
    Offered(144, 4, "AQEML"), Offered(148, 4, "AIEML"), Offered(152, 4, "AQONT"), Offered(156, 4, "AIONT"),
    Offered(160, 4, "MAG_NODBR"), Offered(164, 2, "AMANG"), Offered(166, 2, "AMFANG"), Offered(168, 2, "ABSANG"),
    Offered(170, 2, "CODE_GAIN"), Offered(172, 2, "CODE_TIME"), Offered(174, 2, "NOLOKCNT"),
    Offered(176, 2, "CARRMODE"), Offered(178, 2, "ANGOLD"), Offered(180, 2, "FINDEX"), Offered(182, 2, "OLDIONT"),
    Offered(184, 2, "OLDIONT2"), Offered(186, 2, "B_LOOP"), Offered(188, 2, "BITHALF1"), Offered(190, 2, "BITHALF2"),
    Offered(192, 2, "MS_MAX"), Offered(194, 2, "CODE_REM"), Offered(196, 1, "MSCNTROLD"), Offered(197, 3, "SPARE_CH"),
    Offered(200, 4, "SPARE_U2"), Offered(204, 12, "SPARE_U4"), Offered(216, 4, "ACQ_DOP"),
    Offered(220, 1, "ACQ_FLAGS"), Offered(221, 1, "pad23"), Offered(222, 2, "ACQ_SRCHCODE"),
    Offered(224, 2, "ACQ_A_SRCHCODE"), Offered(226, 2, "ACQ_W_SRCHCODE"), Offered(228, 4, "NORM_TIME"),
    Offered(232, 4, "CCA_INT_EML"), Offered(236, 4, "CCA_INT_IONT"), Offered(240, 1, "CCA_LENGTH"),
    Offered(241, 1, "CCA_COUNT"), Offered(242, 1, "CCA_FLAGS"), Offered(243, 1, "CCA_STATE"),
    Offered(244, 2, "CCA_GAIN"), Offered(246, 2, "HWCHAN"), Offered(248, 4, "FREQ_CORR"), Offered(252, 4, "DOP_BIN"),
    Offered(256, 4, "DOPOFST"), Offered(260, 4, "PHASE_ACC"), Offered(264, 4, "INTMAG"), Offered(268, 4, "CODE_CORR"),
    Offered(272, 4, "FILT"), Offered(276, 4, "NCOCYC"), Offered(280, 4, "NCOPHA"), Offered(284, 4, "DOPEST"),
    Offered(288, 4, "DATABIT"), Offered(292, 4, "PREV_TOW"), Offered(296, 4, "CURR_TOW"),
    Offered(300, 4, "PREV_WORD"), Offered(304, 4, "CURR_WORD"), Offered(308, 4, "CURR_WORD_PCK"),
    Offered(312, 4, "INTDATA"), Offered(316, 4, "RAW_HOW"), Offered(320, 4, "SATDATDB"), Offered(324, 0, "fftres"),
    Offered(324, 0, "IQ_DB"), Offered(324, 40, "BFILT"), Offered(364, 40, "BTEMP"), Offered(404, 4, "PAST_DATA"),
    Offered(408, 40, "SUBFRAME"), Offered(448, 0, "LPSCHANY"),
    Hidden(0, 4, "MEASTTAG"), Hidden(4, 4, "MSTTAG"), Hidden(8, 2, "res0"), Hidden(10, 2, "WBFL_LEN"),
    Hidden(12, 2, "WBFL_GAIN"), Hidden(14, 2, "NBFL_LEN"), Hidden(16, 2, "NBFL_GAIN"), Hidden(18, 2, "WCODE_LEN"),
    Hidden(20, 2, "WCODE_GAIN"), Hidden(22, 2, "NCODE_GAIN"), Hidden(24, 2, "PHASE_GAIN"), Hidden(26, 2, "ACCEPTDW"),
    Hidden(28, 2, "NOISEPERMS"), Hidden(30, 2, "THR_GAIN"), Hidden(32, 4, "THR"), Hidden(36, 1, "NEWSUBFRAME"),
    Hidden(37, 1, "TASKID_MEASUREMENT"), Hidden(38, 1, "TASKID_SUBFRAME"), Hidden(39, 1, "GDB_RES0"),
    Hidden(40, 40, "SPARE"), Hidden(80, 2, "RTCC_CMD"), Hidden(82, 2, "RTCC_OFFS"), Hidden(84, 2, "RTCC_CNT"),
    Hidden(86, 2, "RTCC_WN"), Hidden(88, 4, "RTCC_TOW"), Hidden(92, 4, "RTCC_MSTTAG"), Hidden(96, 4, "RTC_DRIFT"),
    Hidden(100, 4, "TM_INT_MASK"), Hidden(104, 4, "TM_COUNTER"), Hidden(108, 4, "TM_MSTTAG"),
    Hidden(112, 4, "TM_SUBMSTAG"), Hidden(116, 4, "TM_FIQ_PER_MS"), Hidden(120, 2, "FFT_CMD_MASK"),
    Hidden(122, 2, "CH_FFT_MASK"), Hidden(124, 2, "CH_CORR_MASK"), Hidden(126, 2, "_reserved"),
    Hidden(128, 4, "CORR_BUFFER"), Hidden(132, 4, "WRITE_ADDR"), Hidden(136, 4, "READ_ADDR"),
    Hidden(140, 4, "FFT_INT_COUNT"), Hidden(144, 4, "FIQCNT"), Hidden(148, 4, "FFT_RES_PTR"),
    Hidden(152, 4, "BWIDTH"), Hidden(156, 4, "CLK_PER_FIQ"), Hidden(160, 4, "det_thres_filt_age"),
    Hidden(164, 4, "k_t3"), Hidden(168, 4, "k_t2"), Hidden(172, 4, "G_DOPCYC"), Hidden(176, 4, "W_G_DOPCYC"),
    Hidden(180, 2, "tstruct"), Hidden(182, 2, "acq_noiseperms"), Hidden(184, 2, "FLAG_FFT_SIZE"),
    Hidden(186, 2, "FFT_SIZE"), Hidden(188, 2, "W_FFT_SIZE"), Hidden(190, 1, "W_FFT_SIZE_EXPM3"),
    Hidden(191, 1, "RES1"), Hidden(192, 1, "FLAG_CHANGEFIQ"), Hidden(193, 1, "FLAG_SETOFFSET"),
    Hidden(194, 1, "FIQ_PER_MS"), Hidden(195, 1, "REM_A_FIQ_PER_MS"), Hidden(196, 1, "W_FIQ_PER_MS"),
    Hidden(197, 1, "ACQ_DWELL"), Hidden(198, 1, "FIQ_MODE"), Hidden(199, 1, "acq_active_flag"),
    Hidden(200, 1, "acq_flags"), Hidden(201, 1, "RES0"), Hidden(202, 4, "FP_acq_init"),
    Hidden(206, 4, "FP_acq_search"), Hidden(210, 4, "FP_acq_update_threshold"), Hidden(214, 4, "IA_IQONT"),
    Hidden(218, 4, "IA_IQEML"),
};
// clang-format on
static_assert(std::size(kFields) == 202);

}  // namespace

const std::span<const TdbFieldRecord> kTdbFields = kFields;
