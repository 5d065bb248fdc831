#pragma once
#include <QColor>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "host/views/instruments/instrument_geometry.h"
#include "host/views/mem_dc_view.h"

class CStorageValue;

// Base of the instruments that show one database value: the speedometer, the altimeter, the
// compass and the watch. It keeps the number it draws and the texts that go with it; after
// HINT_NEW_DOCUMENT it shows no reading until it reads the value again.
class CInstrumentView : public CMemDCView {
public:
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;

    // The number drawn now, NaN for no reading, and its texts (none without a reading).
    double Shown() const { return reading; }
    const std::vector<std::u16string>& Texts() const { return texts; }
    bool HasReading() const { return !std::isnan(reading); }

protected:
    explicit CInstrumentView(uint16_t valueId);

    // The value's current number as the instrument draws it: NaN where it is no reading.
    virtual double ReadingOf(const CStorageValue& value) const = 0;
    // The texts of a reading; by default the formatted value, a blank and its unit.
    virtual std::vector<std::u16string> TextsOf(const CStorageValue& value) const;

    QColor Color(int index) const;
    // The instruments' text font and the height of one of its lines.
    QFont TextFont() const;

private:
    void Read();

    uint16_t valueId;
    const CStorageValue* value = nullptr;
    double reading = NAN;
    std::vector<std::u16string> texts;
};

// What the dials share, in the instruments' colours.
namespace instrument {

inline constexpr int kWarning = 4;

// A radial line from the centre to reach·R in the direction of the point at radius R.
void DrawTick(QPainter& painter, const Dial& dial, QPointF outer, double reach);
// The disc of 0.6·R in the background colour that covers the inner part of the ticks.
void CoverTicks(QPainter& painter, const Dial& dial, const QColor& background);
// A hand to the tip, ±0.075·R at the centre, with a pen 0.05·R wide.
void DrawHand(QPainter& painter, const Dial& dial, QPointF tip, const QColor& color);
// The hub over the hands' roots: circles of 0.125·R and 0.075·R.
void DrawHub(QPainter& painter, const Dial& dial, const QColor& scale, const QColor& background);
// Text centred on a point.
void DrawCentred(QPainter& painter, QPointF at, const QString& text);
// Text at the bottom left or right of the client area, inset 2 pixels.
void DrawBottom(QPainter& painter, const QRect& client, Qt::Alignment side, const QString& text);

}  // namespace instrument
