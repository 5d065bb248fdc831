#pragma once
#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "host/views/view.h"

class CAltitudeMeterView;
class CCompassView;
class CDataView;
class CSatellitePosView;
class CSatelliteSignalLevelView;
class CSpeedMeterView;
class CWatchView;

// Where the panes of the summary forms go in a client area of W x H (halves are integer halves,
// so an odd size leaves the last column or row uncovered).
// SV summary: sky plot top left, data panel top right, signal levels across the bottom half.
std::array<QRect, 3> SvSummaryLayout(int width, int height);
// NAV summary: compass, speed, altitude and watch in the four quarters, left to right, top down.
std::array<QRect, 4> NavSummaryLayout(int width, int height);

// A form that shows several small views at once, each in a placeholder of the form's template.
// The placeholders are there from the start, hidden and black; a form shows its own and puts a
// view into each. A view that cannot be created leaves its placeholder as an empty black panel.
class CMainForm : public CView {
public:
    // The names of the template's seven placeholders.
    static constexpr std::array<const char*, 7> kPlaceholderNames = {"SatPos",   "Data",    "SatLevel", "Speed",
                                                                     "Compass", "Altitude", "Watch"};

    // The views are made here, once, when the form is first shown.
    void OnInitialUpdate() override;

    QWidget* Placeholder(const char* name) const;
    // The view in the form's pane, in the order the form lists them; null when it could not be made.
    CView* PaneView(size_t pane) const { return pane < views.size() ? views[pane] : nullptr; }

protected:
    // The view class of a pane; an empty factory or a null result leaves the pane empty.
    struct Pane {
        const char* placeholder;
        std::function<std::unique_ptr<CView>()> create;
    };
    using Layout = std::function<std::vector<QRect>(int width, int height)>;

    CMainForm(std::vector<Pane> panes, Layout layout);
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreatePlaceholders();
    void CreatePaneViews();
    void PlacePanes();

    std::vector<Pane> panes;
    Layout layout;
    std::vector<QWidget*> placeholders;
    std::vector<CView*> views;
};

// "SV Summary", the start-up view: sky plot, data panel and signal levels.
class CMainFormSVInfo : public CMainForm {
public:
    CMainFormSVInfo();

    CSatellitePosView* SatellitePosition() const;
    CDataView* Data() const;
    CSatelliteSignalLevelView* SignalLevel() const;
};

// "NAV Summary": compass, speed, altitude and watch.
class CMainFormNAVInfo : public CMainForm {
public:
    CMainFormNAVInfo();

    CCompassView* Compass() const;
    CSpeedMeterView* Speed() const;
    CAltitudeMeterView* Altitude() const;
    CWatchView* Watch() const;
};
