#pragma once
#include <QImage>
#include <QPoint>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/core/maps/calibration_file.h"
#include "host/core/maps/map_geometry.h"
#include "host/core/maps/map_view_state.h"
#include "host/views/command_state.h"
#include "host/views/view.h"

class CStorageValue;
class CViewToolBar;

// A map picture with the receiver's position, its track and the calibration's markers on it. The
// picture is tied to the earth by its calibration file (calibration_file.h) or a world file; a
// tap shows the position of a pixel in the status line, a drag the distance between two. The
// wheel zooms around the pointer, the right or middle button scrolls.
class CMapView : public CView, public ICommandTarget {
public:
    CMapView();
    ~CMapView() override;

    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;
    QToolBar* CreateViewToolBar(QWidget* parent) override;
    CommandState QueryCommand(unsigned command) override;
    void OnCommand(unsigned command) override;

    // The file dialog, starting at "DefaultDirMap", which keeps the folder of the file chosen.
    void OpenMap();
    // The picture and its calibration; false (after the message) when the picture cannot be read.
    bool LoadMap(const std::string& path);
    // The picture's calibration; each of its messages is shown.
    bool LoadCalibration(const std::string& picturePath);
    void Fit();
    // Keeps the picture pixel under the point of the view in its place.
    void ZoomBy(double factor, QPointF around);

    bool HasMap() const { return !picture.isNull(); }
    bool IsCalibrated() const { return calibration.has_value(); }
    std::optional<GeoPosition> PixelToGeo(MapPoint pixel) const;
    std::optional<MapPoint> GeoToPixel(GeoPosition position) const;
    std::optional<GeoPosition> ScreenToGeo(QPoint screen) const;
    std::optional<QPoint> GeoToScreen(GeoPosition position) const;
    // The picture pixel under a point of the view.
    MapPoint ScreenToPixel(QPoint screen) const;

    const std::vector<MapMarker>& Markers() const { return markers; }
    const MapViewSettings& Settings() const { return settings; }
    const std::u16string& StatusText() const { return statusText; }
    // What Copy puts on the clipboard: the view on a white background.
    QImage Picture();

protected:
    std::span<uint8_t> ViewStateBlock() override { return stateBlock; }
    void RefreshViewState() override;
    void ApplyViewState() override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Draw(QPainter& painter, const QRect& rect, const QColor& background);
    void DrawPicture(QPainter& painter);
    void DrawTrack(QPainter& painter);
    void DrawMarkers(QPainter& painter);
    void DrawPosition(QPainter& painter);
    void DrawCalibrationPoints(QPainter& painter);
    void DrawMeasure(QPainter& painter);
    void DrawScaleBar(QPainter& painter, const QRect& rect);
    void DrawLabel(QPainter& painter, QPoint at, const QString& text);

    // The position entries the view reads: the first pair or the second.
    const CStorageValue* LatitudeEntry() const;
    const CStorageValue* LongitudeEntry() const;
    std::optional<GeoPosition> CurrentPosition() const;
    MapStatusFormat StatusFormat() const;
    // The zoom or the centre changed: the screen transform follows.
    void Recompute();
    QPointF Offset() const;
    void Follow();
    void SetStatus(const std::u16string& text);
    void Toggle(bool& setting);
    void AddToRecentList();
    void UpdateToolBar();

    QImage picture;
    std::optional<CMapTransform> calibration;
    std::optional<CMapTransform> screenCalibration;
    std::vector<MapMarker> markers;
    MapViewSettings settings;
    std::array<uint8_t, kMapViewStateSize> stateBlock{};
    std::u16string statusText;
    CViewToolBar* toolBar = nullptr;

    bool calibrationMode = false;
    std::vector<MapPoint> calibrationPoints;
    // A drag of the left button measures, of the others scrolls.
    std::optional<QPoint> pressedAt;
    QPoint draggedTo;
    bool measuring = false;
    bool scrolling = false;
    std::optional<QPoint> shownPosition;
};
