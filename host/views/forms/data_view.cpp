#include "data_view.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

#include "host/core/intake/veltro_doc.h"
#include "host/views/color_table.h"
#include "host/views/forms/data_view_layout.h"
#include "host/views/forms/navigation_status.h"
#include "host/views/qt_text.h"
#include "host/views/satellites/pixel_drawing.h"
#include "platform/text.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"

namespace {

constexpr int kCellFrameColor = 14;
constexpr int kBarHeight = 3;
constexpr int kTextPadding = 2;
constexpr int kBarTextGap = 3;
// A text wider or higher than its cell is drawn whole, spilling over its neighbours.
constexpr auto kTextFlags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;

constexpr uint16_t kValueIds[] = {entry::kLatitude,    entry::kLongitude,      entry::kHeightAboveEllipsoid,
                                  entry::kUtc,         entry::kSpeedOverGround, entry::kPdop,
                                  entry::kHdop,        entry::kNavigationMode, entry::kNavigationValid,
                                  entry::kDgpsUsed};

bool HasValue(const CStorageValue* value) { return value && (value->IsValid() || value->Count() > 0); }

}  // namespace

void CDataView::OnInitialUpdate() { OnUpdate(nullptr, HINT_NEW_DOCUMENT | HINT_FORCED, nullptr); }

void CDataView::OnUpdate(CView*, uint32_t hint, CMessageNode*) {
    if (!IsWindow()) return;
    if (hint & HINT_NEW_DOCUMENT) LookUpValues();
    const bool refreshDue = (hint & HINT_REFRESH_DUE) &&
                            ((hint & HINT_VALUES) || Document().Database().Channels().IsChanged() || AnyValueChanged());
    if ((hint & HINT_FORCED) || refreshDue || hint == HINT_NEW_DOCUMENT) update();
}

void CDataView::LookUpValues() {
    const CStorageDatabase& database = Document().Database();
    for (int i = 0; i < VALUE_COUNT; ++i) values[i] = database.FindAs<CStorageValue>(kValueIds[i]);
}

bool CDataView::AnyValueChanged() const {
    for (const CStorageValue* value : values)
        if (value && value->IsChanged()) return true;
    return false;
}

double CDataView::Current(Value which) const {
    return HasValue(values[which]) ? values[which]->GetValue() : NAN;
}

std::u16string CDataView::FormattedWithUnit(Value which) const {
    const CStorageValue* value = values[which];
    return HasValue(value) ? value->FormatCurrent() + u" " + value->GetUnit() : std::u16string();
}

std::u16string CDataView::TimeText(const char16_t* format) const {
    const CStorageValue* value = values[UTC];
    if (!HasValue(value) || !value->IsKindOf(CStorageValueStatisticsTimeUTC::StaticClass())) return {};
    return static_cast<const CStorageValueStatisticsTimeUTC*>(value)->FormatWith(format, value->GetValue());
}

std::array<std::u16string, kDataRowCount> CDataView::RowTexts() const {
    const auto formatted = [this](Value which) { return HasValue(values[which]) ? values[which]->FormatCurrent() : u""; };
    return {FormattedWithUnit(LONGITUDE),
            FormattedWithUnit(LATITUDE),
            FormattedWithUnit(ALTITUDE),
            SpeedText(Current(SPEED)),
            TimeText(u"%H:%M:%s"),
            TimeText(u"%m/%d/%Y"),
            FixText(Current(NAV_VALID), formatted(NAV_MODE), Current(DGPS)),
            formatted(PDOP),
            formatted(HDOP)};
}

void CDataView::OnPrepareDC(QPainter& painter) { painter.setRenderHint(QPainter::Antialiasing, false); }

void CDataView::OnDraw(QPainter& painter, const QRect& rect) {
    const CColorTable& colors = Context().colors;
    painter.fillRect(rect, colors.Color(CColorTable::kBackground));
    const QRect inner = DataPanelInner(rect);
    painter.setFont(DataPanelFont(inner, Context().density));
    const QFontMetrics metrics(painter.font());
    const int rowHeight = metrics.height();
    const int labelWidth = DataLabelWidth(metrics);

    const std::array<std::u16string, kDataRowCount> texts = RowTexts();
    const double pdop = DopBarValue(Current(PDOP));
    const double hdop = DopBarValue(Current(HDOP));
    const int scale = DopScale(pdop, hdop);
    for (int row = 0; row < kDataRowCount; ++row) {
        const QRect cell = DataCell(inner, labelWidth, rowHeight, row);
        painter.setPen(colors.Color(CColorTable::kScale));
        painter.drawText(QRect(inner.left(), cell.top(), labelWidth, rowHeight), Qt::AlignLeft | kTextFlags,
                         QString::fromUtf16(kDataLabels[row]));
        DrawFrame(painter, cell, colors.Color(kCellFrameColor));
        const double bar = row == ROW_PDOP ? pdop : row == ROW_HDOP ? hdop : 0.0;
        if (bar > 0) {
            DrawDopBar(painter, cell, bar, scale, texts[row]);
            continue;
        }
        if (row == ROW_FIX) painter.setPen(colors.Color(NavigationStatusColor(Document().Database())));
        painter.drawText(cell.adjusted(0, 0, -kTextPadding, 0), Qt::AlignRight | kTextFlags, ToQString(texts[row]));
    }
}

void CDataView::DrawDopBar(QPainter& painter, const QRect& cell, double value, int scale, const std::u16string& text) {
    const QRect inside = cell.adjusted(kTextPadding, 0, -kTextPadding, 0);
    painter.drawText(inside, Qt::AlignLeft | kTextFlags, QStringLiteral("0"));
    painter.drawText(inside, Qt::AlignRight | kTextFlags, ToQString(platform::FormatW(u"%i", scale)));
    const int length = DopBarLength(cell.width(), value, scale);
    const QRect bar(cell.left(), cell.bottom() - kBarHeight, length, kBarHeight);
    DrawFrame(painter, bar, Context().colors.Color(CColorTable::kScale));
    painter.drawText(QRect(bar.right() + 1 + kBarTextGap, cell.top(), cell.width(), cell.height()),
                     Qt::AlignLeft | kTextFlags, ToQString(text));
}
