#include "screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>

ScreenDensity ScreenDensity::OfPrimaryScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    return {qRound(screen->logicalDotsPerInchX()), qRound(screen->logicalDotsPerInchY())};
}

QFont RequestFont(std::u16string_view face, int pixelHeight, bool bold) {
    QFont font(QString::fromUtf16(face.data(), static_cast<qsizetype>(face.size())));
    font.setStyleHint(face == u"Courier New" ? QFont::TypeWriter : QFont::SansSerif);
    font.setPixelSize(qMax(pixelHeight, 1));
    font.setBold(bold);
    return font;
}

QFont SharedTextFont(const ScreenDensity& density) { return RequestFont(u"Tahoma", density.PointsToPixels(9)); }
