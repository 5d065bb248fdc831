#include "deviation_properties_dialog.h"

#include <QVBoxLayout>
#include <cmath>
#include <numbers>

#include "host/views/messages/message_form_page.h"
#include "host/views/qt_text.h"
#include "platform/text.h"
#include "resources/veltro/program_resources.h"

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180;
constexpr int kModeButtons[] = {dialog::kDeviationAverage, dialog::kDeviationCurrent, dialog::kDeviationFixed};

std::u16string NumberText(double value) { return platform::FormatW(u"%.9g", value); }

}  // namespace

CDeviationPropertiesDialog::CDeviationPropertiesDialog(const DeviationSettings& settings, const QColor& rejectedColor,
                                                       QWidget* parent)
    : QDialog(parent),
      settings(settings),
      page(new CMessageFormPage(*kProgramResources.FindDialog(dialog::kDeviationProperties), rejectedColor, this)) {
    setWindowTitle(ToQString(dialog::kDeviationPropertiesCaption));
    page->SetListener(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page);
    Fill();
}

void CDeviationPropertiesDialog::Fill() {
    if (!std::isnan(settings.referenceLatitude))
        page->SetControlText(dialog::kDeviationLatitude, NumberText(settings.referenceLatitude / kRadiansPerDegree));
    if (!std::isnan(settings.referenceLongitude))
        page->SetControlText(dialog::kDeviationLongitude, NumberText(settings.referenceLongitude / kRadiansPerDegree));
    if (!std::isnan(settings.maxDeviation))
        page->SetControlText(dialog::kDeviationMaximum, NumberText(settings.maxDeviation));
    for (int mode = 0; mode < 3; ++mode) page->SetChecked(kModeButtons[mode], settings.mode == mode);
}

void CDeviationPropertiesDialog::OnControlChanged(int controlId) {
    if (controlId == dialog::kDeviationOk) accept();
    if (controlId == dialog::kDeviationCancel) reject();
}

std::optional<double> CDeviationPropertiesDialog::Field(int controlId, double limit, bool emptyAllowed) {
    const std::u16string text = page->GetControlText(controlId);
    const std::optional<double> value = DialogNumber(text);
    const bool usable = value ? std::abs(*value) <= limit : text.empty() && emptyAllowed;
    page->SetControlRejected(controlId, !usable);
    if (!usable) return std::nullopt;
    return value.value_or(NAN);
}

void CDeviationPropertiesDialog::accept() {
    int mode = DeviationSettings::kAveragePoint;
    for (int k = 0; k < 3; ++k)
        if (page->IsChecked(kModeButtons[k])) mode = k;
    const bool fixed = mode == DeviationSettings::kFixPoint;
    const std::optional<double> latitude = Field(dialog::kDeviationLatitude, 90, !fixed);
    const std::optional<double> longitude = Field(dialog::kDeviationLongitude, 180, !fixed);
    const std::optional<double> maximum = Field(dialog::kDeviationMaximum, 1e7, false);
    const bool positive = maximum.value_or(0) >= kMinMaxDeviation;
    if (maximum && !positive) page->SetControlRejected(dialog::kDeviationMaximum, true);
    if (!latitude || !longitude || !positive) return;
    // An empty field, allowed while the reference follows the positions, keeps the reference.
    if (!std::isnan(*latitude)) settings.referenceLatitude = *latitude * kRadiansPerDegree;
    if (!std::isnan(*longitude)) settings.referenceLongitude = *longitude * kRadiansPerDegree;
    settings.maxDeviation = maximum.value_or(kDefaultMaxDeviation);
    settings.mode = mode;
    QDialog::accept();
}
