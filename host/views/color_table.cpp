#include "color_table.h"

#include "platform/profile.h"
#include "platform/text.h"

namespace {

constexpr char16_t kSection[] = u"Colors";

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }

constexpr std::array<uint32_t, CColorTable::kCount> kDefaults = {
    Rgb(192, 0, 0),     Rgb(0, 0, 192),   Rgb(0, 192, 192), Rgb(0, 192, 0),     Rgb(255, 0, 0),
    Rgb(0, 0, 255),     Rgb(0, 255, 255), Rgb(0, 255, 0),   Rgb(255, 192, 0),   Rgb(255, 255, 0),
    Rgb(192, 192, 192), Rgb(0, 0, 0),     Rgb(255, 0, 255), Rgb(255, 192, 192), Rgb(64, 64, 64)};

std::u16string KeyOf(int index) { return platform::FormatW(u"Color%02d", index); }

}  // namespace

CColorTable::CColorTable() : values(kDefaults) {}

void CColorTable::Load(const platform::CProfile& profile) {
    for (int i = 0; i < kCount; ++i)
        values[static_cast<size_t>(i)] = static_cast<uint32_t>(
            profile.GetInt(kSection, KeyOf(i), static_cast<int>(kDefaults[static_cast<size_t>(i)])));
}

void CColorTable::Save(platform::CProfile& profile) const {
    for (int i = 0; i < kCount; ++i) profile.WriteInt(kSection, KeyOf(i), static_cast<int>(Value(i)));
}

QColor CColorTable::Color(int index) const {
    const uint32_t value = Value(index);
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>(value >> 8 & 0xFF),
                  static_cast<int>(value >> 16 & 0xFF));
}
