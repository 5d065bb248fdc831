#pragma once
#include <string>

#include "host/views/satellites/channel_view_base.h"
#include "shared/satellite_systems.h"

// One row per receiver channel: the satellite's number and system, its elevation, azimuth and
// C/N0, and a strip of the channel's last 20 C/N0 samples, the newest on the right.
class CSatelliteSignalHistoryView : public CChannelViewBase {
public:
    // The three lines of a row's text column for the channel's newest sample.
    static std::u16string NumberLine(int satellite);
    // A satellite of another system than GPS by its number within the system: "11 - Galileo".
    static std::u16string NumberLine(SatelliteSystem system, int satellite);
    static std::u16string PositionLine(double elevation, double azimuth);
    static std::u16string Cn0Line(double cn0);

protected:
    void OnDraw(QPainter& painter, const QRect& rect) override;

private:
    void DrawRow(QPainter& painter, const QRect& row, int channel, int textWidth, int scaleWidth);
};
