#pragma once
#include "host/views/satellites/channel_view_base.h"

// One bar per receiver channel: the current C/N0 in the satellite's state colour, lines at its
// recent minimum and maximum, the satellite's number below, on a 5 to 55 dB-Hz grid.
class CSatelliteSignalLevelView : public CChannelViewBase {
protected:
    void OnDraw(QPainter& painter, const QRect& rect) override;

private:
    // The frame, the bar and the lines at the recent minimum and maximum.
    void DrawColumn(QPainter& painter, const QRect& column, int channel);
    // The C/N0 at the bar's foot, in the colour that reads on what lies under it, and the
    // satellite's number below the column, down to bottom.
    void DrawLabels(QPainter& painter, const QRect& column, int bottom, int channel);
};
