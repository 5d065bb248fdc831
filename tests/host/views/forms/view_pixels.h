#pragma once
// Questions that the drawing views' tests ask of a rendered picture.
#include <QColor>
#include <QImage>
#include <QRect>

inline int CountPixels(const QImage& image, const QRect& area, const QColor& color) {
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (image.pixelColor(x, y) == color) ++count;
    return count;
}

inline bool HasColor(const QImage& image, const QRect& area, const QColor& color) {
    return CountPixels(image, area, color) > 0;
}
