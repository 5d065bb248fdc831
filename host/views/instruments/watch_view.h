#pragma once
#include "host/views/instruments/instrument_view.h"

// The watch: an analogue face with hour, minute and second hands at the receiver's UTC time, and
// the time ("%H:%M:%s") and date ("%m/%d/%Y") below it.
class CWatchView : public CInstrumentView {
public:
    CWatchView();

protected:
    double ReadingOf(const CStorageValue& value) const override;
    std::vector<std::u16string> TextsOf(const CStorageValue& value) const override;
    void OnDraw(QPainter& painter, const QRect& rect) override;
};
