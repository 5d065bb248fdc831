#include "compass_view.h"

#include <QPainter>
#include <algorithm>
#include <numbers>

#include "host/views/color_table.h"
#include "host/views/qt_text.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"

namespace {

// Radians; beyond that a course is no reading.
constexpr double kCourseLimit = 1e6;

void DrawStar(QPainter& painter, const CompassStar& star, const QColor& light, const QColor& dark) {
    painter.setPen(QPen(light, 1));
    for (const QPolygonF& quad : star.light) {
        painter.setBrush(light);
        painter.drawPolygon(quad);
    }
    for (const QPolygonF& quad : star.dark) {
        painter.setBrush(dark);
        painter.drawPolygon(quad);
    }
}

}  // namespace

CCompassView::CCompassView() : CInstrumentView(entry::kCourseOverGround) {}

double CCompassView::ReadingOf(const CStorageValue& value) const {
    const double twoPi = 2 * std::numbers::pi;
    const double course = std::fmod(Reading(value.GetValue(), kCourseLimit), twoPi);
    return course < 0 ? course + twoPi : course;
}

std::vector<std::u16string> CCompassView::TextsOf(const CStorageValue& value) const {
    return {value.FormatCurrent() + value.GetUnit()};
}

void CCompassView::OnDraw(QPainter& painter, const QRect& rect) {
    const QColor background = Color(CColorTable::kBackground);
    const QColor scale = Color(CColorTable::kScale);
    painter.fillRect(rect, background);
    const Dial dial = DialOf(rect.size());
    const double course = HasReading() ? Shown() : 0;
    if (HasReading()) {
        painter.setFont(TextFont());
        painter.setPen(scale);
        const std::array<QPoint, 4> at = CompassLetterPoints(dial.centre, dial.radius, course);
        const char* letters[] = {"N", "E", "S", "W"};
        for (size_t i = 0; i < at.size(); ++i) instrument::DrawCentred(painter, at[i], QLatin1String(letters[i]));
        instrument::DrawBottom(painter, rect, Qt::AlignLeft, ToQString(Texts().front()));
    }
    const double length = std::max(dial.radius - 10, 0);
    const double side = 0.25 * length;
    DrawStar(painter, CompassStarOf(dial.centre, course, length, side), scale, background);
    DrawStar(painter, CompassStarOf(dial.centre, course + std::numbers::pi / 4, 0.75 * length, side), scale,
             background);
}
