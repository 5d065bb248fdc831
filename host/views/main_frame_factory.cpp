#include "main_frame_factory.h"

#include "host/views/charts/chart_view.h"
#include "host/views/consoles/console_views.h"
#include "host/views/forms/form_views.h"
#include "host/views/instruments/instrument_views.h"
#include "host/views/main_frame_mobile.h"
#include "host/views/maps/map_views.h"
#include "host/views/messages/message_form_view.h"
#include "host/views/options/options_prop_sheet.h"
#include "host/views/placeholder_view.h"
#include "host/views/services/service_commands.h"
#include "host/views/statistics/statistic_view.h"
#include "host/views/view_classes.h"

std::unique_ptr<IMainFrame> CMainFrameFactory::CreateMainFrame(const FrameParts& parts) {
    auto frame = std::make_unique<CMainFrameMobile>(parts, views, prompts);
    AddServiceCommands(*frame);
    AddOptionsCommands(*frame);
    return frame;
}

CViewRegistry CMainFrameFactory::StandardViews() {
    CViewRegistry registry;
    registry.Register(view_class::kPlaceholder, [] { return std::make_unique<CPlaceholderView>(); });
    RegisterFormViews(registry);
    RegisterInstrumentViews(registry);
    RegisterConsoleViews(registry);
    RegisterMessageViews(registry);
    RegisterServiceViews(registry);
    RegisterChartViews(registry);
    RegisterStatisticViews(registry);
    RegisterMapViews(registry);
    return registry;
}
