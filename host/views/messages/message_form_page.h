#pragma once
#include <QColor>
#include <QIcon>
#include <QSize>
#include <QWidget>
#include <vector>

#include "shared/dialog_page.h"

class IPageListener;
class QListWidgetItem;
class QTreeWidget;
class QTreeWidgetItem;

// A message's detail page as widgets: the controls of a template, placed by the dialog units of
// the page font, that the message's code reads and writes through CDialogPage as it does a
// CMemoryPage. The listener hears of what the user changes, never of what the code writes.
class CMessageFormPage final : public QWidget, public CDialogPage {
public:
    // Rejected input is drawn in rejectedColor.
    CMessageFormPage(const DialogTemplate& dialog, const QColor& rejectedColor, QWidget* parent = nullptr);

    // The template's size in pixels; a view scrolls a page that is larger than itself.
    QSize PageSize() const { return pageSize; }
    QSize sizeHint() const override { return pageSize; }
    DialogBaseUnits BaseUnits() const { return units; }

    void SetListener(IPageListener* newListener) { listener = newListener; }
    void SetControlRejected(int controlId, bool rejected);
    // The control that has the keyboard focus; 0 when none of the page has it.
    int FocusedControlId() const;
    // Null for an id that the page does not hold.
    QWidget* ControlWidget(int controlId) const;

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
    struct Control {
        int id;
        QWidget* widget;
        // A multi-line edit's limit; single-line fields keep theirs in their validator.
        int textLimit = 0;
        // A list control's row icons.
        std::vector<QIcon> icons{};
        // A list control's columns whose cells stand to the right.
        std::vector<int> rightColumns{};
        // The user typed into an editable combo box since an item was chosen: none is chosen now.
        bool typedOver = false;
    };

    void AddControl(const ControlTemplate& source);
    void Listen(const Control& control);
    void OnMultiLineEdited(int controlId);
    // The user chose an item or typed into the edit field.
    void OnComboChanged(int controlId, bool typed);
    void Notify(int controlId);
    const Control* Find(int controlId) const;
    Control* Find(int controlId);
    template <class Widget>
    Widget* Get(int controlId) const;
    // Single-selection list boxes have a selection, not selected items.
    QListWidgetItem* MultiSelectItem(int controlId, int index) const;
    QTreeWidgetItem* Row(int controlId, int row) const;
    void ShowRowIcon(const Control& control, QTreeWidgetItem& row) const;

    DialogBaseUnits units;
    QSize pageSize;
    QColor rejectedColor;
    std::vector<Control> controls;
    IPageListener* listener = nullptr;
    // Set while the page's own code changes widgets, whose signals are then no user's doing.
    bool writing = false;
};
