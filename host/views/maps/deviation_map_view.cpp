#include "deviation_map_view.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <cmath>

#include "host/core/intake/veltro_doc.h"
#include "host/views/color_table.h"
#include "host/views/forms/navigation_status.h"
#include "host/views/maps/deviation_properties_dialog.h"
#include "host/views/qt_text.h"
#include "resources/veltro/main_menu.h"
#include "shared/entry_ids.h"
#include "shared/storage_database.h"
#include "shared/storage_values.h"

namespace {

constexpr char16_t kAxisLetters[] = u" NSWE";
constexpr int kPositionColor = 9;
constexpr int kExtremeColor = 2;
constexpr int kAverageColor = 3;
constexpr int kDeviationColor = 8;
constexpr int kPointRadius = 2;

QString AxisLetter(int index) { return QString(QChar(kAxisLetters[index])); }

}  // namespace

bool CDeviationMapView::OnCreate() {
    settings = LoadDeviationSettings(Context().profile);
    return true;
}

std::span<uint8_t> CDeviationMapView::ViewStateBlock() {
    return {reinterpret_cast<uint8_t*>(&settings), sizeof settings};
}

void CDeviationMapView::ApplyViewState() {
    settings = Usable(settings);
    UpdateReference();
    update();
}

void CDeviationMapView::OnUpdate(CView*, uint32_t hint, CMessageNode*) {
    if (!IsWindow()) return;
    const bool epochRefresh = (hint & HINT_EPOCH) && (hint & HINT_REFRESH_DUE);
    if (!(hint & (HINT_NEW_DOCUMENT | HINT_FORCED)) && !epochRefresh) return;
    UpdateReference();
    update();
}

const CStorageValueStatistics* CDeviationMapView::Entry(uint16_t id) const {
    return Document().Database().FindAs<CStorageValueStatistics>(id);
}

void CDeviationMapView::UpdateReference() {
    const CStorageValueStatistics* latitude = Entry(entry::kLatitude);
    const CStorageValueStatistics* longitude = Entry(entry::kLongitude);
    const GeoPosition average{latitude ? latitude->GetAverage() : NAN, longitude ? longitude->GetAverage() : NAN};
    const GeoPosition current{latitude ? latitude->GetValue() : NAN, longitude ? longitude->GetValue() : NAN};
    const GeoPosition reference = UpdatedReference(settings, average, current);
    settings.referenceLatitude = reference.latitude;
    settings.referenceLongitude = reference.longitude;
}

bool CDeviationMapView::EditProperties() {
    CDeviationPropertiesDialog dialog(settings, Context().colors.Color(CColorTable::kRejectedInput), this);
    if (dialog.exec() != QDialog::Accepted) return false;
    settings = dialog.Settings();
    SaveDeviationSettings(Context().profile, settings);
    UpdateReference();
    update();
    return true;
}

CommandState CDeviationMapView::QueryCommand(unsigned command) {
    switch (command) {
        case cmd::kDeviationPoints:
            return CommandState::Enabled(true, showPoints);
        case cmd::kDeviationStatistics:
            return CommandState::Enabled(true, showStatistics);
        case cmd::kEditCopy:
        case cmd::kDeviationProperties:
            return CommandState::Enabled(true);
        default:
            return {};
    }
}

void CDeviationMapView::OnCommand(unsigned command) {
    switch (command) {
        case cmd::kDeviationPoints:
            showPoints = !showPoints;
            break;
        case cmd::kDeviationStatistics:
            showStatistics = !showStatistics;
            break;
        case cmd::kEditCopy:
            QGuiApplication::clipboard()->setImage(Picture());
            break;
        case cmd::kDeviationProperties:
            EditProperties();
            break;
        default:
            return;
    }
    update();
}

void CDeviationMapView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    for (const MenuEntry& entry : kDeviationContextMenu) {
        if (entry.kind == MenuEntryKind::Separator) {
            menu.addSeparator();
            continue;
        }
        QAction* item = menu.addAction(QString::fromUtf16(entry.text));
        const CommandState state = QueryCommand(entry.command);
        item->setEnabled(state.enabled);
        item->setCheckable(entry.command == cmd::kDeviationPoints || entry.command == cmd::kDeviationStatistics);
        item->setChecked(state.checked);
        const unsigned command = entry.command;
        connect(item, &QAction::triggered, this, [this, command] { OnCommand(command); });
    }
    menu.exec(event->globalPos());
}

void CDeviationMapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const CColorTable& colors = Context().colors;
    Draw(painter, rect(), colors.Color(CColorTable::kBackground), colors.Color(CColorTable::kScale));
}

QImage CDeviationMapView::Picture() {
    QImage image(size(), QImage::Format_RGB32);
    QPainter painter(&image);
    Draw(painter, image.rect(), Qt::white, Qt::black);
    return image;
}

int CDeviationMapView::Margin() const { return fontMetrics().height() + 6; }

void CDeviationMapView::Draw(QPainter& painter, const QRect& rect, const QColor& background, const QColor& ink) {
    painter.fillRect(rect, background);
    painter.setRenderHint(QPainter::Antialiasing);
    const DeviationPlot plot = DeviationPlotOf(rect.width(), rect.height(), Margin(), settings);
    DrawRings(painter, plot, ink);
    if (showPoints) DrawPoints(painter, plot);
    if (showStatistics) DrawStatistics(painter, plot);
    DrawPosition(painter, plot);
}

