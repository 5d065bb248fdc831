#pragma once
// Questions that the drawing views' tests ask of a rendered picture.
#include <QColor>
#include <QImage>
#include <QRect>

template <typename Predicate>
int CountPixelsWhere(const QImage& image, const QRect& area, Predicate matches) {
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (matches(image.pixelColor(x, y))) ++count;
    return count;
}

inline int CountPixels(const QImage& image, const QRect& area, const QColor& color) {
    return CountPixelsWhere(image, area, [&](const QColor& pixel) { return pixel == color; });
}

inline bool HasColor(const QImage& image, const QRect& area, const QColor& color) {
    return CountPixels(image, area, color) > 0;
}

// Antialiased text: pixels at least as light as lightness (0 to 255).
inline int CountLightPixels(const QImage& image, const QRect& area, int lightness) {
    return CountPixelsWhere(image, area, [&](const QColor& pixel) { return pixel.lightness() >= lightness; });
}
