#pragma once
#include <QPointF>
#include <cstdint>
#include <string>
#include <vector>

#include "host/views/mem_dc_view.h"

class CStorageValue;

// "World Map": the world's coastlines on an equirectangular map, the current position as a
// marker and its trail through the epoch history, and the position as text below the map.
class CWorldView : public CMemDCView {
public:
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;

    // Longitude and latitude in minutes of arc; the position is NaN without a reading.
    QPointF Position() const { return position; }
    const std::vector<QPointF>& Trail() const { return trail; }
    // The formatted longitude and latitude, empty without a reading.
    const std::u16string& LongitudeText() const { return longitudeText; }
    const std::u16string& LatitudeText() const { return latitudeText; }

protected:
    void OnPrepareDC(QPainter& painter) override;
    void OnDraw(QPainter& painter, const QRect& rect) override;

private:
    // True when anything shown changed.
    bool ReadPosition();
    bool ReadTrail();
    void DrawMap(QPainter& painter, const QRect& plot);
    void DrawPosition(QPainter& painter, const QRect& plot);
    void DrawTexts(QPainter& painter, const QRect& area);

    const CStorageValue* latitude = nullptr;
    const CStorageValue* longitude = nullptr;
    QPointF position{NAN, NAN};
    std::vector<QPointF> trail;
    std::u16string longitudeText;
    std::u16string latitudeText;
};

// A position in radians as the map reads it, in minutes of arc: NaN unless both are finite, the
// latitude within ±90° and the longitude within ±360° (taken into ±180°).
QPointF MapPosition(double longitude, double latitude);
