#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "host/views/mem_dc_view.h"

class CStorageValue;

// The compact data panel: position, speed, time, date, fix and the two dilutions of precision
// in nine labelled rows, the DOPs also as bars on a common scale.
class CDataView : public CMemDCView {
public:
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;

    // The text of each row as it would be drawn now, top to bottom.
    std::array<std::u16string, 9> RowTexts() const;

protected:
    void OnPrepareDC(QPainter& painter) override;
    void OnDraw(QPainter& painter, const QRect& rect) override;

private:
    enum Value { LATITUDE, LONGITUDE, ALTITUDE, UTC, SPEED, PDOP, HDOP, NAV_MODE, NAV_VALID, DGPS, VALUE_COUNT };

    void LookUpValues();
    bool AnyValueChanged() const;
    // NaN when the value is absent or never had one.
    double Current(Value which) const;
    std::u16string FormattedWithUnit(Value which) const;
    std::u16string TimeText(const char16_t* format) const;
    void DrawDopBar(QPainter& painter, const QRect& cell, double value, int scale, const std::u16string& text);

    std::array<CStorageValue*, VALUE_COUNT> values{};
};
