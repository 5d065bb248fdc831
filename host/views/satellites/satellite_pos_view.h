#pragma once
#include <array>
#include <cstdint>

#include "host/views/mem_dc_view.h"
#include "shared/satellite_slots.h"

// The sky plot: every satellite with a fresh, non-negative elevation and an azimuth as a symbol in
// its state's colour on a polar chart of the sky.
class CSatellitePosView : public CMemDCView {
public:
    // What the plot shows of a slot; radians.
    struct Satellite {
        bool visible = false;
        double elevation = 0;
        double azimuth = 0;
        int state = 0;

        bool operator==(const Satellite&) const = default;
    };

    // Reads the satellites at once: a view opened while no data arrives still shows them.
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;

    const Satellite& Shown(int slot) const { return satellites.at(static_cast<size_t>(slot)); }

protected:
    void OnDraw(QPainter& painter, const QRect& rect) override;

private:
    // True when anything shown changed.
    bool ReadSatellites();
    Satellite ReadSatellite(int slot) const;

    std::array<Satellite, kSatelliteSlots> satellites{};
};
