#include "map_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusTipEvent>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>

#include "host/core/intake/veltro_doc.h"
#include "host/core/maps/map_texts.h"
#include "host/views/color_table.h"
#include "host/views/log_file_dialogs.h"
#include "host/views/message_box.h"
#include "host/views/qt_text.h"
#include "host/views/recent_view_list.h"
#include "host/views/text/view_tool_bar.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "resources/veltro/main_menu.h"
#include "shared/entry_ids.h"
#include "shared/storage_database.h"
#include "shared/storage_values.h"

namespace {

constexpr char16_t kSettings[] = u"Settings";
constexpr char16_t kDefaultDirMap[] = u"DefaultDirMap";
// The second position pair.
constexpr uint16_t kSecondLatitude = 0x3009;
constexpr uint16_t kSecondLongitude = 0x3008;
constexpr int kTrackColor = 12;
constexpr int kMarkerColor = 4;
constexpr int kReferenceColor = 5;
constexpr int kCalibrationPointColor = 6;
constexpr int kPositionColor = 9;
constexpr double kWheelStep = 1.25;
// A press that moves less than this is a tap.
constexpr int kDragThreshold = 3;
constexpr int kMarkerArm = 5;

std::u16string DegreesText(double radians) {
    return platform::FormatW(u"%.6f\u00B0", radians * 180 / std::numbers::pi);
}

QImage ReadPicture(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) image = QImageReader(QString::fromStdString(path), "BMP").read();
    return image;
}

QPoint ToQPoint(MapPoint point) { return {point.x, point.y}; }

}  // namespace

CMapView::CMapView() {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
}

CMapView::~CMapView() { AddToRecentList(); }

// As a chart view does, the view's setup goes to the front of its recent list as it closes.
void CMapView::AddToRecentList() {
    if (!IsWindow() || !HasMap()) return;
    const std::optional<std::vector<uint8_t>> block = EncodeMapViewState(settings);
    if (!block) return;
    CRecentViewList list = CRecentViewList::Maps();
    list.Load(Context().profile);
    const std::string path = platform::WideToUtf8(settings.picturePath);
    list.Add(platform::Utf8ToWide(std::filesystem::path(path).filename().string()), *block);
    list.Save(Context().profile);
}

void CMapView::RefreshViewState() {
    stateBlock.fill(0);
    if (const std::optional<std::vector<uint8_t>> block = EncodeMapViewState(settings))
        std::copy(block->begin(), block->end(), stateBlock.begin());
}

void CMapView::ApplyViewState() {
    const std::optional<MapViewSettings> restored = DecodeMapViewState(stateBlock);
    if (!restored || !LoadMap(platform::WideToUtf8(restored->picturePath))) return;
    settings = *restored;
    Recompute();
    UpdateToolBar();
    update();
}

QToolBar* CMapView::CreateViewToolBar(QWidget* parent) {
    toolBar = new CViewToolBar(kMapToolbar, *this, parent);
    toolBar->UpdateButtons();
    return toolBar;
}

void CMapView::UpdateToolBar() {
    if (toolBar) toolBar->UpdateButtons();
}

CommandState CMapView::QueryCommand(unsigned command) {
    switch (command) {
        case cmd::kOpenMap:
            return CommandState::Enabled(true);
        case cmd::kZoomIn:
        case cmd::kZoomOut:
        case cmd::kFitMap:
        case cmd::kEditCopy:
            return CommandState::Enabled(HasMap());
        case cmd::kCalibrationPoints:
            return CommandState::Enabled(HasMap(), calibrationMode);
        case cmd::kFollowPosition:
            return CommandState::Enabled(IsCalibrated(), settings.follow);
        case cmd::kShowTrack:
            return CommandState::Enabled(IsCalibrated(), settings.showTrack);
        case cmd::kShowMarkers:
            return CommandState::Enabled(IsCalibrated(), settings.showMarkers);
        case cmd::kSecondPosition:
            return CommandState::Enabled(true, settings.secondPosition);
        default:
            return {};
    }
}

