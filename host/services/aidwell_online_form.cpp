#include "aidwell_online_form.h"

#include <cmath>
#include <numbers>

#include "resources/veltro/dialogs.h"
#include "shared/dialog_page.h"
#include "shared/entry_ids.h"
#include "shared/storage_database.h"
#include "shared/storage_values.h"
#include "shared/value_format.h"

namespace {

constexpr const char16_t* kResetItems[] = {u"none", u"cold", u"warm", u"hot"};
constexpr const char16_t* kCommandItems[] = {u"full", u"aid", u"eph", u"alm"};
constexpr int kAngleDecimals = 6;
constexpr int kMetreDecimals = 2;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

void ShowCommand(CDialogPage& page, const std::u16string& command) {
    for (int k = 0; k < page.ItemCount(dialog::kAidwellRequest); ++k)
        if (page.ItemText(dialog::kAidwellRequest, k) == command) return page.SetSelection(dialog::kAidwellRequest, k);
    page.SetControlText(dialog::kAidwellRequest, command);
}

// NaN while the entry holds no number.
double CurrentValue(const CStorageDatabase& database, uint16_t id) {
    const auto* entry = database.FindAs<CStorageValue>(id);
    return entry ? entry->GetValue() : std::nan("");
}

void ShowIfNumber(CDialogPage& page, int id, double value, int decimals) {
    if (!std::isnan(value)) SetDlgDouble(page, id, value, decimals);
}

// The standard conversion: text that is not a number gives 0.
double ReadDouble(const CDialogPage& page, int id) { return GetDlgDouble(page, id, nullptr); }

}  // namespace

void CAidwellOnlineForm::Initialise(const AidwellRequest& request) {
    page.ClearItems(dialog::kAidwellReset);
    for (const char16_t* item : kResetItems) page.AddItem(dialog::kAidwellReset, item);
    page.ClearItems(dialog::kAidwellRequest);
    for (const char16_t* item : kCommandItems) page.AddItem(dialog::kAidwellRequest, item);
    SetDlgDouble(page, dialog::kAidwellLatitude, request.latitude, kAngleDecimals);
    SetDlgDouble(page, dialog::kAidwellLongitude, request.longitude, kAngleDecimals);
    SetDlgDouble(page, dialog::kAidwellAltitude, request.altitude, kMetreDecimals);
    SetDlgDouble(page, dialog::kAidwellAccuracy, request.accuracy, kMetreDecimals);
    SetDlgText(page, dialog::kAidwellPort, u"%u", static_cast<unsigned>(request.port));
    page.SetSelection(dialog::kAidwellReset, request.resetCommand);
    page.SetControlText(dialog::kAidwellServer, request.server);
    page.SetControlText(dialog::kAidwellUser, request.user);
    page.SetControlText(dialog::kAidwellPassword, request.password);
    ShowCommand(page, request.command);
}

void CAidwellOnlineForm::UseCurrent(const CStorageDatabase& database) {
    using namespace entry;
    ShowIfNumber(page, dialog::kAidwellAccuracy, CurrentValue(database, kPositionAccuracy3D), kMetreDecimals);
    ShowIfNumber(page, dialog::kAidwellLatitude, CurrentValue(database, kLatitude) * kDegreesPerRadian, kAngleDecimals);
    ShowIfNumber(page, dialog::kAidwellLongitude, CurrentValue(database, kLongitude) * kDegreesPerRadian,
                 kAngleDecimals);
    ShowIfNumber(page, dialog::kAidwellAltitude, CurrentValue(database, kHeightAboveEllipsoid), kMetreDecimals);
}

int CAidwellOnlineForm::Read(AidwellRequest& request) const {
    bool valid = false;
    const uint32_t port = GetDlgDecimal(page, dialog::kAidwellPort, &valid, false);
    if (!valid || port < 1 || port > UINT16_MAX) return dialog::kAidwellPort;
    request.latitude = ReadDouble(page, dialog::kAidwellLatitude);
    request.longitude = ReadDouble(page, dialog::kAidwellLongitude);
    request.altitude = ReadDouble(page, dialog::kAidwellAltitude);
    request.accuracy = ReadDouble(page, dialog::kAidwellAccuracy);
    request.port = static_cast<uint16_t>(port);
    request.resetCommand = page.Selection(dialog::kAidwellReset);
    request.server = page.GetControlText(dialog::kAidwellServer);
    request.user = page.GetControlText(dialog::kAidwellUser);
    request.password = page.GetControlText(dialog::kAidwellPassword);
    request.command = page.GetControlText(dialog::kAidwellRequest);
    return 0;
}
