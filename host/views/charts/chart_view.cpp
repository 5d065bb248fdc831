#include "chart_view.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <cmath>
#include <fstream>

#include "host/core/intake/veltro_doc.h"
#include "host/views/charts/chart_axis_dialog.h"
#include "host/views/charts/chart_series.h"
#include "host/views/color_table.h"
#include "host/views/command_menu.h"
#include "host/views/message_box.h"
#include "host/views/message_file_dialogs.h"
#include "host/views/qt_text.h"
#include "host/views/recent_view_list.h"
#include "host/views/text/view_tool_bar.h"
#include "host/views/view_classes.h"
#include "host/views/view_registry.h"
#include "platform/text.h"
#include "resources/veltro/chart_resources.h"
#include "shared/storage_values.h"

namespace {

// Colours of the colour table: the lines between points, the points, the statistics, the cursor.
constexpr int kLineColor = 2;
constexpr int kPointColor = 9;
constexpr int kStatisticsColor = 12;
constexpr int kCursorColor = 4;

constexpr ChartSettings::Axis AxisSettingsOf(const ChartAxis& axis) {
    return {axis.valueId, axis.fit, axis.follow, axis.useValue, axis.deviation};
}

void TakeAxisSettings(ChartAxis& axis, const ChartSettings::Axis& stored) {
    axis.valueId = stored.valueId;
    axis.useValue = stored.useValue && stored.valueId != 0;
    axis.fit = stored.fit;
    axis.follow = stored.follow && !stored.fit;
    axis.deviation = stored.deviation;
    // A new value starts with its whole extent in view.
    axis.hasData = false;
}

// A value in its own format with its unit; the index as a whole number.
QString ValueText(const CStorageValueStatistics* value, double v) {
    if (!value) return QString::number(v, 'f', 0);
    QString text = ToQString(value->Format(v));
    if (!value->GetUnit().empty()) text += u' ' + ToQString(value->GetUnit());
    return text;
}

// A file name proposed from the title: no folder separators or other awkward characters.
std::u16string FileNameOf(std::u16string title, const char16_t* extension) {
    for (char16_t& c : title)
        if (c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' || c == u'"') c = u'-';
    return title + extension;
}

}  // namespace

CChartView::CChartView() {
    axes[kY].vertical = true;
    TakeAxisSettings(axes[kX], settings.x);
    TakeAxisSettings(axes[kY], settings.y);
    for (const AxisIndex axis : {kX, kY}) {
        auto* bar = new QScrollBar(axis == kX ? Qt::Horizontal : Qt::Vertical, this);
        scrollBars[axis] = bar;
        connect(bar, &QScrollBar::valueChanged, this, [this, axis](int position) { ScrollTo(axis, position); });
        connect(bar, &QScrollBar::sliderPressed, this, [this, axis] { axes[axis].scrollRangeHeld = true; });
        connect(bar, &QScrollBar::sliderReleased, this, [this, axis] {
            axes[axis].scrollRangeHeld = false;
            ShowScrollBars();
        });
    }
}

// The setup joins the recent list, whose menu offers it again.
CChartView::~CChartView() {
    if (!IsWindow()) return;
    CRecentViewList list = CRecentViewList::Charts();
    list.Load(Context().profile);
    const std::span<const uint8_t> state = GetViewState();
    list.Add(Title(), {state.begin(), state.end()});
    list.Save(Context().profile);
}

const CStorageValueStatistics* CChartView::Value(AxisIndex axis) const {
    return ChartValue(Document().Database(), axes[axis]);
}

std::u16string CChartView::Title() const { return ChartTitle(Document().Database(), axes[kX], axes[kY]); }

QComboBox* CChartView::ValueList(AxisIndex axis) const { return valueLists[axis]; }

QRect CChartView::PlotArea() const {
    return ChartPlotArea(rect(), style()->pixelMetric(QStyle::PM_ScrollBarExtent), LineWidth());
}

void CChartView::OnInitialUpdate() {
    FillValueList(kX);
    FillValueList(kY);
    Refresh();
}

void CChartView::OnUpdate(CView*, uint32_t hint, CMessageNode*) {
    if (!IsWindow()) return;
    const bool due = hint & HINT_REFRESH_DUE;
    const bool everything = hint & (HINT_NEW_DOCUMENT | HINT_FORCED);
    const auto changed = [this](AxisIndex axis) {
        const CStorageValueStatistics* value = Value(axis);
        return value && value->IsChanged();
    };
    if (everything || (due && (hint & HINT_EPOCH)) || (due && (hint & HINT_VALUES) && (changed(kX) || changed(kY))))
        Refresh();
}

void CChartView::Refresh() {
    ReEvaluate(kX);
    ReEvaluate(kY);
    Rescale();
    update();
}

void CChartView::ReEvaluate(AxisIndex axis) {
    ReEvaluateAxis(axes[axis], AxisSourceOf(Document().Database(), Document().History(), axes[axis]));
}

void CChartView::Rescale() {
    PlaceAxes(axes[kX], axes[kY], PlotArea());
    ShowScrollBars();
}

void CChartView::ShowScrollBars() {
    showingBars = true;
    for (const AxisIndex axis : {kX, kY}) {
        const AxisScrollBar bar = ScrollBarOf(axes[axis]);
        if (axes[axis].scrollRangeHeld) continue;
        scrollBars[axis]->setRange(0, bar.maximum);
        scrollBars[axis]->setPageStep(bar.page);
        scrollBars[axis]->setSingleStep(std::max(bar.page / 10, 1));
        scrollBars[axis]->setValue(bar.position);
    }
    showingBars = false;
}

void CChartView::ScrollTo(AxisIndex axis, int position) {
    if (showingBars) return;
    ScrollAxisTo(axes[axis], position);
    if (!axes[axis].scrollRangeHeld) ShowScrollBars();
    UpdateToolBar();
    update();
}

void CChartView::resizeEvent(QResizeEvent* event) {
    CMemDCView::resizeEvent(event);
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    scrollBars[kX]->setGeometry(0, height() - extent, width() - extent, extent);
    scrollBars[kY]->setGeometry(width() - extent, 0, extent, height() - extent);
    Rescale();
}

// ---- Toolbar and commands

QToolBar* CChartView::CreateViewToolBar(QWidget* parent) {
    toolBar = new CViewToolBar(kChartToolbar, *this, parent);
    for (const AxisIndex axis : {kX, kY}) {
        auto* list = new QComboBox(toolBar);
        list->setMinimumContentsLength(12);
        list->setMaxVisibleItems(20);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        connect(list, &QComboBox::activated, this, [this, axis](int index) { PickValue(axis, index); });
        toolBar->ReplaceButton(axis == kX ? cmd::kChartXList : cmd::kChartYList, list);
        valueLists[axis] = list;
        FillValueList(axis);
    }
    UpdateToolBar();
    return toolBar;
}

void CChartView::FillValueList(AxisIndex axis) {
    QComboBox* list = valueLists[axis];
    if (!list || !IsWindow()) return;
    if (listIds.empty()) {
        listIds = ChartValueIds(Document().Database());
        listIds.insert(listIds.begin(), 0);
    }
    const QSignalBlocker quiet(list);
    list->clear();
    for (const uint16_t id : listIds) {
        ChartAxis entry;
        entry.valueId = id;
        entry.useValue = id != 0;
        list->addItem(ToQString(AxisName(Document().Database(), entry)));
    }
    SelectListEntry(axis);
}

void CChartView::SelectListEntry(AxisIndex axis) {
    QComboBox* list = valueLists[axis];
    if (!list) return;
    const uint16_t id = axes[axis].useValue ? axes[axis].valueId : 0;
    const auto at = std::find(listIds.begin(), listIds.end(), id);
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(at == listIds.end() ? -1 : static_cast<int>(at - listIds.begin()));
}

void CChartView::PickValue(AxisIndex axis, int index) {
    if (index < 0 || static_cast<size_t>(index) >= listIds.size()) return;
    const uint16_t id = listIds[static_cast<size_t>(index)];
    ChartAxis& a = axes[axis];
    a.valueId = id;
    a.useValue = id != 0;
    a.hasData = false;
    ReEvaluate(axis);
    Rescale();
    SelectListEntry(axis);
    update();
}

void CChartView::UpdateToolBar() {
    if (toolBar) toolBar->UpdateButtons();
}

CommandState CChartView::QueryCommand(unsigned command) {
    const auto mode = static_cast<unsigned>(settings.mouseMode);
    if (command >= cmd::kChartModeCursor && command <= cmd::kChartModeZoomOut) {
        CommandState state = CommandState::Enabled(true);
        state.hiddenOnToolbar = command - cmd::kChartModeCursor != mode;
        return state;
    }
    if (command >= cmd::kChartCursor && command <= cmd::kChartZoomOut)
        return CommandState::Enabled(true, command - cmd::kChartCursor == mode);
    if (command >= cmd::kChartPointsNone && command <= cmd::kChartPointsBoldCross)
        return CommandState::Enabled(true,
                                     command - cmd::kChartPointsNone == static_cast<unsigned>(settings.pointStyle));
    if (command >= cmd::kChartConnectNone && command <= cmd::kChartConnectConsecutive)
        return CommandState::Enabled(true,
                                     command - cmd::kChartConnectNone == static_cast<unsigned>(settings.connectStyle));
    switch (command) {
        case cmd::kChartXFit:
            return CommandState::Enabled(true, axes[kX].fit);
        case cmd::kChartYFit:
            return CommandState::Enabled(true, axes[kY].fit);
        case cmd::kChartXFollow:
            return CommandState::Enabled(true, axes[kX].follow);
        case cmd::kChartYFollow:
            return CommandState::Enabled(true, axes[kY].follow);
        case cmd::kChartStatistics:
            return CommandState::Enabled(true, settings.statistics);
        case cmd::kChartXList:
        case cmd::kChartYList:
        case cmd::kChartAxisProperties:
        case cmd::kEditCopy:
        case cmd::kChartSavePicture:
            return CommandState::Enabled(true);
        case cmd::kChartSaveData:
            return CommandState::Enabled(Document().History().Count() > 0);
        default:
            return {};
    }
}

void CChartView::OnCommand(unsigned command) {
    if (command >= cmd::kChartModeCursor && command <= cmd::kChartModeZoomOut)
        return SetMouseMode(static_cast<ChartMouseMode>((static_cast<int>(settings.mouseMode) + 1) % 4));
    if (command >= cmd::kChartCursor && command <= cmd::kChartZoomOut)
        return SetMouseMode(static_cast<ChartMouseMode>(command - cmd::kChartCursor));
    if (command >= cmd::kChartPointsNone && command <= cmd::kChartPointsBoldCross) {
        settings.pointStyle = static_cast<ChartPointStyle>(command - cmd::kChartPointsNone);
        return update();
    }
    if (command >= cmd::kChartConnectNone && command <= cmd::kChartConnectConsecutive) {
        settings.connectStyle = static_cast<ChartConnectStyle>(command - cmd::kChartConnectNone);
        return update();
    }
    switch (command) {
        case cmd::kChartXFit:
            return ToggleMode(kX, true);
        case cmd::kChartYFit:
            return ToggleMode(kY, true);
        case cmd::kChartXFollow:
            return ToggleMode(kX, false);
        case cmd::kChartYFollow:
            return ToggleMode(kY, false);
        case cmd::kChartStatistics:
            settings.statistics = !settings.statistics;
            return update();
        case cmd::kChartAxisProperties:
            return OpenAxisDialog();
        case cmd::kEditCopy:
            return QGuiApplication::clipboard()->setImage(Picture());
        case cmd::kChartSaveData:
            return SaveData();
        case cmd::kChartSavePicture:
            return SavePicture();
        default:
            return;
    }
}

void CChartView::RunCommand(unsigned command) {
    if (QueryCommand(command).enabled) OnCommand(command);
    UpdateToolBar();
}

void CChartView::ToggleMode(AxisIndex axis, bool fit) {
    ChartAxis& a = axes[axis];
    if (fit) {
        a.fit = !a.fit;
        a.follow = false;
    } else {
        a.follow = !a.follow;
        a.fit = false;
    }
    ReEvaluate(axis);
    Rescale();
    update();
}

void CChartView::SetMouseMode(ChartMouseMode mode) {
    settings.mouseMode = mode;
    drag.active = false;
    cursorLines.clear();
    UpdateToolBar();
    update();
}

// The dialog is not modal to the event loop, so that the view keeps drawing what comes in.
void CChartView::OpenAxisDialog() {
    if (axisDialog) return axisDialog->raise();
    axisDialog = new CChartAxisDialog(Document().Database(), axes, this);
    axisDialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(axisDialog, &QDialog::accepted, this, [this] { ApplyAxisDialog(); });
    axisDialog->open();
}

void CChartView::ApplyAxisDialog() {
    for (const AxisIndex axis : {kX, kY}) {
        const CChartAxisDialog::Range range = axisDialog->Ranges()[axis];
        axes[axis].SetView(range.low, range.high);
    }
    Rescale();
    UpdateToolBar();
    repaint();
}

void CChartView::SaveData() {
    const std::optional<std::string> path = Context().host.MessageFiles().AskSaveChart(FileNameOf(Title(), u".csv"));
    if (!path) return;
    const std::string text =
        SeriesCsv(ReadSeries(Document().History(), Value(kX), Value(kY), {0, Document().History().Count()},
                             settings.smoothing ? settings.smoothingFactor : 0),
                  Value(kX), Value(kY));
    std::ofstream file(*path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) Context().host.Messages().Show(kChartFileNotWritten, IMessageBox::Icon::Warning);
}

void CChartView::SavePicture() {
    const std::optional<std::string> path = Context().host.MessageFiles().AskSaveChart(FileNameOf(Title(), u".png"));
    if (!path) return;
    if (!Picture().save(QString::fromStdString(*path), "PNG"))
        Context().host.Messages().Show(kChartFileNotWritten, IMessageBox::Icon::Warning);
}

// ---- State block

void CChartView::RefreshViewState() {
    ChartSettings state = settings;
    state.x = AxisSettingsOf(axes[kX]);
    state.y = AxisSettingsOf(axes[kY]);
    block = state.Encode();
}

void CChartView::ApplyViewState() {
    settings = ChartSettings::Decode(block);
    TakeAxisSettings(axes[kX], settings.x);
    TakeAxisSettings(axes[kY], settings.y);
    drag.active = false;
    cursorLines.clear();
    SelectListEntry(kX);
    SelectListEntry(kY);
    Refresh();
    UpdateToolBar();
}

// ---- Stylus

void CChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return CView::mousePressEvent(event);
    event->accept();
    drag = {true, event->position().toPoint(), event->position().toPoint()};
    UpdateCursor();
    update();
}