void CMapView::OnCommand(unsigned command) {
    const QPointF centre(width() / 2.0, height() / 2.0);
    switch (command) {
        case cmd::kOpenMap:
            return OpenMap();
        case cmd::kZoomIn:
            return ZoomBy(2, centre);
        case cmd::kZoomOut:
            return ZoomBy(0.5, centre);
        case cmd::kFitMap:
            return Fit();
        case cmd::kEditCopy:
            QGuiApplication::clipboard()->setImage(Picture());
            return;
        case cmd::kCalibrationPoints:
            calibrationMode = !calibrationMode;
            calibrationPoints.clear();
            update();
            return;
        case cmd::kFollowPosition:
            Toggle(settings.follow);
            return Follow();
        case cmd::kShowTrack:
            return Toggle(settings.showTrack);
        case cmd::kShowMarkers:
            return Toggle(settings.showMarkers);
        case cmd::kSecondPosition:
            Toggle(settings.secondPosition);
            shownPosition.reset();
            return Follow();
        default:
            return;
    }
}

void CMapView::Toggle(bool& setting) {
    setting = !setting;
    update();
}

void CMapView::OpenMap() {
    platform::CProfile& profile = Context().profile;
    const std::string last = platform::ReadBoundedText(profile, kSettings, kDefaultDirMap, platform::kMaxProfilePath);
    const std::string folder = last.empty() ? std::string() : std::filesystem::path(last).parent_path().string();
    const std::optional<std::string> chosen = Context().host.LogFiles().AskMapFile(folder);
    if (!chosen) return;
    profile.WriteString(kSettings, kDefaultDirMap, platform::Utf8ToWide(*chosen));
    LoadMap(*chosen);
}

bool CMapView::LoadMap(const std::string& path) {
    picture = ReadPicture(path);
    calibration.reset();
    markers.clear();
    calibrationPoints.clear();
    shownPosition.reset();
    if (picture.isNull()) {
        settings.picturePath.clear();
        Recompute();
        update();
        UpdateToolBar();
        Context().host.Messages().Raise(kMapNotOpened);
        return false;
    }
    settings.picturePath = platform::Utf8ToWide(path);
    settings.zoom = 1;
    settings.centreX = picture.width() / 2.0;
    settings.centreY = picture.height() / 2.0;
    LoadCalibration(path);
    Recompute();
    update();
    UpdateToolBar();
    return true;
}

bool CMapView::LoadCalibration(const std::string& picturePath) {
    MapCalibration loaded = LoadMapCalibration(picturePath, picture.width(), picture.height());
    calibration = loaded.transform;
    markers = calibration ? std::move(loaded.markers) : std::vector<MapMarker>{};
    for (const std::u16string& message : loaded.messages)
        Context().host.Messages().Show(message, IMessageBox::Icon::Stop);
    Recompute();
    return IsCalibrated();
}

QPointF CMapView::Offset() const {
    return {width() / 2.0 - settings.centreX * settings.zoom, height() / 2.0 - settings.centreY * settings.zoom};
}

void CMapView::Recompute() {
    screenCalibration.reset();
    if (!calibration) return;
    const QPointF offset = Offset();
    screenCalibration =
        calibration->Scaled(settings.zoom, {offset.x() + settings.zoom / 2, offset.y() + settings.zoom / 2});
}

void CMapView::Fit() {
    if (!HasMap()) return;
    settings.zoom = std::clamp(FitZoom(width(), height(), picture.width(), picture.height()), kMinMapZoom, kMaxMapZoom);
    settings.centreX = picture.width() / 2.0;
    settings.centreY = picture.height() / 2.0;
    Recompute();
    update();
}

void CMapView::ZoomBy(double factor, QPointF around) {
    if (!HasMap()) return;
    const QPointF offset = Offset();
    const QPointF under = (around - offset) / settings.zoom;
    settings.zoom = std::clamp(settings.zoom * factor, kMinMapZoom, kMaxMapZoom);
    settings.centreX = under.x() - (around.x() - width() / 2.0) / settings.zoom;
    settings.centreY = under.y() - (around.y() - height() / 2.0) / settings.zoom;
    Recompute();
    update();
}

