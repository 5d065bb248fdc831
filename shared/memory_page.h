#pragma once
#include <string>
#include <vector>

#include "platform/export.h"
#include "shared/dialog_page.h"

class IPageListener;

// A page held in memory: the controls of a template with the state the widgets would have. The
// headless tool shows pages through it, tests read and drive it like a user. Without a template it
// has no controls, for polls and rate commands that read nothing from a page.
class VELTRO_EXPORT CMemoryPage final : public CDialogPage {
public:
    struct Column {
        std::u16string heading;
        int width;
        bool rightAligned = false;
    };
    struct Row {
        std::vector<std::u16string> cells;
        int icon = -1;
    };
    struct Control {
        ControlTemplate source{};
        std::u16string text;
        PageRect rect;
        bool checked = false;
        bool enabled = true;
        bool visible = true;
        int textLimit = 0;
        std::vector<std::u16string> items;
        int selection = -1;
        std::vector<bool> selected;
        std::vector<Column> columns;
        std::vector<Row> rows;
        const BitmapResource* icons = nullptr;
        bool fullRowSelect = false;
        const BitmapResource* picture = nullptr;
        int minimum = 0;
        int maximum = 100;
        int position = 0;
        int redraws = 0;
    };

    CMemoryPage() = default;
    explicit CMemoryPage(const DialogTemplate& dialog, DialogBaseUnits units = kStandardBaseUnits);

    // In template order.
    const std::vector<Control>& Controls() const { return controls; }
    const Control* FindControl(int controlId) const;

    // What a user does; each tells the listener as the widgets would.
    void SetListener(IPageListener* newListener) { listener = newListener; }
    void TypeText(int controlId, const std::u16string& text);
    // Toggles a check box, checks a radio button (unchecking the others of its group), presses a
    // push button.
    void Click(int controlId);
    void ChooseItem(int controlId, int index);

    bool HasControl(int controlId) const override;
    std::u16string GetControlText(int controlId) const override;
    void SetControlText(int controlId, const std::u16string& text) override;
    void SetTextLimit(int controlId, int characters) override;
    bool IsChecked(int controlId) const override;
    void SetChecked(int controlId, bool checked) override;
    bool IsControlEnabled(int controlId) const override;
    void EnableControl(int controlId, bool enable) override;
    bool IsControlVisible(int controlId) const override;
    void ShowControl(int controlId, bool show) override;
    PageRect ControlRect(int controlId) const override;
    void MoveControl(int controlId, int x, int y, int width, int height) override;
    void RedrawControl(int controlId) override;
    void ClearItems(int controlId) override;
    int AddItem(int controlId, const std::u16string& text) override;
    int ItemCount(int controlId) const override;
    std::u16string ItemText(int controlId, int index) const override;
    int Selection(int controlId) const override;
    void SetSelection(int controlId, int index) override;
    bool IsItemSelected(int controlId, int index) const override;
    void SelectItem(int controlId, int index, bool selected) override;
    int AddColumn(int controlId, const std::u16string& heading, int width) override;
    int ColumnCount(int controlId) const override;
    std::u16string ColumnHeading(int controlId, int column) const override;
    void SetColumnWidth(int controlId, int column, int width) override;
    void SetColumnRightAligned(int controlId, int column, bool right) override;
    int RowCount(int controlId) const override;
    int InsertRow(int controlId, int row, const std::u16string& firstCell) override;
    void DeleteRow(int controlId, int row) override;
    void DeleteAllRows(int controlId) override;
    std::u16string CellText(int controlId, int row, int column) const override;
    void SetCellText(int controlId, int row, int column, const std::u16string& text) override;
    void SetListIcons(int controlId, const BitmapResource* icons) override;
    void SetRowIcon(int controlId, int row, int icon) override;
    void SetFullRowSelect(int controlId, bool fullRow) override;
    void SetPicture(int controlId, const BitmapResource* image) override;
    void SetRange(int controlId, int minimum, int maximum) override;
    int Position(int controlId) const override;
    void SetPosition(int controlId, int position) override;

private:
    Control* Find(int controlId);
    void Notify(int controlId);

    std::vector<Control> controls;
    IPageListener* listener = nullptr;
};