void CChartView::mouseMoveEvent(QMouseEvent* event) {
    if (!drag.active) return;
    drag.current = event->position().toPoint();
    UpdateCursor();
    update();
}

void CChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !drag.active) return;
    drag.active = false;
    EndStroke(event->position().toPoint());
}

void CChartView::EndStroke(const QPoint& release) {
    cursorLines.clear();
    const QPoint press = drag.start;
    for (const AxisIndex axis : {kX, kY}) {
        ChartAxis& a = axes[axis];
        if (!a.hasData) continue;
        const int from = axis == kX ? press.x() : press.y();
        const int to = axis == kX ? release.x() : release.y();
        switch (settings.mouseMode) {
            case ChartMouseMode::ZoomIn:
                ZoomAxisIn(a, from, to);
                break;
            case ChartMouseMode::ZoomOut:
                ZoomAxisOut(a, from, to);
                break;
            case ChartMouseMode::Move:
                MoveAxis(a, from, to);
                break;
            case ChartMouseMode::Cursor:
                break;
        }
    }
    ShowScrollBars();
    UpdateToolBar();
    repaint();
}

void CChartView::UpdateCursor() {
    cursorLines.clear();
    if (!drag.active || settings.mouseMode != ChartMouseMode::Cursor) return;
    const ChartSeries series = Series();
    const std::vector<PlotPoint> points = PlotPoints(series, axes[kX], axes[kY]);
    const int nearest = NearestPoint(points, drag.current);
    if (nearest < 0) return;
    const PlotPoint& point = points[static_cast<size_t>(nearest)];
    cursorPixel = point.pixel;
    const CStorageDatabase& database = Document().Database();
    cursorLines.push_back(QStringLiteral("Epoch %1").arg(series.first + point.index));
    cursorLines.push_back(ToQString(AxisName(database, axes[kY])) + QStringLiteral(": ") +
                          ValueText(Value(kY), series.y[point.index]));
    cursorLines.push_back(ToQString(AxisName(database, axes[kX])) + QStringLiteral(": ") +
                          ValueText(Value(kX), series.x[point.index]));
}

