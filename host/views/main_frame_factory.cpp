#include "main_frame_factory.h"

#include "host/views/main_frame_mobile.h"

std::unique_ptr<IMainFrame> CMainFrameFactory::CreateMainFrame(CVeltroApp& app) {
    return std::make_unique<CMainFrameMobile>(app, views, prompts);
}
