#pragma once
#include <memory>

#include "host/core/frame/main_frame.h"
#include "host/views/main_frame_base.h"
#include "host/views/view_registry.h"

// Makes the program's Qt main window: the one place that knows every family of views. Tests give
// it their own prompts and views.
class CMainFrameFactory : public IFrameFactory {
public:
    explicit CMainFrameFactory(FramePrompts prompts = {}, CViewRegistry views = StandardViews())
        : prompts(prompts), views(std::move(views)) {}

    std::unique_ptr<IMainFrame> CreateMainFrame(const FrameParts& parts) override;

    // Every view class the program has.
    static CViewRegistry StandardViews();

private:
    FramePrompts prompts;
    CViewRegistry views;
};
