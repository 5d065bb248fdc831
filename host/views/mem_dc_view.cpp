#include "mem_dc_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kSmallestTextPoints = 8;
constexpr int kLargestTextPoints = 24;
}  // namespace

CMemDCView::CMemDCView() {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void CMemDCView::OnPrepareDC(QPainter& painter) { painter.setRenderHint(QPainter::Antialiasing); }

void CMemDCView::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (offscreen.size() != pixels || offscreen.devicePixelRatioF() != ratio) {
        offscreen = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        offscreen.setDevicePixelRatio(ratio);
    }
    {
        QPainter memory(&offscreen);
        OnPrepareDC(memory);
        OnDraw(memory, rect());
    }
    QPainter screen(this);
    screen.drawImage(0, 0, offscreen);
}

void CMemDCView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        CView::mousePressEvent(event);
}

int PaneTextPixels(const ScreenDensity& density, const std::function<bool(int pixels)>& fits) {
    int fitting = density.PointsToPixels(kSmallestTextPoints);
    int tooLarge = density.PointsToPixels(kLargestTextPoints) + 1;
    while (tooLarge - fitting > 1) {
        const int middle = (fitting + tooLarge) / 2;
        (fits(middle) ? fitting : tooLarge) = middle;
    }
    return fitting;
}
