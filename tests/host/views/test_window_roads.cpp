// The window's roads end to end against the simulated receiver on a pseudo-terminal: its KVB and
// NMEA stream through the window's port, a recording made in the window and replayed with the
// same content, and a poll sent through the window's send road that the receiver answers.
#include "host/core/app/simulator_process.h"
#include "host/core/connection/port_thread.h"
#include "host/core/log/stream_file_thread.h"
#include "host/views/command_bar.h"
#include "resources/veltro/command_ids.h"
#include "shared/memory_page.h"
#include "tests/host/views/gui_test_support.h"
#include "tests/support/message_counter.h"

namespace {

constexpr int kSimulatorRateHz = 10;

std::string Describe(const MessageCounter& counter) {
    std::string text;
    for (const auto& [name, count] : counter.Counts())
        text += std::string(name.begin(), name.end()) + "=" + std::to_string(count) + " ";
    return text;
}

class WindowRoadsTest : public GuiAppTest {
protected:
    void SetUp() override {
        GuiAppTest::SetUp();
        std::string error;
        ASSERT_TRUE(simulator.Start(kSimulatorRateHz, error)) << error;
    }
    void TearDown() override {
        if (app) app->Document().RemoveObserver(&counter);
        GuiAppTest::TearDown();
    }

    CSimulatorProcess simulator;
    MessageCounter counter;
};

}  // namespace

TEST_F(WindowRoadsTest, WhatTheWindowRecordsReplaysAsItWasReceived) {
    CMainFrameMobile& frame = Start({});
    prompts.saveFile = (folder / "drive.kvb").string();
    frame.CommandBar().Run(cmd::kNew);
    ASSERT_EQ(app->Log().State(), LogState::Recording);

    app->Document().AddObserver(&counter);
    ASSERT_TRUE(frame.Logic().ConnectToDevice(simulator.DevicePath()));
    ASSERT_TRUE(RunEventsUntil([&] { return counter.Count(u"NAV-SOL") >= 5 && counter.Count(u"GPGGA") >= 5; }))
        << Describe(counter);
    frame.CommandBar().Run(cmd::kStop);
    app->Document().RemoveObserver(&counter);
    const MessageCounter live = counter;

    counter = MessageCounter();
    app->Document().AddObserver(&counter);
    ASSERT_TRUE(frame.Logic().OpenDocumentFile(*prompts.saveFile, true));
    app->Log().Seek(app->Log().Length());
    ASSERT_TRUE(RunEventsUntil([&] { return app->Log().IsPaused(); }));
    EXPECT_EQ(Describe(counter), Describe(live));
    EXPECT_EQ(counter.Count(u"UNKNOWN"), 0);
}

TEST_F(WindowRoadsTest, APollSentThroughTheWindowIsAnswered) {
    CMainFrameMobile& frame = Start({"-port", simulator.DevicePath()});
    ASSERT_TRUE(app->PortThread().IsOpen());
    CMessageNode* version = app->Document().FindNodeByProtocol(u"KVB", u"MON-VER", nullptr);
    ASSERT_NE(version, nullptr);
    uint8_t poll[64];
    int length = 0;
    CMemoryPage page;
    ASSERT_GT(version->BuildPoll(page, poll, length, sizeof poll), 0);

    app->Document().AddObserver(&counter);
    ASSERT_TRUE(frame.SendToReceiver(version, poll, length));
    // The poll, too short for the version's data, is shown as sent elsewhere; the answer carries
    // the receiver's versions and one extension.
    EXPECT_TRUE(RunEventsUntil([&] { return counter.Count(u"MON-VER") == 1; })) << Describe(counter);
    EXPECT_EQ(version->FrameLength(), 78);
}