std::optional<GeoPosition> CMapView::PixelToGeo(MapPoint pixel) const {
    if (!calibration) return std::nullopt;
    return calibration->ToGeo({static_cast<double>(pixel.x), static_cast<double>(pixel.y)});
}

std::optional<MapPoint> CMapView::GeoToPixel(GeoPosition position) const {
    if (!calibration) return std::nullopt;
    return RoundedPixel(calibration->ToPixel(position));
}

std::optional<GeoPosition> CMapView::ScreenToGeo(QPoint screen) const {
    if (!screenCalibration) return std::nullopt;
    return screenCalibration->ToGeo({static_cast<double>(screen.x()), static_cast<double>(screen.y())});
}

std::optional<QPoint> CMapView::GeoToScreen(GeoPosition position) const {
    if (!screenCalibration) return std::nullopt;
    return ToQPoint(RoundedPixel(screenCalibration->ToPixel(position)));
}

MapPoint CMapView::ScreenToPixel(QPoint screen) const {
    const QPointF offset = Offset();
    return RoundedPixel(
        {(screen.x() - offset.x()) / settings.zoom - 0.5, (screen.y() - offset.y()) / settings.zoom - 0.5});
}

const CStorageValue* CMapView::LatitudeEntry() const {
    return Document().Database().FindAs<CStorageValue>(settings.secondPosition ? kSecondLatitude : entry::kLatitude);
}

const CStorageValue* CMapView::LongitudeEntry() const {
    return Document().Database().FindAs<CStorageValue>(settings.secondPosition ? kSecondLongitude : entry::kLongitude);
}

std::optional<GeoPosition> CMapView::CurrentPosition() const {
    const CStorageValue* latitude = LatitudeEntry();
    const CStorageValue* longitude = LongitudeEntry();
    if (!latitude || !longitude || !latitude->IsValid() || !longitude->IsValid()) return std::nullopt;
    return GeoPosition{latitude->GetValue(), longitude->GetValue()};
}

MapStatusFormat CMapView::StatusFormat() const {
    const CStorageValue* latitude = LatitudeEntry();
    const CStorageValue* longitude = LongitudeEntry();
    const auto formatter = [](const CStorageValue* entry) -> std::function<std::u16string(double)> {
        if (!entry) return DegreesText;
        return [entry](double radians) { return entry->Format(radians); };
    };
    return {longitude ? longitude->GetName() : u"Lon", latitude ? latitude->GetName() : u"Lat", formatter(longitude),
            formatter(latitude)};
}

void CMapView::OnUpdate(CView*, uint32_t hint, CMessageNode*) {
    if (!IsWindow()) return;
    if (hint & (HINT_NEW_DOCUMENT | HINT_FORCED)) {
        shownPosition.reset();
        Follow();
        update();
    } else if ((hint & HINT_REFRESH_DUE) && (hint & (HINT_EPOCH | HINT_VALUES))) {
        Follow();
    }
}

// Without following, a refresh only repaints: the track may have grown.
void CMapView::Follow() {
    const std::optional<GeoPosition> position = CurrentPosition();
    if (!settings.follow || !position || !calibration) return update();
    if (!pressedAt) {
        const MapPoint pixel = *GeoToPixel(*position);
        settings.centreX = pixel.x + 0.5;
        settings.centreY = pixel.y + 0.5;
        Recompute();
    }
    const std::optional<QPoint> screen = GeoToScreen(*position);
    if (screen == shownPosition) return;
    shownPosition = screen;
    update();
}

void CMapView::SetStatus(const std::u16string& text) {
    statusText = text;
    if (window() == this) return;
    QStatusTipEvent tip(ToQString(text));
    QCoreApplication::sendEvent(window(), &tip);
}

void CMapView::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (!HasMap()) return;
    pressedAt = event->position().toPoint();
    draggedTo = *pressedAt;
    measuring = false;
    scrolling = event->button() != Qt::LeftButton;
}

