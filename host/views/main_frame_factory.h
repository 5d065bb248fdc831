#pragma once
#include <memory>

#include "host/core/frame/main_frame.h"
#include "host/views/main_frame_base.h"
#include "host/views/view_registry.h"

// Makes the program's Qt main window. Tests give it their own prompts and views.
class CMainFrameFactory : public IFrameFactory {
public:
    explicit CMainFrameFactory(FramePrompts prompts = {}, CViewRegistry views = CViewRegistry::Standard())
        : prompts(prompts), views(std::move(views)) {}

    std::unique_ptr<IMainFrame> CreateMainFrame(CVeltroApp& app) override;

private:
    FramePrompts prompts;
    CViewRegistry views;
};
