#pragma once
#include <span>
#include <string>
#include <vector>

#include "plugins/kvb/framing/kvb_payload.h"
#include "plugins/kvb/pages/kvb_page.h"
#include "plugins/kvb/resources/kvb_resource_ids.h"

struct BitmapResource;

// A column of a list page, its width in the list control's units; extended columns are shown in
// extended mode only, and only after the others.
struct KvbColumn {
    const char16_t* heading;
    int width;
    bool extended = false;
};

// A fixed row: its label (null: the row's cells fill it) and the fixed text of its last column
// (units, a description; null: the row's cells fill it).
struct KvbRow {
    const char16_t* label;
    const char16_t* note = nullptr;
    bool extended = false;
};

// The texts of one row, from the first column on, and its icon (-1: none).
struct KvbRowCells {
    std::vector<std::u16string> cells;
    int icon = -1;
};

// A row whose second column holds the value.
inline KvbRowCells KvbValue(std::u16string value) { return {{u"", std::move(value)}}; }

// A payload of a header and count records of one size; the count is a byte of the header.
struct KvbRecords {
    size_t header;
    size_t countOffset;
    size_t recordSize;

    size_t Count(const KvbPayload& payload) const { return payload.U1(countOffset); }
    bool Fits(const KvbPayload& payload) const {
        return payload.Size() >= header && payload.Size() == header + recordSize * Count(payload);
    }
    // Where a record starts.
    size_t At(size_t record) const { return header + recordSize * record; }
    // One row per record, made by row(payload, record's offset, record's number).
    template <typename Row>
    std::vector<KvbRowCells> Rows(const KvbPayload& payload, Row row) const {
        std::vector<KvbRowCells> rows;
        for (size_t record = 0; record < Count(payload); ++record) rows.push_back(row(payload, At(record), record));
        return rows;
    }
};

// A page of one table (control 1357): fixed rows first, then one row per record of the payload.
// The page's last column is sized to its heading after every frame.
class CKvbListPage : public CKvbPage {
public:
    void Init(CDialogPage& page) const override;
    void Show(CDialogPage& page, const uint8_t* frame, int length) const override;

protected:
    constexpr explicit CKvbListPage(std::span<const KvbColumn> columns, std::span<const KvbRow> rows = {})
        : CKvbPage(kvb_res::kList), columns(columns), rows(rows) {}

    // Whether the payload has the message's length, its records included.
    virtual bool Fits(const KvbPayload& payload) const = 0;
    // One entry per fixed row of the table, extended rows included; cells of a row's own texts
    // are not written.
    virtual std::vector<KvbRowCells> FixedRows(const KvbPayload&) const { return {}; }
    // The rows after the fixed ones: inserted as needed, the surplus deleted.
    virtual std::vector<KvbRowCells> RecordRows(const KvbPayload&) const { return {}; }
    virtual const BitmapResource* Icons() const { return nullptr; }

    // Writes the rows and sizes the last column; for pages of frames that are no KVB frames.
    void ShowRows(CDialogPage& page, const std::vector<KvbRowCells>& fixed,
                  const std::vector<KvbRowCells>& records) const;

private:
    std::vector<size_t> ShownColumns() const;
    int ShownRowCount() const;
    void WriteFixedRows(CDialogPage& page, const std::vector<KvbRowCells>& cells) const;
    void WriteRecordRows(CDialogPage& page, const std::vector<KvbRowCells>& records) const;

    std::span<const KvbColumn> columns;
    std::span<const KvbRow> rows;
};
