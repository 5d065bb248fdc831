#pragma once
#include <QColor>
#include <QRect>

class QPainter;

// Outlines and lines of the drawing views, exactly on the pixels they name, whatever the
// painter's antialiasing.

// The outline of rect, on its outermost pixels.
void DrawFrame(QPainter& painter, const QRect& rect, const QColor& color);
// A line of one pixel from x1 to x2 (both included) at y.
void DrawHorizontalLine(QPainter& painter, int x1, int x2, int y, const QColor& color);
