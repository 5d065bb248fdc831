#include "pending_instrument_view.h"

#include <QFontMetrics>
#include <QPainter>

#include "host/views/color_table.h"
#include "host/views/qt_text.h"
#include "resources/veltro/strings.h"

namespace {

QFont PaneFont(int pixels) { return RequestFont(u"Arial", pixels); }

}  // namespace

QFont PendingInstrumentFont(QSize pane, const QString& text, const ScreenDensity& density) {
    const auto fits = [&](int pixels) {
        const QSize size = QFontMetrics(PaneFont(pixels)).boundingRect(QRect(), Qt::AlignCenter, text).size();
        return 5 * size.width() <= 4 * pane.width() && 2 * size.height() <= pane.height();
    };
    return PaneFont(PaneTextPixels(density, fits));
}

CPendingInstrumentView::CPendingInstrumentView(std::u16string instrument) : name(std::move(instrument)) {}

void CPendingInstrumentView::OnUpdate(CView*, uint32_t, CMessageNode*) {}

QString CPendingInstrumentView::Text() const {
    return ToQString(name) + u'\n' + QString::fromUtf16(kInstrumentFollows);
}

void CPendingInstrumentView::OnDraw(QPainter& painter, const QRect& rect) {
    const CColorTable& colors = Context().colors;
    painter.fillRect(rect, colors.Color(CColorTable::kBackground));
    painter.setPen(colors.Color(CColorTable::kScale));
    painter.setFont(PendingInstrumentFont(rect.size(), Text(), Context().density));
    painter.drawText(rect, Qt::AlignCenter, Text());
}
