#pragma once
#include <QImage>
#include <cstdint>

#include "host/core/maps/deviation_settings.h"
#include "host/views/command_state.h"
#include "host/views/view.h"

class CStorageValueStatistics;

// How far the positions scatter around a reference point: a square plot, north up, whose half
// stands for the maximum deviation, with rings, one point per epoch of the history, the current
// position and, on request, lines of the statistics. The context menu switches the points and the
// statistics, copies the picture and opens the properties.
class CDeviationMapView : public CView, public ICommandTarget {
public:
    // Reads the four settings of "View\\Deviation".
    bool OnCreate() override;
    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;
    CommandState QueryCommand(unsigned command) override;
    void OnCommand(unsigned command) override;

    // The reference of the mode: the average or the current position, or the fixed point.
    void UpdateReference();
    // The properties dialog; confirmed, the settings are stored. True when confirmed.
    bool EditProperties();

    const DeviationSettings& Settings() const { return settings; }
    bool ShowsPoints() const { return showPoints; }
    bool ShowsStatistics() const { return showStatistics; }
    // What Copy puts on the clipboard: the plot on a white background.
    QImage Picture();

protected:
    std::span<uint8_t> ViewStateBlock() override;
    void ApplyViewState() override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Draw(QPainter& painter, const QRect& rect, const QColor& background, const QColor& ink);
    void DrawRings(QPainter& painter, const DeviationPlot& plot, const QColor& ink);
    void DrawPoints(QPainter& painter, const DeviationPlot& plot);
    void DrawStatistics(QPainter& painter, const DeviationPlot& plot);
    void DrawPosition(QPainter& painter, const DeviationPlot& plot);
    const CStorageValueStatistics* Entry(uint16_t id) const;
    int Margin() const;

    DeviationSettings settings;
    bool showPoints = true;
    bool showStatistics = false;
};
