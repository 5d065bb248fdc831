#include "world_view.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>
#include <numbers>

#include "host/core/intake/veltro_doc.h"
#include "host/views/color_table.h"
#include "host/views/forms/navigation_status.h"
#include "host/views/instruments/instrument_geometry.h"
#include "host/views/instruments/world_coastline.h"
#include "host/views/qt_text.h"
#include "host/views/satellites/pixel_drawing.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"

namespace {

constexpr double kMinutesPerRadian = 10800 / std::numbers::pi;
constexpr int kGridColor = 14;
constexpr int kTrailColor = 9;
constexpr int kMarkerRadius = 4;

bool SamePoint(QPointF a, QPointF b) {
    return (a.x() == b.x() || (std::isnan(a.x()) && std::isnan(b.x()))) &&
           (a.y() == b.y() || (std::isnan(a.y()) && std::isnan(b.y())));
}

std::u16string PositionText(const CStorageValue* value) {
    return value ? value->FormatCurrent() + u" " + value->GetUnit() : std::u16string();
}

}  // namespace

QPointF MapPosition(double longitude, double latitude) {
    const double pi = std::numbers::pi;
    if (!std::isfinite(longitude) || !std::isfinite(latitude) || std::abs(latitude) > pi / 2 ||
        std::abs(longitude) > 2 * pi)
        return {NAN, NAN};
    const double wrapped = longitude > pi ? longitude - 2 * pi : longitude < -pi ? longitude + 2 * pi : longitude;
    return {wrapped * kMinutesPerRadian, latitude * kMinutesPerRadian};
}

void CWorldView::OnInitialUpdate() { OnUpdate(nullptr, HINT_NEW_DOCUMENT | HINT_FORCED, nullptr); }

void CWorldView::OnUpdate(CView*, uint32_t hint, CMessageNode*) {
    if (!IsWindow()) return;
    bool repaint = false;
    if (hint & HINT_NEW_DOCUMENT) {
        const CStorageDatabase& database = Document().Database();
        latitude = database.FindAs<CStorageValue>(entry::kLatitude);
        longitude = database.FindAs<CStorageValue>(entry::kLongitude);
        position = {NAN, NAN};
        trail.clear();
        longitudeText.clear();
        latitudeText.clear();
        repaint = true;
    }
    const bool forced = hint & HINT_FORCED;
    const bool due = hint & HINT_REFRESH_DUE;
    if (forced || (due && (hint & HINT_VALUES))) repaint |= ReadPosition();
    if (forced || (due && (hint & HINT_EPOCH))) repaint |= ReadTrail();
    if (repaint) update();
}

bool CWorldView::ReadPosition() {
    const QPointF now =
        latitude && longitude ? MapPosition(longitude->GetValue(), latitude->GetValue()) : QPointF(NAN, NAN);
    const bool valid = !std::isnan(now.x());
    std::u16string lon = valid ? PositionText(longitude) : u"";
    std::u16string lat = valid ? PositionText(latitude) : u"";
    const bool changed = !SamePoint(now, position) || lon != longitudeText || lat != latitudeText;
    position = now;
    longitudeText = std::move(lon);
    latitudeText = std::move(lat);
    return changed;
}

bool CWorldView::ReadTrail() {
    std::vector<QPointF> points;
    if (latitude && longitude) {
        const CEpochHistory& history = Document().History();
        for (size_t i = 0; i < history.Count(); ++i) {
            const QPointF at = MapPosition(longitude->GetSnapshotValue(history, history[i]),
                                           latitude->GetSnapshotValue(history, history[i]));
            if (!std::isnan(at.x())) points.push_back(at);
        }
    }
    const bool changed = points != trail;
    trail = std::move(points);
    return changed;
}

void CWorldView::OnPrepareDC(QPainter& painter) { painter.setRenderHint(QPainter::Antialiasing, false); }

void CWorldView::OnDraw(QPainter& painter, const QRect& rect) {
    painter.fillRect(rect, Context().colors.Color(CColorTable::kBackground));
    painter.setFont(SharedTextFont(Context().density));
    const WorldAreas areas = WorldAreasOf(rect, QFontMetrics(painter.font()).height());
    if (areas.plot.width() > 0 && areas.plot.height() > 0) {
        DrawMap(painter, areas.plot);
        DrawPosition(painter, areas.plot);
    }
    DrawTexts(painter, areas.text);
}

void CWorldView::DrawMap(QPainter& painter, const QRect& plot) {
    const CColorTable& colors = Context().colors;
    painter.setPen(QPen(colors.Color(kGridColor), 1, Qt::DashLine));
    for (const int x : WorldMeridians(plot)) painter.drawLine(x, plot.top(), x, plot.bottom());
    for (const int y : WorldParallels(plot)) painter.drawLine(plot.left(), y, plot.right(), y);
    const QColor scale = colors.Color(CColorTable::kScale);
    DrawFrame(painter, QRect(plot.topLeft(), plot.size() + QSize(1, 1)), scale);

    painter.setPen(QPen(scale, 1));
    size_t next = 0;
    for (const uint8_t count : kCoastlinePointCounts) {
        if (count == 0 || next + count > kCoastlinePointTotal) break;
        QPoint from = WorldPoint(plot, kCoastlinePoints[next][0], kCoastlinePoints[next][1]);
        painter.drawPoint(from);
        for (size_t i = next + 1; i < next + count; ++i) {
            const QPoint to = WorldPoint(plot, kCoastlinePoints[i][0], kCoastlinePoints[i][1]);
            painter.drawLine(from, to);
            from = to;
        }
        next += count;
    }
}

void CWorldView::DrawPosition(QPainter& painter, const QRect& plot) {
    painter.setPen(QPen(Context().colors.Color(kTrailColor), 1));
    for (size_t i = 1; i < trail.size(); ++i) {
        // A step across the date line goes off one edge and comes in at the other.
        if (std::abs(trail[i].x() - trail[i - 1].x()) > 10800) continue;
        painter.drawLine(WorldPoint(plot, trail[i - 1].x(), trail[i - 1].y()),
                         WorldPoint(plot, trail[i].x(), trail[i].y()));
    }
    if (std::isnan(position.x())) return;
    const QPoint at = WorldPoint(plot, position.x(), position.y());
    painter.setPen(QPen(Context().colors.Color(NavigationStatusColor(Document().Database())), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, kMarkerRadius, kMarkerRadius);
    painter.drawLine(at - QPoint(2 * kMarkerRadius, 0), at + QPoint(2 * kMarkerRadius, 0));
    painter.drawLine(at - QPoint(0, 2 * kMarkerRadius), at + QPoint(0, 2 * kMarkerRadius));
}

void CWorldView::DrawTexts(QPainter& painter, const QRect& area) {
    painter.setPen(Context().colors.Color(CColorTable::kScale));
    const int line = area.height() / 2;
    const QRect first(area.left(), area.top(), area.width(), line);
    const QRect second(area.left(), area.top() + line, area.width(), line);
    constexpr auto kFlags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;
    painter.drawText(first, Qt::AlignLeft | kFlags, QStringLiteral("Longitude"));
    painter.drawText(second, Qt::AlignLeft | kFlags, QStringLiteral("Latitude"));
    painter.drawText(first, Qt::AlignRight | kFlags, ToQString(longitudeText));
    painter.drawText(second, Qt::AlignRight | kFlags, ToQString(latitudeText));
}
