#pragma once
#include <QPointer>
#include <array>
#include <string>
#include <vector>

#include "host/views/charts/chart_axis.h"
#include "host/views/charts/chart_axis_dialog.h"
#include "host/views/charts/chart_plot.h"
#include "host/views/charts/chart_state.h"
#include "host/views/command_state.h"
#include "host/views/mem_dc_view.h"

class CStorageValueStatistics;
class CViewToolBar;
class QComboBox;
class QScrollBar;

// One database value against another, or against the epoch index, over the epoch history: the
// values chosen in the toolbar's lists, zoomed and panned with the stylus and the scroll bars,
// points and lines drawn as chosen, the statistics on request. Each setup joins the chart recent
// list when the view closes.
class CChartView : public CMemDCView, public ICommandTarget {
public:
    enum AxisIndex { kX = 0, kY = 1 };

    CChartView();
    ~CChartView() override;

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;
    QToolBar* CreateViewToolBar(QWidget* parent) override;

    CommandState QueryCommand(unsigned command) override;
    void OnCommand(unsigned command) override;
    // Runs the command if its update handler enables it, as the menu and toolbar do.
    void RunCommand(unsigned command);

    const ChartAxis& Axis(AxisIndex axis) const { return axes[axis]; }
    const ChartSettings& Settings() const { return settings; }
    // Null until the toolbar is created, and after the frame destroyed it.
    QComboBox* ValueList(AxisIndex axis) const;
    // The user confirms entry index of an axis's list; the first entry is the index.
    void PickValue(AxisIndex axis, int index);
    QScrollBar& ScrollBar(AxisIndex axis) const { return *scrollBars[axis]; }
    QRect PlotArea() const;
    // The open axis properties dialog; null when none is open.
    CChartAxisDialog* AxisDialog() const { return axisDialog; }
    // What the cursor shows while the stylus is down in cursor mode: the nearest point's values.
    const std::vector<QString>& CursorLines() const { return cursorLines; }
    // "Y / X".
    std::u16string Title() const;
    // The chart as drawn, the client's size, for the clipboard and the picture file.
    QImage Picture();

protected:
    void OnPrepareDC(QPainter& painter) override;
    void OnDraw(QPainter& painter, const QRect& rect) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    std::span<uint8_t> ViewStateBlock() override { return block; }
    void RefreshViewState() override;
    void ApplyViewState() override;

private:
    struct Drag {
        bool active = false;
        QPoint start;
        QPoint current;
    };

    const CStorageValueStatistics* Value(AxisIndex axis) const;
    // Both axes read their sources again, are rescaled, and the view is repainted.
    void Refresh();
    void ReEvaluate(AxisIndex axis);
    void Rescale();
    void ShowScrollBars();
    void ScrollTo(AxisIndex axis, int position);
    void FillValueList(AxisIndex axis);
    void SelectListEntry(AxisIndex axis);
    void UpdateToolBar();
    void ToggleMode(AxisIndex axis, bool fit);
    void SetMouseMode(ChartMouseMode mode);
    void OpenAxisDialog();
    void ApplyAxisDialog();
    void SaveData();
    void SavePicture();
    void EndStroke(const QPoint& release);
    // The nearest point to the stylus and its values, in cursor mode while the stylus is down.
    void UpdateCursor();

    ChartSeries Series() const;
    void DrawFrame(QPainter& painter, const QRect& plot);
    void DrawTicks(QPainter& painter, const QRect& plot, AxisIndex axis);
    void DrawData(QPainter& painter, const std::vector<PlotPoint>& points);
    void DrawStatistics(QPainter& painter, const QRect& plot);
    void DrawDrag(QPainter& painter, const QRect& plot);
    void DrawCaption(QPainter& painter, const QRect& plot);
    int LineWidth() const { return 1; }

    std::array<ChartAxis, 2> axes;
    ChartSettings settings;
    std::array<uint8_t, ChartSettings::kBlockSize> block{};
    Drag drag;
    std::array<QScrollBar*, 2> scrollBars{};
    // The frame owns the toolbar and may destroy it first.
    QPointer<CViewToolBar> toolBar;
    std::array<QPointer<QComboBox>, 2> valueLists;
    // The identifiers behind each list's entries; 0 for the index.
    std::vector<uint16_t> listIds;
    QPointer<CChartAxisDialog> axisDialog;
    std::vector<QString> cursorLines;
    QPoint cursorPixel;
    bool showingBars = false;
};

class CViewRegistry;

void RegisterChartViews(CViewRegistry& registry);
