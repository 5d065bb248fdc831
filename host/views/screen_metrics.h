#pragma once
#include <QFont>
#include <string_view>

// Pixel densities of the screen, read once at start-up, by which views scale what they draw.
struct ScreenDensity {
    int x = 96;
    int y = 96;

    static ScreenDensity OfPrimaryScreen();
    // Length in pixels of points (1/72 inch) vertically.
    int PointsToPixels(int points) const { return points * y / 72; }
};

// The handheld's faces ("Arial", "Tahoma", "Courier New") by name; where the desktop lacks them,
// its own sans-serif or fixed-pitch face stands in.
QFont RequestFont(std::u16string_view face, int pixelHeight, bool bold = false);

// The frame's text font that the drawing views share for their labels and values.
QFont SharedTextFont(const ScreenDensity& density);
