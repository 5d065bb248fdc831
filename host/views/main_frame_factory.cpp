#include "main_frame_factory.h"

#include "host/views/consoles/console_views.h"
#include "host/views/forms/form_views.h"
#include "host/views/main_frame_mobile.h"
#include "host/views/messages/message_form_view.h"
#include "host/views/placeholder_view.h"
#include "host/views/view_classes.h"

std::unique_ptr<IMainFrame> CMainFrameFactory::CreateMainFrame(const FrameParts& parts) {
    return std::make_unique<CMainFrameMobile>(parts, views, prompts);
}

CViewRegistry CMainFrameFactory::StandardViews() {
    CViewRegistry registry;
    registry.Register(view_class::kPlaceholder, [] { return std::make_unique<CPlaceholderView>(); });
    RegisterFormViews(registry);
    RegisterConsoleViews(registry);
    RegisterMessageViews(registry);
    return registry;
}
