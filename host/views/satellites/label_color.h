#pragma once
#include <QColor>

// The colour of a number drawn on a fill: white or black, whichever contrasts more with the fill
// by its relative luminance, so that a label stays readable on any state colour.
QColor LabelColorOn(const QColor& fill);

// Relative luminance of an sRGB colour, from 0 (black) to 1 (white).
double RelativeLuminance(const QColor& color);