void CMapView::mouseMoveEvent(QMouseEvent* event) {
    if (!pressedAt) return;
    const QPoint at = event->position().toPoint();
    if (scrolling) {
        settings.centreX -= (at.x() - draggedTo.x()) / settings.zoom;
        settings.centreY -= (at.y() - draggedTo.y()) / settings.zoom;
        draggedTo = at;
        Recompute();
        update();
        return;
    }
    draggedTo = at;
    measuring = measuring || (at - *pressedAt).manhattanLength() > kDragThreshold;
    if (!measuring) return;
    SetStatus(DragStatusText(screenCalibration ? &*calibration : nullptr, ScreenToPixel(*pressedAt), ScreenToPixel(at),
                             StatusFormat()));
    update();
}

void CMapView::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressedAt) return;
    const QPoint from = *pressedAt;
    pressedAt.reset();
    if (!scrolling && !measuring) {
        const MapPoint pixel = ScreenToPixel(from);
        if (calibrationMode) {
            calibrationPoints.push_back(pixel);
            SetStatus(CalibrationPointText(static_cast<int>(calibrationPoints.size()), pixel));
        } else {
            SetStatus(TapStatusText(calibration ? &*calibration : nullptr, pixel, StatusFormat()));
        }
    }
    measuring = false;
    scrolling = false;
    event->accept();
    update();
}

void CMapView::wheelEvent(QWheelEvent* event) {
    ZoomBy(std::pow(kWheelStep, event->angleDelta().y() / 120.0), event->position());
    event->accept();
}

void CMapView::resizeEvent(QResizeEvent*) { Recompute(); }

void CMapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Draw(painter, rect(), Context().colors.Color(CColorTable::kBackground));
}

QImage CMapView::Picture() {
    QImage image(size(), QImage::Format_RGB32);
    QPainter painter(&image);
    Draw(painter, image.rect(), Qt::white);
    return image;
}

void CMapView::Draw(QPainter& painter, const QRect& rect, const QColor& background) {
    painter.fillRect(rect, background);
    if (!HasMap()) {
        painter.setPen(Context().colors.Color(CColorTable::kScale));
        painter.drawText(rect, Qt::AlignCenter | Qt::TextWordWrap, ToQString(kNoMapOpen));
        return;
    }
    DrawPicture(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    if (screenCalibration && settings.showTrack) DrawTrack(painter);
    if (screenCalibration && settings.showMarkers) DrawMarkers(painter);
    DrawCalibrationPoints(painter);
    if (screenCalibration) DrawPosition(painter);
    DrawMeasure(painter);
    if (screenCalibration) DrawScaleBar(painter, rect);
}

// Only the part of the picture that the view shows is scaled.
void CMapView::DrawPicture(QPainter& painter) {
    const QPointF offset = Offset();
    const QRectF shown = QRectF(QPointF(-offset.x() / settings.zoom, -offset.y() / settings.zoom),
                                QSizeF(width() / settings.zoom, height() / settings.zoom))
                             .intersected(QRectF(picture.rect()));
    if (shown.isEmpty()) return;
    const QRectF source(QPointF(std::floor(shown.left()), std::floor(shown.top())),
                        QPointF(std::ceil(shown.right()), std::ceil(shown.bottom())));
    const QRectF target(source.topLeft() * settings.zoom + offset, source.size() * settings.zoom);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, settings.zoom < 1);
    painter.drawImage(target, picture, source);
}

void CMapView::DrawTrack(QPainter& painter) {
    const CStorageValue* latitude = LatitudeEntry();
    const CStorageValue* longitude = LongitudeEntry();
    if (!latitude || !longitude) return;
    const CEpochHistory& history = Document().History();
    painter.setPen(QPen(Context().colors.Color(kTrackColor), 2));
    QPolygon line;
    const auto flush = [&] {
        if (line.size() > 1) painter.drawPolyline(line);
        line.clear();
    };
    for (size_t i = 0; i < history.Count(); ++i) {
        const GeoPosition position{latitude->GetSnapshotValue(history, history[i]),
                                   longitude->GetSnapshotValue(history, history[i])};
        if (std::isnan(position.latitude) || std::isnan(position.longitude)) {
            flush();
            continue;
        }
        line << *GeoToScreen(position);
    }
    flush();
}

