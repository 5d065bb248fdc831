#include "chart_axis_dialog.h"

#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "host/views/charts/chart_series.h"
#include "host/views/messages/message_form_page.h"
#include "host/views/qt_text.h"
#include "resources/veltro/chart_resources.h"
#include "shared/storage_values.h"
#include "shared/value_format.h"

namespace {

constexpr int kNameIds[] = {dialog::kChartXName, dialog::kChartYName};
constexpr int kLowIds[] = {dialog::kChartXLow, dialog::kChartYLow};
constexpr int kHighIds[] = {dialog::kChartXHigh, dialog::kChartYHigh};

}  // namespace

double DisplayScale(const CStorageDatabase& database, const ChartAxis& axis) {
    const CStorageValueStatistics* value = ChartValue(database, axis);
    const bool angle = value && value->IsKindOf(CStorageValueStatisticsAngle::StaticClass());
    return angle ? 3.1415926535898 / 180 : 1.0;
}

CChartAxisDialog::CChartAxisDialog(const CStorageDatabase& database, const std::array<ChartAxis, 2>& axes,
                                   QWidget* parent)
    : QDialog(parent), page(new CMessageFormPage(dialog::kChartAxesDialog, Qt::white, this)) {
    setWindowTitle(ToQString(dialog::kChartAxesCaption));
    page->SetListener(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page);
    for (int axis = 0; axis < 2; ++axis) {
        const CStorageValueStatistics* value = ChartValue(database, axes[axis]);
        std::u16string name = AxisName(database, axes[axis]);
        if (value && !value->GetUnit().empty()) name += u" [" + value->GetUnit() + u"]";
        page->SetControlText(kNameIds[axis], name);
        scales[axis] = DisplayScale(database, axes[axis]);
        SetDlgText(*page, kLowIds[axis], u"%.12g", axes[axis].viewLow / scales[axis]);
        SetDlgText(*page, kHighIds[axis], u"%.12g", axes[axis].viewHigh / scales[axis]);
    }
}

void CChartAxisDialog::OnControlChanged(int controlId) {
    if (controlId == dialog::kChartAxesOk) accept();
    if (controlId == dialog::kChartAxesCancel) reject();
}

bool CChartAxisDialog::ReadRange(int axis, int lowId, int highId) {
    double low = 0, high = 0;
    const bool lowRead = GetDlgDoubleChecked(*page, lowId, low) && std::isfinite(low);
    const bool highRead = GetDlgDoubleChecked(*page, highId, high) && std::isfinite(high);
    page->SetControlRejected(lowId, !lowRead);
    page->SetControlRejected(highId, !highRead);
    ranges[axis] = {std::min(low, high) * scales[axis], std::max(low, high) * scales[axis]};
    return lowRead && highRead;
}

void CChartAxisDialog::accept() {
    const bool x = ReadRange(0, kLowIds[0], kHighIds[0]);
    const bool y = ReadRange(1, kLowIds[1], kHighIds[1]);
    if (x && y) QDialog::accept();
}
