#pragma once
#include <string>

#include "platform/export.h"
#include "shared/dialog_template.h"

// What a message node sees of its detail page: controls addressed by their template id. The
// host realises it with widgets (host/views) and in memory (CMemoryPage) for the headless tool and
// the tests. An id the page does not hold reads as empty and ignores what is written to it.
class VELTRO_EXPORT CDialogPage {
public:
    // Column widths that a list control works out itself: to the widest cell, or to the heading.
    static constexpr int kColumnToContent = -1;
    static constexpr int kColumnToHeader = -2;

    virtual ~CDialogPage() = default;

    virtual bool HasControl(int controlId) const = 0;

    // Text of edits, static texts, buttons, and of a combo box's edit field.
    virtual std::u16string GetControlText(int controlId) const = 0;
    virtual void SetControlText(int controlId, const std::u16string& text) = 0;
    virtual void SetTextLimit(int controlId, int characters) = 0;

    // Check boxes and radio buttons.
    virtual bool IsChecked(int controlId) const = 0;
    virtual void SetChecked(int controlId, bool checked) = 0;

    virtual bool IsControlEnabled(int controlId) const = 0;
    virtual void EnableControl(int controlId, bool enable) = 0;
    virtual bool IsControlVisible(int controlId) const = 0;
    virtual void ShowControl(int controlId, bool show) = 0;
    virtual PageRect ControlRect(int controlId) const = 0;
    virtual void MoveControl(int controlId, int x, int y, int width, int height) = 0;
    virtual void RedrawControl(int controlId) = 0;

    // Items of combo boxes and list boxes; indexes from 0, -1 for none.
    virtual void ClearItems(int controlId) = 0;
    virtual int AddItem(int controlId, const std::u16string& text) = 0;
    virtual int ItemCount(int controlId) const = 0;
    virtual std::u16string ItemText(int controlId, int index) const = 0;
    // The selected item of a combo box or single-selection list box.
    virtual int Selection(int controlId) const = 0;
    virtual void SetSelection(int controlId, int index) = 0;
    // Items of a multiple-selection list box.
    virtual bool IsItemSelected(int controlId, int index) const = 0;
    virtual void SelectItem(int controlId, int index, bool selected) = 0;
    // The first item whose text begins with prefix, from index start on; -1 when none does.
    int FindItemPrefix(int controlId, const std::u16string& prefix, int start = 0) const;

    // Report-style list controls: columns, rows and cells; widths in pixels or kColumnTo*.
    virtual int AddColumn(int controlId, const std::u16string& heading, int width) = 0;
    virtual int ColumnCount(int controlId) const = 0;
    virtual std::u16string ColumnHeading(int controlId, int column) const = 0;
    virtual void SetColumnWidth(int controlId, int column, int width) = 0;
    // The column's heading and cells, those of rows added later included, to the right or the left.
    virtual void SetColumnRightAligned(int controlId, int column, bool right) = 0;
    virtual int RowCount(int controlId) const = 0;
    // Inserts before row (appends when row is the count or more); returns the new row's index.
    virtual int InsertRow(int controlId, int row, const std::u16string& firstCell) = 0;
    virtual void DeleteRow(int controlId, int row) = 0;
    virtual void DeleteAllRows(int controlId) = 0;
    virtual std::u16string CellText(int controlId, int row, int column) const = 0;
    virtual void SetCellText(int controlId, int row, int column, const std::u16string& text) = 0;
    // The row's small icon: an index into the icons set for the control, -1 for none.
    virtual void SetListIcons(int controlId, const BitmapResource* icons) = 0;
    virtual void SetRowIcon(int controlId, int row, int icon) = 0;
    virtual void SetFullRowSelect(int controlId, bool fullRow) = 0;

    // What a picture control shows: the image, or the first icon of a strip; null for none.
    virtual void SetPicture(int controlId, const BitmapResource* image) = 0;

    // Spins and progress bars.
    virtual void SetRange(int controlId, int minimum, int maximum) = 0;
    virtual int Position(int controlId) const = 0;
    virtual void SetPosition(int controlId, int position) = 0;
};
