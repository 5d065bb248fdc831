#include "plugins/nmea/pages/nmea_gsv_page.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "plugins/nmea/pages/nmea_page_text.h"
#include "plugins/nmea/resources/nmea_resource_ids.h"
#include "plugins/nmea/resources/nmea_strings.h"
#include "shared/dialog_page.h"
#include "shared/nmea_fields.h"
#include "shared/value_format.h"

namespace {

using nmea_page::kList;

constexpr int kColumns = 4;
constexpr int kColumnWidth = 80;
constexpr int kSatellitesInViewField = 3;
constexpr int kFirstSatelliteField = 4;
constexpr int kFieldsPerSatellite = 4;
constexpr int kSatellitesPerPage = 4;

// The commas of a sentence, up to where its fields end.
int CommaCount(std::string_view sentence) {
    const std::string_view fields = sentence.substr(0, sentence.find_first_of("*\r\n"));
    return static_cast<int>(std::count(fields.begin(), fields.end(), ','));
}

void ShowSatellite(CDialogPage& page, int row, const NmeaFields& fields, int firstField) {
    const std::optional<int> number = fields.Integer(firstField);
    page.SetCellText(kList, row, 0, number ? SatelliteText(*number) : std::u16string());
    for (int column = 1; column < kColumns; ++column)
        page.SetCellText(kList, row, column, ShownText(fields.Text(firstField + column)));
}

// Fills rows from the satellite groups of each sentence, as far as the sentence has fields for a
// group, until rows rows are filled; how many were.
int ShowSatellites(CDialogPage& page, std::string_view cycle, int rows) {
    int filled = 0;
    for (size_t start = cycle.find('$'); start != std::string_view::npos && filled < rows;) {
        const size_t next = cycle.find('$', start + 1);
        const std::string_view sentence = cycle.substr(start, next == std::string_view::npos ? next : next - start);
        const NmeaFields fields(reinterpret_cast<const uint8_t*>(sentence.data()), static_cast<int>(sentence.size()));
        const int commas = CommaCount(sentence);
        for (int first = kFirstSatelliteField; first <= commas && filled < rows; first += kFieldsPerSatellite)
            ShowSatellite(page, filled++, fields, first);
        start = next;
    }
    return filled;
}

}  // namespace

void InitGsvPage(CDialogPage& page, ModuleHandle module) {
    page.SetFullRowSelect(kList, true);
    AddListColumns(page, kList, module, nmea_string::kGsvColumns, u'|');
    for (int column = 0; column < kColumns; ++column) {
        page.SetColumnRightAligned(kList, column, true);
        page.SetColumnWidth(kList, column, kColumnWidth);
    }
}

void ShowGsvPage(CDialogPage& page, const NmeaGsvCycle& cycle, const uint8_t* bytes, int length) {
    SetDlgText(page, nmea_page::kPageCount, u"%d / %d", cycle.lastPage, cycle.totalPages);
    if (cycle.totalPages == 0) return page.SetControlText(nmea_page::kVisibleSatellites, u"");
    const std::optional<int> inView = NmeaFields(bytes, length).Integer(kSatellitesInViewField);
    if (!inView) return page.DeleteAllRows(kList);
    // The count comes from the receiver; no more rows than the cycle's pages can fill.
    const int rows = std::clamp(*inView, 0, std::max(cycle.totalPages, 0) * kSatellitesPerPage);
    for (int row = page.RowCount(kList); row < rows; ++row) page.InsertRow(kList, row, u"");
    SetDlgText(page, nmea_page::kVisibleSatellites, u"%d", *inView);
    const std::string_view text(reinterpret_cast<const char*>(bytes),
                                bytes && length > 0 ? static_cast<size_t>(length) : 0);
    const int filled = ShowSatellites(page, text, rows);
    for (int row = page.RowCount(kList) - 1; row >= filled; --row) page.DeleteRow(kList, row);
}

void ResizeGsvPage(CDialogPage& page, int width, int height) { SizeDlgItemToBottom(page, kList, width, height); }
