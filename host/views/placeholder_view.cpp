#include "placeholder_view.h"

#include <QPainter>
#include <ctime>

#include "host/core/app/app_identity.h"
#include "host/core/intake/veltro_doc.h"
#include "host/views/color_table.h"
#include "host/views/qt_text.h"
#include "platform/text.h"
#include "resources/veltro/strings.h"

void CPlaceholderView::OnInitialUpdate() { Refresh(); }

void CPlaceholderView::OnUpdate(CView*, uint32_t hint, CMessageNode*) {
    if ((hint & (HINT_FORCED | HINT_NEW_DOCUMENT)) || ((hint & HINT_REFRESH_DUE) && (hint & HINT_VALUES))) Refresh();
}

void CPlaceholderView::Refresh() {
    const std::u16string connection = Context().host.ConnectionText();
    if (Document().LastEpochTime() == shownEpochTime && connection == shownConnection) return;
    shownEpochTime = Document().LastEpochTime();
    shownConnection = connection;
    update();
}

std::u16string CPlaceholderView::TimeText() const {
    if (shownEpochTime < 0) return kPlaceholderNoTime;
    const std::time_t seconds = static_cast<std::time_t>(shownEpochTime);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    return platform::FormatW(kPlaceholderTime, utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min,
                             utc.tm_sec);
}

void CPlaceholderView::OnDraw(QPainter& painter, const QRect& rect) {
    const CColorTable& colors = Context().colors;
    painter.fillRect(rect, colors.Color(CColorTable::kBackground));
    painter.setPen(colors.Color(CColorTable::kScale));

    const ScreenDensity& density = Context().density;
    const int titleHeight = density.PointsToPixels(20);
    const int lineHeight = density.PointsToPixels(10);
    QRect line(rect.left(), rect.center().y() - titleHeight, rect.width(), titleHeight);
    painter.setFont(RequestFont(u"Arial", titleHeight, true));
    painter.drawText(line, Qt::AlignCenter, QString::fromUtf16(kAppTitle));

    painter.setFont(RequestFont(u"Tahoma", lineHeight));
    line = QRect(rect.left(), line.bottom() + lineHeight, rect.width(), lineHeight * 3 / 2);
    painter.drawText(line, Qt::AlignCenter, ToQString(shownConnection));
    line.translate(0, line.height());
    painter.drawText(line, Qt::AlignCenter, ToQString(TimeText()));
}