void CChartView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    FillCommandMenu(menu, kChartContextMenu, *this, [this](unsigned command) { RunCommand(command); });
    menu.exec(event->globalPos());
}

// ---- Drawing

ChartSeries CChartView::Series() const {
    const CEpochHistory& history = Document().History();
    return ReadSeries(history, Value(kX), Value(kY), EpochsInView(axes[kX], history.Count()),
                      settings.smoothing ? settings.smoothingFactor : 0);
}

QImage CChartView::Picture() {
    QImage picture(size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    OnPrepareDC(painter);
    OnDraw(painter, rect());
    return picture;
}

// Lines and points land on whole pixels; text keeps its own smoothing.
void CChartView::OnPrepareDC(QPainter& painter) { painter.setRenderHint(QPainter::Antialiasing, false); }

void CChartView::OnDraw(QPainter& painter, const QRect& rect) {
    const CColorTable& colors = Context().colors;
    painter.fillRect(rect, colors.Color(CColorTable::kBackground));
    const QRect plot = PlotArea();
    painter.setFont(SharedTextFont(Context().density));
    DrawFrame(painter, plot);
    painter.setClipRect(plot.adjusted(1, 1, 0, 0));
    DrawTicks(painter, plot, kX);
    DrawTicks(painter, plot, kY);
    const ChartSeries series = Series();
    DrawData(painter, PlotPoints(series, axes[kX], axes[kY]));
    if (settings.statistics) DrawStatistics(painter, plot);
    if (drag.active) DrawDrag(painter, plot);
    painter.setClipping(false);
    DrawCaption(painter, plot);
}

void CChartView::DrawFrame(QPainter& painter, const QRect& plot) {
    painter.setPen(QPen(Context().colors.Color(CColorTable::kScale), LineWidth()));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
}

void CChartView::DrawTicks(QPainter& painter, const QRect& plot, AxisIndex axis) {
    const ChartAxis& a = axes[axis];
    const CStorageValueStatistics* value = Value(axis);
    const AxisTicks ticks = ChartAxisTicks(value, a);
    if (ticks.count == 0) return;
    const int w = LineWidth();
    const QColor scale = Context().colors.Color(CColorTable::kScale);
    const QFontMetrics metrics(painter.font());
    const int stepPixels = std::abs(a.ToPixel(ticks.At(1)) - a.ToPixel(ticks.At(0)));
    for (int i = 0; i < ticks.count; ++i) {
        const double tick = ticks.At(i);
        const int p = a.ToPixel(tick);
        const bool inside = axis == kX ? p > plot.left() && p < plot.right() : p > plot.top() && p < plot.bottom();
        if (!inside) continue;
        painter.setPen(QPen(scale, w, Qt::DashLine));
        QRect label;
        int flags;
        if (axis == kX) {
            painter.drawLine(p, plot.top(), p, plot.bottom());
            const int room = std::min(stepPixels - 4 * w, plot.right() - p - 4 * w);
            label = QRect(p + 2 * w, plot.top(), room, plot.height() - 2 * w);
            flags = Qt::AlignLeft | Qt::AlignBottom;
        } else {
            painter.drawLine(plot.left(), p, plot.right(), p);
            label = QRect(plot.left() + 2 * w, p + 2 * w, plot.width() - 4 * w, metrics.height());
            flags = Qt::AlignLeft | Qt::AlignTop;
        }
        painter.setPen(scale);
        painter.drawText(label, flags, FitLabel(metrics, TickLabel(value, tick), label.width()));
    }
}

void CChartView::DrawData(QPainter& painter, const std::vector<PlotPoint>& points) {
    const int w = LineWidth();
    const CColorTable& colors = Context().colors;
    painter.setPen(QPen(colors.Color(kLineColor), w));
    for (const QPolygon& line : ConnectingLines(points, settings.connectStyle)) painter.drawPolyline(line);

    const QColor color = colors.Color(kPointColor);
    switch (settings.pointStyle) {
        case ChartPointStyle::None:
            return;
        case ChartPointStyle::Dot:
        case ChartPointStyle::BoldDot: {
            const int half = settings.pointStyle == ChartPointStyle::Dot ? w : 2 * w;
            for (const PlotPoint& point : points)
                painter.fillRect(point.pixel.x() - half, point.pixel.y() - half, 2 * half + 1, 2 * half + 1, color);
            return;
        }
        case ChartPointStyle::Cross:
        case ChartPointStyle::BoldCross: {
            const bool bold = settings.pointStyle == ChartPointStyle::BoldCross;
            const int arm = bold ? 4 * w : 3 * w;
            std::vector<QLine> lines;
            lines.reserve(2 * points.size());
            for (const PlotPoint& point : points) {
                const QPoint at = point.pixel;
                lines.emplace_back(at.x() - arm, at.y(), at.x() + arm, at.y());
                lines.emplace_back(at.x(), at.y() - arm, at.x(), at.y() + arm);
            }
            painter.setPen(QPen(color, bold ? 2 * w : w));
            painter.drawLines(lines.data(), static_cast<int>(lines.size()));
            return;
        }
    }
}

// The average as a solid line with its value, the average ± one deviation as dashed lines.
void CChartView::DrawStatistics(QPainter& painter, const QRect& plot) {
    const int w = LineWidth();
    const QColor color = Context().colors.Color(kStatisticsColor);
    const QFontMetrics metrics(painter.font());
    for (const AxisIndex axis : {kX, kY}) {
        const CStorageValueStatistics* value = Value(axis);
        if (!value || !axes[axis].hasData) continue;
        const StatisticsSummary summary = value->GetStatistics();
        if (!std::isfinite(summary.average) || !std::isfinite(summary.deviation)) continue;
        const std::pair<double, QString> lines[] = {{summary.average, ToQString(value->Format(summary.average))},
                                                    {summary.average + summary.deviation, QStringLiteral("+ dev")},
                                                    {summary.average - summary.deviation, QStringLiteral("- dev")}};
        for (const auto& [v, label] : lines) {
            const int p = axes[axis].ToPixel(v);
            painter.setPen(QPen(color, w, v == summary.average ? Qt::SolidLine : Qt::DashLine));
            if (axis == kY) {
                painter.drawLine(plot.left(), p, plot.right(), p);
                painter.drawText(QRect(plot.left(), p - metrics.height() - w, plot.width() - 2 * w, metrics.height()),
                                 Qt::AlignRight | Qt::AlignBottom, label);
            } else {
                painter.drawLine(p, plot.top(), p, plot.bottom());
                painter.drawText(
                    QRect(p + 2 * w, plot.top() + metrics.height() + 2 * w, plot.width(), metrics.height()),
                    Qt::AlignLeft | Qt::AlignTop, label);
            }
        }
    }
}

// Cursor mode: lines through the nearest point and its values in a box; zoom modes: the rectangle
// dragged.
void CChartView::DrawDrag(QPainter& painter, const QRect& plot) {
    const int w = LineWidth();
    const CColorTable& colors = Context().colors;
    if (settings.mouseMode == ChartMouseMode::ZoomIn || settings.mouseMode == ChartMouseMode::ZoomOut) {
        painter.setPen(QPen(colors.Color(CColorTable::kScale), w, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(drag.start, drag.current).normalized());
        return;
    }
    if (cursorLines.empty()) return;
    painter.setPen(QPen(colors.Color(kCursorColor), w));
    painter.drawLine(cursorPixel.x(), plot.top(), cursorPixel.x(), plot.bottom());
    painter.drawLine(plot.left(), cursorPixel.y(), plot.right(), cursorPixel.y());
    painter.drawRect(cursorPixel.x() - 3 * w, cursorPixel.y() - 3 * w, 6 * w, 6 * w);
    const QFontMetrics metrics(painter.font());
    int width = 0;
    for (const QString& line : cursorLines) width = std::max(width, metrics.horizontalAdvance(line));
    const int lineHeight = metrics.height();
    const QRect box(plot.left() + 4 * w, plot.top() + 4 * w, width + 6 * w,
                    lineHeight * static_cast<int>(cursorLines.size()) + 4 * w);
    painter.fillRect(box, colors.Color(CColorTable::kBackground));
    painter.setPen(QPen(colors.Color(CColorTable::kScale), w));
    painter.drawRect(box);
    for (size_t i = 0; i < cursorLines.size(); ++i)
        painter.drawText(
            QRect(box.left() + 3 * w, box.top() + 2 * w + static_cast<int>(i) * lineHeight, width, lineHeight),
            Qt::AlignLeft | Qt::AlignVCenter, cursorLines[i]);
}

void CChartView::DrawCaption(QPainter& painter, const QRect& plot) {
    painter.setPen(Context().colors.Color(CColorTable::kScale));
    const QRect room = plot.adjusted(4 * LineWidth(), 2 * LineWidth(), -4 * LineWidth(), 0);
    painter.drawText(room, Qt::AlignRight | Qt::AlignTop, ToQString(Title()));
}

void RegisterChartViews(CViewRegistry& registry) {
    registry.Register(view_class::kChartView, [] { return std::make_unique<CChartView>(); });
}
