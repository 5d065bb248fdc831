#pragma once
#include "host/views/instruments/instrument_view.h"

// The speedometer: the speed over ground in km/h on a dial of 0 to 250 km/h, with the value's
// short name and the reading below it, in red beyond full scale.
class CSpeedMeterView : public CInstrumentView {
public:
    CSpeedMeterView();

protected:
    double ReadingOf(const CStorageValue& value) const override;
    std::vector<std::u16string> TextsOf(const CStorageValue& value) const override;
    void OnDraw(QPainter& painter, const QRect& rect) override;
};
