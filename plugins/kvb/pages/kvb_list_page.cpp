#include "plugins/kvb/pages/kvb_list_page.h"

#include "plugins/kvb/catalogue/kvb_plugin.h"
#include "shared/dialog_page.h"

namespace {

using kvb_res::kList;

bool Shown(bool extended) { return !extended || KvbExtendedMode(); }

const std::u16string& CellOf(const KvbRowCells* row, size_t column) {
    static const std::u16string empty;
    return row && column < row->cells.size() ? row->cells[column] : empty;
}

}  // namespace

void CKvbListPage::Init(CDialogPage& page) const {
    const std::vector<size_t> shown = ShownColumns();
    for (size_t column : shown) page.AddColumn(kList, columns[column].heading, columns[column].width);
    page.SetFullRowSelect(kList, true);
    if (const BitmapResource* icons = Icons()) page.SetListIcons(kList, icons);
    const int noteColumn = static_cast<int>(shown.size()) - 1;
    for (const KvbRow& row : rows) {
        if (!Shown(row.extended)) continue;
        const int at = page.InsertRow(kList, page.RowCount(kList), row.label ? row.label : u"");
        if (row.note) page.SetCellText(kList, at, noteColumn, row.note);
    }
}

void CKvbListPage::Show(CDialogPage& page, const uint8_t* frame, int length) const {
    const KvbPayload payload = KvbPayload::OfFrame(frame, length);
    if (Fits(payload))
        ShowRows(page, FixedRows(payload), RecordRows(payload));
    else
        ShowRows(page, {}, {});
}

void CKvbListPage::ShowRows(CDialogPage& page, const std::vector<KvbRowCells>& fixed,
                            const std::vector<KvbRowCells>& records) const {
    WriteFixedRows(page, fixed);
    WriteRecordRows(page, records);
    page.SetColumnWidth(kList, static_cast<int>(ShownColumns().size()) - 1, CDialogPage::kColumnToHeader);
}

std::vector<size_t> CKvbListPage::ShownColumns() const {
    std::vector<size_t> shown;
    for (size_t column = 0; column < columns.size(); ++column)
        if (Shown(columns[column].extended)) shown.push_back(column);
    return shown;
}

int CKvbListPage::ShownRowCount() const {
    int count = 0;
    for (const KvbRow& row : rows) count += Shown(row.extended);
    return count;
}

void CKvbListPage::WriteFixedRows(CDialogPage& page, const std::vector<KvbRowCells>& cells) const {
    const std::vector<size_t> shown = ShownColumns();
    int at = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const KvbRow& row = rows[i];
        if (!Shown(row.extended)) continue;
        const KvbRowCells* rowCells = i < cells.size() ? &cells[i] : nullptr;
        for (size_t pageColumn = 0; pageColumn < shown.size(); ++pageColumn) {
            const bool ownText = (pageColumn == 0 && row.label) || (pageColumn + 1 == shown.size() && row.note);
            if (!ownText)
                page.SetCellText(kList, at, static_cast<int>(pageColumn), CellOf(rowCells, shown[pageColumn]));
        }
        ++at;
    }
}

void CKvbListPage::WriteRecordRows(CDialogPage& page, const std::vector<KvbRowCells>& records) const {
    const std::vector<size_t> shown = ShownColumns();
    const int first = ShownRowCount();
    const int wanted = first + static_cast<int>(records.size());
    while (page.RowCount(kList) > wanted) page.DeleteRow(kList, page.RowCount(kList) - 1);
    for (int at = first; at < wanted; ++at) {
        const KvbRowCells& record = records[static_cast<size_t>(at - first)];
        if (at >= page.RowCount(kList)) page.InsertRow(kList, at, CellOf(&record, 0));
        for (size_t pageColumn = 0; pageColumn < shown.size(); ++pageColumn)
            page.SetCellText(kList, at, static_cast<int>(pageColumn), CellOf(&record, shown[pageColumn]));
        if (Icons()) page.SetRowIcon(kList, at, record.icon);
    }
}
