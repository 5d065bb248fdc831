#include "instrument_view.h"

#include <QFontMetrics>
#include <QPainter>

#include "host/core/intake/veltro_doc.h"
#include "host/views/color_table.h"
#include "shared/storage_values.h"

namespace {
constexpr int kTextInset = 2;
}  // namespace

CInstrumentView::CInstrumentView(uint16_t id) : valueId(id) {}

void CInstrumentView::OnInitialUpdate() { OnUpdate(nullptr, HINT_NEW_DOCUMENT | HINT_FORCED, nullptr); }

void CInstrumentView::OnUpdate(CView*, uint32_t hint, CMessageNode*) {
    if (!IsWindow()) return;
    bool repaint = false;
    if (hint & HINT_NEW_DOCUMENT) {
        value = Document().Database().FindAs<CStorageValue>(valueId);
        reading = NAN;
        texts.clear();
        repaint = true;
    }
    const bool changed = (hint & HINT_REFRESH_DUE) && (hint & HINT_VALUES) && value && value->IsChanged();
    if ((hint & HINT_FORCED) || changed) {
        Read();
        repaint = true;
    }
    if (repaint) update();
}

void CInstrumentView::Read() {
    reading = value ? ReadingOf(*value) : NAN;
    texts = HasReading() ? TextsOf(*value) : std::vector<std::u16string>{};
}

std::vector<std::u16string> CInstrumentView::TextsOf(const CStorageValue& shown) const {
    return {shown.FormatCurrent() + u" " + shown.GetUnit()};
}

QColor CInstrumentView::Color(int index) const { return Context().colors.Color(index); }

QFont CInstrumentView::TextFont() const { return SharedTextFont(Context().density); }

namespace instrument {

void DrawTick(QPainter& painter, const Dial& dial, QPointF outer, double reach) {
    const QPointF centre = dial.centre;
    painter.drawLine(centre, centre + (outer - centre) * reach);
}

void CoverTicks(QPainter& painter, const Dial& dial, const QColor& background) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawEllipse(QPointF(dial.centre), 0.6 * dial.radius, 0.6 * dial.radius);
}

void DrawHand(QPainter& painter, const Dial& dial, QPointF tip, const QColor& color) {
    QPen pen(color, 0.05 * dial.radius);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(color);
    painter.drawPolygon(HandTriangle(dial.centre, tip, 0.075 * dial.radius));
}

void DrawHub(QPainter& painter, const Dial& dial, const QColor& scale, const QColor& background) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(scale);
    painter.drawEllipse(QPointF(dial.centre), 0.125 * dial.radius, 0.125 * dial.radius);
    painter.setBrush(background);
    painter.drawEllipse(QPointF(dial.centre), 0.075 * dial.radius, 0.075 * dial.radius);
}

void DrawCentred(QPainter& painter, QPointF at, const QString& text) {
    const QRectF box(at.x() - 1000, at.y() - 1000, 2000, 2000);
    painter.drawText(box, Qt::AlignCenter | Qt::TextDontClip, text);
}

void DrawBottom(QPainter& painter, const QRect& client, Qt::Alignment side, const QString& text) {
    const QRect inset = client.adjusted(kTextInset, kTextInset, -kTextInset, -kTextInset);
    painter.drawText(inset, side | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextDontClip, text);
}

}  // namespace instrument
