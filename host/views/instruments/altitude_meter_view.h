#pragma once
#include "host/views/instruments/instrument_view.h"

// The altimeter: the altitude above the ellipsoid on a dial with two hands, numerals 0 to 9 of a
// scale of metres that grows by tens with the altitude.
class CAltitudeMeterView : public CInstrumentView {
public:
    CAltitudeMeterView();

protected:
    double ReadingOf(const CStorageValue& value) const override;
    void OnDraw(QPainter& painter, const QRect& rect) override;
};
