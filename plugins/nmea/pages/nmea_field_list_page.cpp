#include "plugins/nmea/pages/nmea_field_list_page.h"

#include <string>

#include "platform/text.h"
#include "plugins/nmea/pages/nmea_page_text.h"
#include "plugins/nmea/resources/nmea_field_lists.h"
#include "plugins/nmea/resources/nmea_resource_ids.h"
#include "shared/dialog_page.h"
#include "shared/nmea_fields.h"
#include "shared/value_format.h"

namespace {

using nmea_page::kList;

constexpr char16_t kSeparator = u'|';
enum Column { kParameter, kValue, kUnit, kDescription };

constexpr int kFirstUsedSatelliteField = 3;
constexpr int kLastUsedSatelliteField = 14;
constexpr int kFirstDopField = 15;

void ShowValue(CDialogPage& page, int row, const std::u16string& text) { page.SetCellText(kList, row, kValue, text); }

}  // namespace

void InitFieldListPage(CDialogPage& page, ModuleHandle module, const NmeaFieldList& fields) {
    page.SetFullRowSelect(kList, true);
    AddListColumns(page, kList, module, nmea_string::kFieldColumns, kSeparator);
    for (const int row : fields.rows) AddListRow(page, kList, module, row, kSeparator);
    page.SetColumnWidth(kList, kParameter, CDialogPage::kColumnToContent);
    page.SetColumnRightAligned(kList, kValue, true);
    page.SetColumnWidth(kList, kValue, fields.valueWidth);
    page.SetColumnRightAligned(kList, kUnit, true);
    page.SetColumnWidth(kList, kUnit, CDialogPage::kColumnToContent);
    page.SetColumnWidth(kList, kDescription, CDialogPage::kColumnToContent);
}

void ShowFieldListPage(CDialogPage& page, const uint8_t* bytes, int length) {
    const NmeaFields fields(bytes, length);
    for (int row = 0; row < page.RowCount(kList); ++row) ShowValue(page, row, ShownText(fields.Text(row + 1)));
}

void ShowGsaPage(CDialogPage& page, const uint8_t* bytes, int length) {
    const NmeaFields fields(bytes, length);
    std::u16string used;
    int count = 0;
    for (int field = kFirstUsedSatelliteField; field <= kLastUsedSatelliteField; ++field) {
        const std::optional<int> number = fields.Integer(field);
        if (!number) continue;
        used += SatelliteText(*number) + u",";
        ++count;
    }
    if (!used.empty()) used.pop_back();
    const std::u16string values[] = {ShownText(fields.Text(1)),
                                     ShownText(fields.Text(2)),
                                     platform::FormatW(u"%d", count),
                                     used,
                                     ShownText(fields.Text(kFirstDopField)),
                                     ShownText(fields.Text(kFirstDopField + 1)),
                                     ShownText(fields.Text(kFirstDopField + 2))};
    for (int row = 0; row < static_cast<int>(std::size(values)); ++row) ShowValue(page, row, values[row]);
}

void ResizeFieldListPage(CDialogPage& page, int width, int height) {
    SizeDlgItemToBottom(page, kList, width, page.ControlRect(kList).y + height);
}
