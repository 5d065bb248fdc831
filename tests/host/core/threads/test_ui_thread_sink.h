#pragma once
#include <functional>

#include "host/core/intake/frame_splitter.h"
#include "host/core/threads/ui_thread_sink.h"

// A sink whose hand-offs go to the test's own functions; a kind without one is ignored.
struct TestUiThreadSink : IUiThreadSink {
    std::function<void(uint32_t bytesRead, uint32_t errorBits)> portRead;
    std::function<void(const FrameRecord& record)> portFrame;
    std::function<void()> fileFrame;

    void OnPortRead(uint32_t bytesRead, uint32_t errorBits) override {
        if (portRead) portRead(bytesRead, errorBits);
    }
    void OnPortFrame(const FrameRecord& record) override {
        if (portFrame) portFrame(record);
    }
    void OnFileFrame() override {
        if (fileFrame) fileFrame();
    }
    bool OnSendBytes(const uint8_t*, int) override { return false; }
};
