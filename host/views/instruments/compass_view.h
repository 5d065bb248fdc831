#pragma once
#include "host/views/instruments/instrument_view.h"

// The compass: a course-up rose that turns with the course over ground, so that the direction of
// travel points straight up, with the course below it.
class CCompassView : public CInstrumentView {
public:
    CCompassView();

protected:
    double ReadingOf(const CStorageValue& value) const override;
    std::vector<std::u16string> TextsOf(const CStorageValue& value) const override;
    void OnDraw(QPainter& painter, const QRect& rect) override;
};
