#include "watch_view.h"

#include <QPainter>
#include <numbers>

#include "host/views/color_table.h"
#include "host/views/qt_text.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"

namespace {

// Seconds since 1970: beyond the year 5000 a time is no reading.
constexpr double kTimeLimit = 1e11;
constexpr int kMinuteTicks = 60;

const CStorageValueStatisticsTimeUTC* AsUtc(const CStorageValue& value) {
    return value.IsKindOf(CStorageValueStatisticsTimeUTC::StaticClass())
               ? static_cast<const CStorageValueStatisticsTimeUTC*>(&value)
               : nullptr;
}

}  // namespace

CWatchView::CWatchView() : CInstrumentView(entry::kUtc) {}

double CWatchView::ReadingOf(const CStorageValue& value) const {
    return AsUtc(value) ? Reading(value.GetValue(), kTimeLimit) : NAN;
}

std::vector<std::u16string> CWatchView::TextsOf(const CStorageValue& value) const {
    const CStorageValueStatisticsTimeUTC* utc = AsUtc(value);
    return {utc->FormatWith(u"%H:%M:%s", Shown()), utc->FormatWith(u"%m/%d/%Y", Shown())};
}

void CWatchView::OnDraw(QPainter& painter, const QRect& rect) {
    const QColor background = Color(CColorTable::kBackground);
    const QColor scale = Color(CColorTable::kScale);
    painter.fillRect(rect, background);
    const Dial dial = DialOf(rect.size());
    const double r = dial.radius;

    for (int tick = 0; tick < kMinuteTicks; ++tick) {
        const double a = 2 * std::numbers::pi * tick / kMinuteTicks;
        const bool hour = tick % 5 == 0;
        painter.setPen(QPen(scale, hour ? std::max(2.0, 0.03 * r) : 1.0));
        painter.drawLine(ClockPoint(dial, hour ? 0.85 * r : 0.92 * r, a), ClockPoint(dial, r, a));
    }
    if (HasReading()) {
        const WatchHands hands = WatchHandsAt(Shown());
        instrument::DrawHand(painter, dial, ClockPoint(dial, 0.5 * r, hands.hour), scale);
        instrument::DrawHand(painter, dial, ClockPoint(dial, 0.75 * r, hands.minute), scale);
        painter.setPen(QPen(scale, std::max(1.0, 0.015 * r)));
        painter.drawLine(ClockPoint(dial, -0.15 * r, hands.second), ClockPoint(dial, 0.85 * r, hands.second));
        painter.setFont(TextFont());
        painter.setPen(scale);
        instrument::DrawBottom(painter, rect, Qt::AlignLeft, ToQString(Texts()[0]));
        instrument::DrawBottom(painter, rect, Qt::AlignRight, ToQString(Texts()[1]));
    }
    instrument::DrawHub(painter, dial, scale, background);
}
