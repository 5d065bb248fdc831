#pragma once
#include <QImage>
#include <functional>

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

// The pixel size of a drawing view's text in its pane: the largest from 8 to 24 points of the
// screen at which fits holds, the smallest when it holds for none. fits must hold for every size
// below one that it holds for.
int PaneTextPixels(const ScreenDensity& density, const std::function<bool(int pixels)>& fits);
