#include "main_frame_factory.h"

#include "host/views/consoles/console_views.h"
#include "host/views/forms/form_views.h"
#include "host/views/main_frame_mobile.h"
#include "host/views/maps/map_views.h"
#include "host/views/messages/message_form_view.h"
#include "host/views/placeholder_view.h"
#include "host/views/services/service_commands.h"
#include "host/views/view_classes.h"

std::unique_ptr<IMainFrame> CMainFrameFactory::CreateMainFrame(const FrameParts& parts) {
    auto frame = std::make_unique<CMainFrameMobile>(parts, views, prompts);
    AddServiceCommands(*frame);
    return frame;
}

CViewRegistry CMainFrameFactory::StandardViews() {
    CViewRegistry registry;
    registry.Register(view_class::kPlaceholder, [] { return std::make_unique<CPlaceholderView>(); });
    RegisterFormViews(registry);
    RegisterConsoleViews(registry);
    RegisterMessageViews(registry);
    RegisterServiceViews(registry);
    RegisterMapViews(registry);
    return registry;
}
