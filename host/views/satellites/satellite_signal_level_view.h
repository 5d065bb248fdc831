#pragma once
#include "host/views/satellites/channel_view_base.h"

// One bar per receiver channel: the current C/N0 in the satellite's state colour, lines at its
// recent minimum and maximum, the satellite's number below, on a 5 to 55 dB-Hz grid.
class CSatelliteSignalLevelView : public CChannelViewBase {
protected:
    void OnDraw(QPainter& painter, const QRect& rect) override;
};
