#pragma once
#include <QImage>

#include "host/views/view.h"

class QPainter;

// Base of the views that paint themselves: the whole client area is drawn off screen and copied
// to the screen in one step, so that a redraw never flickers. The background is never erased
// for it, and a left button press is swallowed.
class CMemDCView : public CView {
public:
    CMemDCView();

protected:
    virtual void OnPrepareDC(QPainter& painter);
    // Must paint every pixel of rect.
    virtual void OnDraw(QPainter& painter, const QRect& rect) = 0;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Kept between paints; only a new size or pixel ratio makes a new one.
    QImage offscreen;
};
