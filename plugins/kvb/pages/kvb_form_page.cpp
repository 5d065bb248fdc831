#include "plugins/kvb/pages/kvb_form_page.h"

#include "plugins/kvb/resources/kvb_resources.h"
#include "shared/dialog_page.h"
#include "shared/value_format.h"

void CKvbFormPage::Show(CDialogPage& page, const uint8_t* frame, int length) const {
    const KvbPayload payload = KvbPayload::OfFrame(frame, length);
    if (!Fits(payload)) {
        Empty(page);
        return;
    }
    for (const KvbFormField& field : fields)
        SetDlgDouble(page, field.control, payload.Read(field.type, field.offset) * field.scale, field.decimals);
    ShowMore(page, payload);
}

void CKvbFormPage::Empty(CDialogPage& page) const {
    const DialogTemplate* dialog = KvbResources().FindDialog(dialogId);
    if (!dialog) return;
    for (const ControlTemplate& control : dialog->controls) {
        if (control.kind == ControlKind::Edit || control.kind == ControlKind::MultiLineEdit)
            page.SetControlText(control.id, u"");
        else if (control.kind == ControlKind::ListBox)
            page.ClearItems(control.id);
    }
}