void CDeviationMapView::DrawRings(QPainter& painter, const DeviationPlot& plot, const QColor& ink) {
    const QPointF centre(plot.centre.x, plot.centre.y);
    const double half = plot.halfSize;
    painter.setPen(QPen(ink, 1));
    painter.drawLine(centre - QPointF(half, 0), centre + QPointF(half, 0));
    painter.drawLine(centre - QPointF(0, half), centre + QPointF(0, half));
    const double step = RingStep(settings.maxDeviation);
    const double maximum = UsableMaxDeviation(settings.maxDeviation) * (1 + 1e-9);
    for (int ring = 1; ring * step <= maximum; ++ring) {
        const double distance = ring * step;
        const double radius = distance * plot.pixelsPerMetre;
        painter.drawEllipse(centre, radius, radius);
        painter.drawText(centre + QPointF(radius * M_SQRT1_2 + 2, -radius * M_SQRT1_2 - 2),
                         ToQString(RingLabel(distance, step)));
    }
    const QFontMetrics metrics = painter.fontMetrics();
    const auto letter = [&](int index, QPointF at) {
        const QString text = AxisLetter(index);
        painter.drawText(at - QPointF(metrics.horizontalAdvance(text) / 2.0, -metrics.ascent() / 2.0), text);
    };
    const double gap = metrics.height() / 2.0 + 2;
    letter(1, centre - QPointF(0, half + gap));
    letter(2, centre + QPointF(0, half + gap));
    letter(3, centre - QPointF(half + gap, 0));
    letter(4, centre + QPointF(half + gap, 0));
}

// Each epoch in the colour of its navigation status.
void CDeviationMapView::DrawPoints(QPainter& painter, const DeviationPlot& plot) {
    const CStorageValue* latitude = Entry(entry::kLatitude);
    const CStorageValue* longitude = Entry(entry::kLongitude);
    if (!latitude || !longitude) return;
    const auto* valid = Document().Database().FindAs<CStorageValue>(entry::kNavigationValid);
    const auto* mode = Document().Database().FindAs<CStorageValue>(entry::kNavigationMode);
    const CEpochHistory& history = Document().History();
    painter.setPen(Qt::NoPen);
    for (size_t i = 0; i < history.Count(); ++i) {
        const CEpochSnapshot& snapshot = history[i];
        const std::optional<MapPixel> at = PlotPoint(
            plot, {latitude->GetSnapshotValue(history, snapshot), longitude->GetSnapshotValue(history, snapshot)});
        if (!at) continue;
        const int color = NavigationStatusColorOf(valid ? valid->GetSnapshotValue(history, snapshot) : NAN,
                                                  mode ? mode->GetSnapshotValue(history, snapshot) : NAN);
        painter.setBrush(Context().colors.Color(color));
        painter.drawEllipse(QPointF(at->x, at->y), kPointRadius, kPointRadius);
    }
    painter.setBrush(Qt::NoBrush);
}

// Lines of latitude run east and west, of longitude north and south, across the plot.
void CDeviationMapView::DrawStatistics(QPainter& painter, const DeviationPlot& plot) {
    const CStorageValueStatistics* latitude = Entry(entry::kLatitude);
    const CStorageValueStatistics* longitude = Entry(entry::kLongitude);
    if (!latitude || !longitude || latitude->Count() == 0 || longitude->Count() == 0) return;
    const GeoPosition reference = plot.reference;
    const double half = plot.halfSize;
    const auto line = [&](double lat, double lon, int color, const QString& label) {
        const GroundOffset offset = DeviationOffset(
            reference, {std::isnan(lat) ? reference.latitude : lat, std::isnan(lon) ? reference.longitude : lon});
        const MapPixel at = PlotPixel(plot, offset.east, offset.north);
        painter.setPen(QPen(Context().colors.Color(color), 1, Qt::DashLine));
        if (!std::isnan(lat) && std::abs(at.y - plot.centre.y) <= half) {
            painter.drawLine(QPointF(plot.centre.x - half, at.y), QPointF(plot.centre.x + half, at.y));
            if (!label.isEmpty()) painter.drawText(QPointF(plot.centre.x + half - 40, at.y - 2), label);
        }
        if (!std::isnan(lon) && std::abs(at.x - plot.centre.x) <= half) {
            painter.drawLine(QPointF(at.x, plot.centre.y - half), QPointF(at.x, plot.centre.y + half));
            if (!label.isEmpty()) painter.drawText(QPointF(at.x + 2, plot.centre.y - half + 12), label);
        }
    };
    const StatisticsSummary lat = latitude->GetStatistics();
    const StatisticsSummary lon = longitude->GetStatistics();
    line(lat.minimum, lon.minimum, kExtremeColor, {});
    line(lat.maximum, lon.maximum, kExtremeColor, {});
    line(lat.average, lon.average, kAverageColor, {});
    line(lat.average + lat.deviation, lon.average + lon.deviation, kDeviationColor, QStringLiteral("+ dev"));
    line(lat.average - lat.deviation, lon.average - lon.deviation, kDeviationColor, QStringLiteral("- dev"));
}

void CDeviationMapView::DrawPosition(QPainter& painter, const DeviationPlot& plot) {
    const CStorageValue* latitude = Entry(entry::kLatitude);
    const CStorageValue* longitude = Entry(entry::kLongitude);
    if (!latitude || !longitude) return;
    const std::optional<MapPixel> at = PlotPoint(plot, {latitude->GetValue(), longitude->GetValue()});
    if (!at) return;
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Context().colors.Color(kPositionColor));
    painter.drawEllipse(QPointF(at->x, at->y), kPointRadius + 3, kPointRadius + 3);
    painter.setBrush(Qt::NoBrush);
}
