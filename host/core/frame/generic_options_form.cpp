#include "generic_options_form.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <optional>

#include "platform/text.h"
#include "resources/veltro/dialogs.h"
#include "resources/veltro/strings.h"
#include "shared/dialog_page.h"
#include "shared/value_format.h"

namespace {

using namespace dialog;

constexpr int PortControl(int n) { return kOptionsPortDevice + n; }

std::u16string Trimmed(const std::u16string& text) {
    const size_t first = text.find_first_not_of(u" \t");
    if (first == std::u16string::npos) return {};
    return text.substr(first, text.find_last_not_of(u" \t") - first + 1);
}

// The whole text as a decimal number, blanks around it allowed; nullopt for anything else.
std::optional<long long> ReadNumber(const CDialogPage& page, int id) {
    const std::string text = platform::WideToUtf8(Trimmed(page.GetControlText(id)));
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

void ShowNumber(CDialogPage& page, int editId, int spinId, int value) {
    SetDlgText(page, editId, u"%d", value);
    page.SetPosition(spinId, value);
}

// The choice "automatic" stands for no device of the profile's own.
std::string DeviceOf(const CDialogPage& page, int n) {
    const std::u16string text = Trimmed(page.GetControlText(PortControl(n)));
    return text == kPortAutomatic ? std::string() : platform::WideToUtf8(text);
}

}  // namespace

void CGenericOptionsForm::Initialise(const GenericOptions& options, const std::vector<std::string>& devices) {
    page.SetRange(kOptionsMaxPortsSpin, 1, ConnectionSettings::kMaxPorts);
    page.SetRange(kOptionsHistorySizeSpin, GenericOptions::kMinHistory, GenericOptions::kMaxHistory);
    page.SetChecked(kOptionsAutoConnect, options.autoConnect);
    page.SetChecked(kOptionsEnumPorts, options.enumPorts);
    ShowNumber(page, kOptionsMaxPorts, kOptionsMaxPortsSpin, ClampMaxPorts(options.maxPorts));
    ShowNumber(page, kOptionsHistorySize, kOptionsHistorySizeSpin, ClampHistorySize(options.historySize));
    page.SetTextLimit(kOptionsCommandLine, static_cast<int>(GenericOptions::kMaxCommandLine));
    page.SetControlText(kOptionsCommandLine, options.commandLine);
    for (int n = 1; n <= ConnectionSettings::kMaxPorts; ++n) {
        page.ClearItems(PortControl(n));
        page.AddItem(PortControl(n), kPortAutomatic);
        for (const std::string& device : devices) page.AddItem(PortControl(n), platform::Utf8ToWide(device));
        const std::string& device = options.portDevices[n];
        page.SetControlText(PortControl(n), device.empty() ? kPortAutomatic : platform::Utf8ToWide(device));
    }
    ShowDuration();
    modified = false;
}

void CGenericOptionsForm::OnControlChanged(int controlId) {
    modified = true;
    if (controlId == kOptionsMaxPortsSpin)
        SetDlgText(page, kOptionsMaxPorts, u"%d", page.Position(kOptionsMaxPortsSpin));
    if (controlId == kOptionsHistorySizeSpin)
        SetDlgText(page, kOptionsHistorySize, u"%d", page.Position(kOptionsHistorySizeSpin));
    if (controlId == kOptionsMaxPorts) FollowEdit(kOptionsMaxPorts, kOptionsMaxPortsSpin);
    if (controlId == kOptionsHistorySize) FollowEdit(kOptionsHistorySize, kOptionsHistorySizeSpin);
    if (controlId == kOptionsHistorySize || controlId == kOptionsHistorySizeSpin) ShowDuration();
}

void CGenericOptionsForm::FollowEdit(int editId, int spinId) {
    if (const std::optional<long long> value = ReadNumber(page, editId))
        page.SetPosition(spinId, static_cast<int>(std::clamp<long long>(*value, INT32_MIN, INT32_MAX)));
}

// The span of what the edit holds while it holds a number of epochs in range; blank otherwise.
void CGenericOptionsForm::ShowDuration() {
    const std::optional<long long> epochs = ReadNumber(page, kOptionsHistorySize);
    const bool valid = epochs && *epochs == ClampHistorySize(*epochs);
    page.SetControlText(kOptionsHistoryDuration, valid ? HistoryDurationText(static_cast<int>(*epochs)) : u"");
}

int CGenericOptionsForm::Read(GenericOptions& options) const {
    const std::optional<long long> maxPorts = ReadNumber(page, kOptionsMaxPorts);
    if (!maxPorts) return kOptionsMaxPorts;
    const std::optional<long long> historySize = ReadNumber(page, kOptionsHistorySize);
    if (!historySize || *historySize != ClampHistorySize(*historySize)) return kOptionsHistorySize;
    options.autoConnect = page.IsChecked(kOptionsAutoConnect);
    options.enumPorts = page.IsChecked(kOptionsEnumPorts);
    options.maxPorts = ClampMaxPorts(*maxPorts);
    options.historySize = static_cast<int>(*historySize);
    options.commandLine = page.GetControlText(kOptionsCommandLine);
    for (int n = 1; n <= ConnectionSettings::kMaxPorts; ++n) options.portDevices[n] = DeviceOf(page, n);
    return 0;
}
