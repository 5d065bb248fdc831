#include "pixel_drawing.h"

#include <QPainter>

void DrawFrame(QPainter& painter, const QRect& rect, const QColor& color) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    DrawHorizontalLine(painter, rect.left(), rect.right(), rect.top(), color);
    DrawHorizontalLine(painter, rect.left(), rect.right(), rect.bottom(), color);
    painter.fillRect(rect.left(), rect.top(), 1, rect.height(), color);
    painter.fillRect(rect.right(), rect.top(), 1, rect.height(), color);
}

void DrawHorizontalLine(QPainter& painter, int x1, int x2, int y, const QColor& color) {
    if (x2 >= x1) painter.fillRect(x1, y, x2 - x1 + 1, 1, color);
}
