#include "speed_meter_view.h"

#include <QPainter>

#include "host/views/color_table.h"
#include "host/views/qt_text.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"

CSpeedMeterView::CSpeedMeterView() : CInstrumentView(entry::kSpeedOverGround) {}

double CSpeedMeterView::ReadingOf(const CStorageValue& value) const {
    return Kmh(Reading(value.GetValue(), kSpeedLimit));
}

std::vector<std::u16string> CSpeedMeterView::TextsOf(const CStorageValue& value) const {
    return {SpeedLabel(value.GetName(), Shown())};
}

void CSpeedMeterView::OnDraw(QPainter& painter, const QRect& rect) {
    const QColor background = Color(CColorTable::kBackground);
    const QColor scale = Color(CColorTable::kScale);
    painter.fillRect(rect, background);
    painter.setFont(TextFont());
    const Dial dial = DialOf(rect.size());
    const double r = dial.radius;

    painter.setPen(QPen(scale, 1));
    for (int kmh = 0; kmh <= kSpeedFullScale; kmh += 10) {
        instrument::DrawTick(painter, dial, SpeedPoint(dial, r, kmh), SpeedTickReach(kmh));
        if (kmh % 50 == 0) instrument::DrawCentred(painter, SpeedPoint(dial, 0.95 * r, kmh), QString::number(kmh));
    }
    instrument::CoverTicks(painter, dial, background);
    if (HasReading()) {
        instrument::DrawHand(painter, dial, SpeedPoint(dial, 0.75 * r, ClampedKmh(Shown())), scale);
        painter.setPen(Color(SpeedWarning(Shown()) ? instrument::kWarning : CColorTable::kScale));
        instrument::DrawBottom(painter, rect, Qt::AlignHCenter, ToQString(Texts().front()));
    }
    instrument::DrawHub(painter, dial, scale, background);
}
