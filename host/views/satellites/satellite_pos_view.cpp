#include "satellite_pos_view.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>
#include <vector>

#include "host/core/intake/veltro_doc.h"
#include "host/views/color_table.h"
#include "host/views/satellites/label_color.h"
#include "host/views/satellites/satellite_system.h"
#include "host/views/satellites/sky_plot_geometry.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"

namespace {

constexpr int kCompassBox = 40;

// Fresh: set in the running epoch or less than 20 epochs ago.
bool IsFresh(const CStorageValue* value) {
    return value && (value->IsValid() || value->Age() < 20) && std::isfinite(value->GetValue());
}

QRect BoxAround(QPoint centre, int size) { return QRect(centre.x() - size / 2, centre.y() - size / 2, size, size); }

// The horizon circle gives way to the letters on it.
void DrawCompassLetters(QPainter& painter, const SkyPlotFrame& frame, const QColor& background) {
    const QPoint c = frame.centre;
    const int r = frame.radius;
    const std::pair<QPoint, const char*> letters[] = {
        {{c.x(), c.y() - r}, "N"}, {{c.x() + r, c.y()}, "E"}, {{c.x(), c.y() + r}, "S"}, {{c.x() - r, c.y()}, "W"}};
    const QFontMetrics metrics(painter.font());
    for (const auto& [at, letter] : letters) {
        const QRect box = BoxAround(at, kCompassBox);
        painter.fillRect(metrics.boundingRect(box, Qt::AlignCenter, QLatin1String(letter)), background);
        painter.drawText(box, Qt::AlignCenter, QLatin1String(letter));
    }
}

// The system a slot's satellite belongs to; GPS and SBAS, as in the channel table, carry none.
SatelliteSystem SystemOfSlot(int slot) {
    const SatelliteSystem system = SatelliteOfNumberAcrossSystems(SatelliteNumber(slot)).system;
    return system == SatelliteSystem::Gps || system == SatelliteSystem::Sbas ? SatelliteSystem::None : system;
}

// The circle covers the inner half of each panel's strut.
void DrawSymbol(QPainter& painter, QPoint at, const SkySymbolSize& size) {
    const int s = size.circleRadius;
    const int p = size.panelSpan;
    const int half = PanelHalfHeight(p);
    for (const int side : {p, -p}) {
        painter.drawLine(at, QPoint(at.x() + side, at.y()));
        painter.drawLine(QPoint(at.x() + side, at.y() - half), QPoint(at.x() + side, at.y() + half));
    }
    painter.drawEllipse(QRect(at.x() - s, at.y() - s, 2 * s + 1, 2 * s + 1));
}

struct PlacedSymbol {
    QPoint at;
    SkySymbolSize size;
    QString number;
    QColor fill;
    SatelliteSystem system;
};

}  // namespace

void CSatellitePosView::OnInitialUpdate() { OnUpdate(nullptr, HINT_FORCED, nullptr); }

void CSatellitePosView::OnUpdate(CView*, uint32_t hint, CMessageNode*) {
    if (!IsWindow()) return;
    bool repaint = false;
    if (hint & HINT_NEW_DOCUMENT) {
        satellites.fill({});
        repaint = true;
    }
    if ((hint & HINT_FORCED) || ((hint & HINT_VALUES) && (hint & HINT_REFRESH_DUE))) repaint |= ReadSatellites();
    if (repaint) update();
}

bool CSatellitePosView::ReadSatellites() {
    bool changed = false;
    for (int slot = 0; slot < kSatelliteSlots; ++slot) {
        const Satellite now = ReadSatellite(slot);
        changed |= now != satellites[static_cast<size_t>(slot)];
        satellites[static_cast<size_t>(slot)] = now;
    }
    return changed;
}

CSatellitePosView::Satellite CSatellitePosView::ReadSatellite(int slot) const {
    const CStorageDatabase& database = Document().Database();
    const auto* azimuth = database.FindAs<CStorageValue>(SatelliteItemId(slot, entry::kSatelliteAzimuth));
    const auto* elevation = database.FindAs<CStorageValue>(SatelliteItemId(slot, entry::kSatelliteElevation));
    if (!IsFresh(azimuth) || !IsFresh(elevation) || elevation->GetValue() < 0) return {};
    return {true, elevation->GetValue(), azimuth->GetValue(), database.GetSatelliteState(slot, nullptr, nullptr)};
}

void CSatellitePosView::OnDraw(QPainter& painter, const QRect& rect) {
    const CColorTable& colors = Context().colors;
    const QColor background = colors.Color(CColorTable::kBackground);
    const QColor scale = colors.Color(CColorTable::kScale);
    painter.fillRect(rect, background);
    painter.setPen(QPen(scale, 1));
    painter.setBrush(background);

    const SkyPlotFrame frame = SkyPlotFrameOf(rect.width(), rect.height());
    const QPoint c = frame.centre;
    painter.drawEllipse(c, frame.radius, frame.radius);
    painter.drawEllipse(c, frame.radius / 2, frame.radius / 2);
    painter.fillRect(c.x(), c.y(), 1, 1, scale);

    const ScreenDensity& density = Context().density;
    const SkySymbolSize base = SkySymbolSizeOf(frame.radius, density.x);
    painter.setFont(RequestFont(u"Arial", density.PointsToPixels(base.labelPoints)));
    DrawCompassLetters(painter, frame, background);

    const QFontMetrics metrics(painter.font());
    std::vector<PlacedSymbol> symbols;
    std::vector<SatelliteSystem> systems;
    for (int slot = 0; slot < kSatelliteSlots; ++slot) {
        const Satellite& satellite = satellites[static_cast<size_t>(slot)];
        if (!satellite.visible) continue;
        const SatelliteSystem system = SystemOfSlot(slot);
        const QString number = SatelliteLabel(system, SatelliteNumber(slot));
        symbols.push_back({SkyPoint(frame, satellite.elevation, satellite.azimuth),
                           SymbolAround(base, metrics.tightBoundingRect(number).size()), number,
                           colors.Color(satellite.state), system});
        systems.push_back(system);
    }
    // The state fills the symbol; a system other than GPS draws its outline in the system's colour.
    for (const PlacedSymbol& symbol : symbols) {
        const QColor outline = SystemColor(symbol.system, scale);
        painter.setPen(QPen(outline, outline == scale ? 1 : 2));
        painter.setBrush(symbol.fill);
        DrawSymbol(painter, symbol.at, symbol.size);
    }
    // Over every line, also over the panels of a neighbouring symbol.
    for (const PlacedSymbol& symbol : symbols) {
        painter.setPen(LabelColorOn(symbol.fill));
        painter.drawText(BoxAround(symbol.at, 4 * symbol.size.circleRadius), Qt::AlignCenter, symbol.number);
    }
    DrawSystemLegend(painter, rect, LegendSystems(std::move(systems)), scale);
}
