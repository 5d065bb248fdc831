#pragma once
#include "host/services/aidwell_request.h"

class CDialogPage;
class CStorageDatabase;

// The Aidwell Online dialog without widgets, on whichever realisation of its page (template
// 2098) the front end has: the request it shows, "Use Current", and the request it reads back.
class CAidwellOnlineForm {
public:
    explicit CAidwellOnlineForm(CDialogPage& page) : page(page) {}

    // The combo boxes' items, then the request's fields.
    void Initialise(const AidwellRequest& request);
    // The fields whose database entry holds a number: accuracy, latitude, longitude, altitude.
    void UseCurrent(const CStorageDatabase& database);
    // The fields into request; 0, or the first control whose text cannot be taken (a port
    // outside 1 to 65535), in which case request is left as it was.
    int Read(AidwellRequest& request) const;

private:
    CDialogPage& page;
};
