#pragma once
#include <QIcon>
#include <vector>

#include "shared/dialog_template.h"

// The icons of a strip, cut apart from left to right; pixels of the strip's mask colour are
// transparent.
std::vector<QIcon> CutIconStrip(const BitmapResource& strip);
