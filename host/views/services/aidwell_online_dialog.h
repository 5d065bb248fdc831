#pragma once
#include <QColor>
#include <QDialog>

#include "host/services/aidwell_online_form.h"
#include "host/services/aidwell_request.h"
#include "shared/page_listener.h"

class CMessageFormPage;
class CStorageDatabase;

// The Aidwell Online dialog (template 2098) on the form the command-line tool shares: the
// request's fields, "Use Current" from the database, and the request read back when the user
// confirms. A port outside 1 to 65535 keeps it open, the field drawn as rejected.
class CAidwellOnlineDialog : public QDialog, private IPageListener {
public:
    CAidwellOnlineDialog(const AidwellRequest& request, const CStorageDatabase& database, const QColor& rejectedColor,
                         QWidget* parent);

    // As confirmed.
    const AidwellRequest& Request() const { return request; }
    CMessageFormPage& Page() const { return *page; }

    void accept() override;

private:
    void OnControlChanged(int controlId) override;

    AidwellRequest request;
    const CStorageDatabase& database;
    CMessageFormPage* page;
    CAidwellOnlineForm form;
};
