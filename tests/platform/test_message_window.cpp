#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "platform/message_window.h"

using platform::CMessageWindow;

TEST(MessageWindow, SendWaitsUntilTheOwnerHandledTheMessage) {
    std::atomic<int> handledValue{0};
    CMessageWindow window([&](unsigned message, uintptr_t wParam, intptr_t) -> intptr_t {
        handledValue = static_cast<int>(wParam);
        return message + 1;
    });
    auto sender = std::async(std::launch::async, [&] { return window.Send(7, 42, 0); });
    while (window.WaitAndDispatch(1000) == 0) {
    }
    EXPECT_EQ(sender.get(), 8);
    EXPECT_EQ(handledValue, 42);
    // On the owner thread itself the handler runs at once.
    EXPECT_EQ(window.Send(1, 5, 0), 2);
}

TEST(MessageWindow, CloseReleasesABlockedSender) {
    CMessageWindow window([](unsigned, uintptr_t, intptr_t) -> intptr_t { return 1; });
    std::atomic<bool> queued{false};
    window.SetWakeUp([&] { queued = true; });
    auto sender = std::async(std::launch::async, [&] { return window.Send(1, 0, 0); });
    while (!queued) std::this_thread::yield();
    window.Close();
    EXPECT_EQ(sender.get(), 0);
    EXPECT_EQ(window.Send(1, 0, 0), 0);
    EXPECT_FALSE(window.Post(1, 0, 0));
}
