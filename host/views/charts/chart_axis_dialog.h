#pragma once
#include <QDialog>
#include <array>

#include "host/views/charts/chart_axis.h"
#include "shared/page_listener.h"

class CMessageFormPage;
class CStorageDatabase;

// The chart's axis properties on their template: each axis's value and unit, and the range in
// view, which the user may type in either order. Angles are shown and typed in degrees. OK keeps
// the dialog open while a number is not one.
class CChartAxisDialog : public QDialog, private IPageListener {
public:
    struct Range {
        double low;
        double high;
    };

    // axes: X then Y.
    CChartAxisDialog(const CStorageDatabase& database, const std::array<ChartAxis, 2>& axes, QWidget* parent);

    // The ranges typed, X then Y, in stored units and in order; meaningful once accepted.
    const std::array<Range, 2>& Ranges() const { return ranges; }
    CMessageFormPage& Page() const { return *page; }

    void accept() override;

private:
    void OnControlChanged(int controlId) override;
    bool ReadRange(int axis, int lowId, int highId);

    CMessageFormPage* page;
    std::array<double, 2> scales{};
    std::array<Range, 2> ranges{};
};

// Stored units per unit shown: a degree for angles, else 1.
double DisplayScale(const CStorageDatabase& database, const ChartAxis& axis);
