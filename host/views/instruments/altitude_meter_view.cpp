#include "altitude_meter_view.h"

#include <QPainter>
#include <numbers>

#include "host/views/color_table.h"
#include "host/views/qt_text.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"

CAltitudeMeterView::CAltitudeMeterView() : CInstrumentView(entry::kHeightAboveEllipsoid) {}

double CAltitudeMeterView::ReadingOf(const CStorageValue& value) const {
    return Reading(value.GetValue(), kAltitudeLimit);
}

void CAltitudeMeterView::OnDraw(QPainter& painter, const QRect& rect) {
    const QColor background = Color(CColorTable::kBackground);
    const QColor scale = Color(CColorTable::kScale);
    painter.fillRect(rect, background);
    painter.setFont(TextFont());
    const Dial dial = DialOf(rect.size());
    const double r = dial.radius;

    painter.setPen(QPen(scale, 1));
    for (int tick = 0; tick < kAltimeterTicks; ++tick) {
        const double a = 2 * std::numbers::pi * tick / kAltimeterTicks;
        const bool numbered = tick % 5 == 0;
        instrument::DrawTick(painter, dial, ClockPoint(dial, r, a), numbered ? 0.8 : 0.7);
        if (numbered) instrument::DrawCentred(painter, ClockPoint(dial, 0.95 * r, a), QString::number(tick / 5));
    }
    instrument::CoverTicks(painter, dial, background);
    if (HasReading()) {
        const double s = AltimeterScale(Shown());
        instrument::DrawHand(painter, dial, ClockPoint(dial, 0.55 * r, ShortHandAngle(Shown(), s)), scale);
        instrument::DrawHand(painter, dial, ClockPoint(dial, 0.75 * r, LongHandAngle(Shown(), s)), scale);
        painter.setPen(scale);
        instrument::DrawBottom(painter, rect, Qt::AlignLeft, ToQString(Texts().front()));
        instrument::DrawBottom(painter, rect, Qt::AlignRight, ToQString(AltimeterScaleText(s)));
    }
    instrument::DrawHub(painter, dial, scale, background);
}
