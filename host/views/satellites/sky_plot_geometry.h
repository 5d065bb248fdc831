#pragma once
#include <QPoint>
#include <QSize>

// Geometry of the sky plot: a polar chart with the zenith in the centre and the horizon on the
// outer circle, north up.

struct SkyPlotFrame {
    QPoint centre;
    int radius;
};

// The horizon circle in a client area of the size: a margin of a tenth of the half size, at
// least 8 pixels, around it.
SkyPlotFrame SkyPlotFrameOf(int width, int height);

// A length of a 96-dots-per-inch design on a screen of dpi, rounded half away from zero.
int ScaleToDpi(int value, int dpi);

// A satellite's symbol: a filled circle with a panel to each side, and its label's size.
struct SkySymbolSize {
    int circleRadius;
    int panelSpan;
    int labelPoints;

    bool operator==(const SkySymbolSize&) const = default;
};
// The smallest symbol on a plot of the radius, and the size of every label.
SkySymbolSize SkySymbolSizeOf(int plotRadius, int dpi);
// The symbol around a label whose ink is label big: its circle holds the label with a pixel to
// spare and is never smaller than base's; the panels keep their distance in proportion.
SkySymbolSize SymbolAround(const SkySymbolSize& base, QSize label);
// Half the height of a panel: nine tenths of its span, truncated.
int PanelHalfHeight(int panelSpan);

// Where a satellite at elevation and azimuth (radians) stands; elevations above the zenith are
// taken as the zenith.
QPoint SkyPoint(const SkyPlotFrame& frame, double elevation, double azimuth);
