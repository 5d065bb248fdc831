#include "label_color.h"

#include <cmath>

namespace {

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// Contrast ratios of white and black against a fill of luminance l are (1.05) / (l + 0.05) and
// (l + 0.05) / 0.05; they are equal at this luminance.
const double kEqualContrast = std::sqrt(1.05 * 0.05) - 0.05;

}  // namespace

double RelativeLuminance(const QColor& color) {
    return 0.2126 * Linear(color.redF()) + 0.7152 * Linear(color.greenF()) + 0.0722 * Linear(color.blueF());
}

QColor LabelColorOn(const QColor& fill) { return RelativeLuminance(fill) < kEqualContrast ? Qt::white : Qt::black; }
