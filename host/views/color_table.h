#pragma once
#include <QColor>
#include <array>
#include <cstdint>

namespace platform {
class CProfile;
}

// The 15 colours that every drawing view reads by index, kept in the section "Colors" as
// "Color00" ... "Color14" in the handheld's 0x00BBGGRR form. Only the settings file changes them.
class CColorTable {
public:
    static constexpr int kCount = 15;
    static constexpr int kBackground = 11;
    static constexpr int kScale = 10;
    static constexpr int kRejectedInput = 13;

    CColorTable();

    // A missing value keeps its default.
    void Load(const platform::CProfile& profile);
    void Save(platform::CProfile& profile) const;

    uint32_t Value(int index) const { return values.at(static_cast<size_t>(index)); }
    QColor Color(int index) const;

private:
    std::array<uint32_t, kCount> values;
};