void CMapView::DrawMarkers(QPainter& painter) {
    for (size_t i = 0; i < markers.size(); ++i) {
        const MapMarker& marker = markers[i];
        if (std::isnan(marker.position.latitude) || std::isnan(marker.position.longitude)) continue;
        const QPoint at = *GeoToScreen(marker.position);
        // A calibration file's three references come first; a world file has none.
        const bool reference = i < 3;
        painter.setPen(QPen(Context().colors.Color(reference ? kReferenceColor : kMarkerColor), 2));
        painter.drawLine(at - QPoint(kMarkerArm, kMarkerArm), at + QPoint(kMarkerArm, kMarkerArm));
        painter.drawLine(at - QPoint(kMarkerArm, -kMarkerArm), at + QPoint(kMarkerArm, -kMarkerArm));
        if (!marker.name.empty()) DrawLabel(painter, at + QPoint(kMarkerArm + 2, -kMarkerArm), ToQString(marker.name));
    }
}

void CMapView::DrawCalibrationPoints(QPainter& painter) {
    painter.setPen(QPen(Context().colors.Color(kCalibrationPointColor), 2));
    const QPointF offset = Offset();
    for (size_t i = 0; i < calibrationPoints.size(); ++i) {
        const QPoint at((calibrationPoints[i].x + 0.5) * settings.zoom + offset.x(),
                        (calibrationPoints[i].y + 0.5) * settings.zoom + offset.y());
        painter.drawEllipse(at, kMarkerArm, kMarkerArm);
        DrawLabel(painter, at + QPoint(kMarkerArm + 2, -kMarkerArm), QString::number(i + 1));
    }
}

void CMapView::DrawPosition(QPainter& painter) {
    const std::optional<GeoPosition> position = CurrentPosition();
    if (!position) return;
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(Context().colors.Color(kPositionColor));
    painter.drawEllipse(*GeoToScreen(*position), 6, 6);
    painter.setBrush(Qt::NoBrush);
}

void CMapView::DrawMeasure(QPainter& painter) {
    if (!pressedAt || !measuring) return;
    painter.setPen(QPen(Context().colors.Color(CColorTable::kScale), 2, Qt::DashLine));
    painter.drawLine(*pressedAt, draggedTo);
}

void CMapView::DrawLabel(QPainter& painter, QPoint at, const QString& text) {
    const QRect box = painter.fontMetrics().boundingRect(text).translated(at).adjusted(-2, -1, 2, 1);
    painter.fillRect(box, QColor(0, 0, 0, 160));
    painter.setPen(Qt::white);
    painter.drawText(at, text);
}

void CMapView::DrawScaleBar(QPainter& painter, const QRect& rect) {
    const std::optional<GeoPosition> left = ScreenToGeo({rect.left(), rect.center().y()});
    const std::optional<GeoPosition> right = ScreenToGeo({rect.right() + 1, rect.center().y()});
    const GroundOffset across = GroundOffsetBetween(*left, *right);
    const std::optional<ScaleBar> bar = ScaleBarFor(std::hypot(across.east, across.north), rect.width());
    if (!bar) return;
    const QString label = ToQString(bar->label);
    const int textHeight = painter.fontMetrics().height();
    const QRect box(rect.left() + 8, rect.bottom() - 14 - textHeight,
                    std::max(bar->pixels, painter.fontMetrics().horizontalAdvance(label)) + 12, textHeight + 12);
    painter.fillRect(box, QColor(0, 0, 0, 160));
    const int y = box.bottom() - 4;
    const int x0 = box.left() + 6;
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(x0, y, x0 + bar->pixels, y);
    painter.drawLine(x0, y - 4, x0, y);
    painter.drawLine(x0 + bar->pixels, y - 4, x0 + bar->pixels, y);
    painter.drawText(QPoint(x0, box.top() + textHeight), label);
}
