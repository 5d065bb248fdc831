#include "main_form.h"

#include <QResizeEvent>

#include "host/views/color_table.h"
#include "host/views/forms/data_view.h"
#include "host/views/instruments/altitude_meter_view.h"
#include "host/views/instruments/compass_view.h"
#include "host/views/instruments/speed_meter_view.h"
#include "host/views/instruments/watch_view.h"
#include "host/views/satellites/satellite_pos_view.h"
#include "host/views/satellites/satellite_signal_level_view.h"

namespace {

template <typename View>
std::unique_ptr<CView> Make() {
    return std::make_unique<View>();
}

template <size_t N>
std::vector<QRect> AsVector(const std::array<QRect, N>& rects) {
    return {rects.begin(), rects.end()};
}

}  // namespace

std::array<QRect, 3> SvSummaryLayout(int width, int height) {
    const int halfWidth = width / 2;
    const int halfHeight = height / 2;
    return {QRect(0, 0, halfWidth, halfHeight), QRect(halfWidth, 0, halfWidth, halfHeight),
            QRect(0, halfHeight, width, halfHeight)};
}

std::array<QRect, 4> NavSummaryLayout(int width, int height) {
    const int halfWidth = width / 2;
    const int halfHeight = height / 2;
    return {QRect(0, 0, halfWidth, halfHeight), QRect(halfWidth, 0, halfWidth, halfHeight),
            QRect(0, halfHeight, halfWidth, halfHeight), QRect(halfWidth, halfHeight, halfWidth, halfHeight)};
}

CMainForm::CMainForm(std::vector<Pane> formPanes, Layout formLayout)
    : panes(std::move(formPanes)), layout(std::move(formLayout)) {
    setAutoFillBackground(true);
}

void CMainForm::OnInitialUpdate() {
    if (placeholders.empty()) {
        CreatePlaceholders();
        CreatePaneViews();
        PlacePanes();
    }
    CView::OnInitialUpdate();
}

QWidget* CMainForm::Placeholder(const char* name) const {
    for (QWidget* placeholder : placeholders)
        if (placeholder->objectName() == QLatin1String(name)) return placeholder;
    return nullptr;
}

void CMainForm::CreatePlaceholders() {
    for (const char* name : kPlaceholderNames) {
        auto* placeholder = new QWidget(this);
        placeholder->setObjectName(QLatin1String(name));
        placeholder->setAutoFillBackground(true);
        QPalette palette = placeholder->palette();
        palette.setColor(QPalette::Window, Context().colors.Color(CColorTable::kBackground));
        placeholder->setPalette(palette);
        placeholder->hide();
        placeholders.push_back(placeholder);
    }
}

void CMainForm::CreatePaneViews() {
    for (const Pane& pane : panes) {
        QWidget* placeholder = Placeholder(pane.placeholder);
        std::unique_ptr<CView> view = pane.create ? pane.create() : nullptr;
        if (view) {
            view->Create(Context(), {}, placeholder);
            view->setGeometry(placeholder->rect());
            view->show();
            view->OnInitialUpdate();
        }
        views.push_back(view.release());
        placeholder->show();
    }
}

void CMainForm::resizeEvent(QResizeEvent* event) {
    CView::resizeEvent(event);
    PlacePanes();
}

void CMainForm::PlacePanes() {
    if (placeholders.empty() || width() < 1 || height() < 1) return;
    const std::vector<QRect> rects = layout(width(), height());
    for (size_t i = 0; i < panes.size() && i < rects.size(); ++i) {
        Placeholder(panes[i].placeholder)->setGeometry(rects[i]);
        if (views[i]) views[i]->resize(rects[i].size());
    }
}

CMainFormSVInfo::CMainFormSVInfo()
    : CMainForm({{"SatPos", Make<CSatellitePosView>},
                 {"Data", Make<CDataView>},
                 {"SatLevel", Make<CSatelliteSignalLevelView>}},
                [](int width, int height) { return AsVector(SvSummaryLayout(width, height)); }) {}

CSatellitePosView* CMainFormSVInfo::SatellitePosition() const { return static_cast<CSatellitePosView*>(PaneView(0)); }
CDataView* CMainFormSVInfo::Data() const { return static_cast<CDataView*>(PaneView(1)); }
CSatelliteSignalLevelView* CMainFormSVInfo::SignalLevel() const {
    return static_cast<CSatelliteSignalLevelView*>(PaneView(2));
}

CMainFormNAVInfo::CMainFormNAVInfo()
    : CMainForm({{"Compass", Make<CCompassView>},
                 {"Speed", Make<CSpeedMeterView>},
                 {"Altitude", Make<CAltitudeMeterView>},
                 {"Watch", Make<CWatchView>}},
                [](int width, int height) { return AsVector(NavSummaryLayout(width, height)); }) {}

CCompassView* CMainFormNAVInfo::Compass() const { return static_cast<CCompassView*>(PaneView(0)); }
CSpeedMeterView* CMainFormNAVInfo::Speed() const { return static_cast<CSpeedMeterView*>(PaneView(1)); }
CAltitudeMeterView* CMainFormNAVInfo::Altitude() const { return static_cast<CAltitudeMeterView*>(PaneView(2)); }
CWatchView* CMainFormNAVInfo::Watch() const { return static_cast<CWatchView*>(PaneView(3)); }
