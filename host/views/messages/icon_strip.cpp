#include "icon_strip.h"

#include <QImage>
#include <QPixmap>

namespace {

constexpr uint32_t kRgbBits = 0x00FFFFFF;

QImage StripImage(const BitmapResource& strip) {
    const int width = strip.iconWidth * strip.iconCount;
    QImage image(width, strip.iconHeight, QImage::Format_ARGB32);
    // The mask colour names a colour; the alpha byte of the strip's pixels does not take part.
    const uint32_t mask = strip.maskColor & kRgbBits;
    for (int y = 0; y < strip.iconHeight; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel =
                strip.pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
            image.setPixel(x, y, (pixel & kRgbBits) == mask ? 0u : pixel);
        }
    return image;
}

}  // namespace

std::vector<QIcon> CutIconStrip(const BitmapResource& strip) {
    std::vector<QIcon> icons;
    if (!strip.pixels || strip.iconWidth <= 0 || strip.iconHeight <= 0) return icons;
    const QImage image = StripImage(strip);
    for (int i = 0; i < strip.iconCount; ++i)
        icons.emplace_back(QPixmap::fromImage(image.copy(i * strip.iconWidth, 0, strip.iconWidth, strip.iconHeight)));
    return icons;
}
