#pragma once
#include <string>

#include "platform/export.h"

// Prints one number with a printf-style format taken from the catalogue or the profile. The
// format must hold exactly one floating-point conversion (flags, width and precision allowed)
// besides literal text and "%%"; anything else, which could read arguments that are not there,
// falls back to "%f". Always in the C locale.
VELTRO_EXPORT std::u16string FormatNumber(const std::u16string& format, double value);
VELTRO_EXPORT bool IsSingleNumberFormat(const std::u16string& format);
