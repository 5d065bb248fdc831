#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>

#include "host/core/connection/port_thread.h"
#include "host/core/intake/veltro_doc.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "shared/storage_values.h"
#include "tests/host/core/threads/test_ui_thread_sink.h"
#include "tests/platform/test_serial_terminal.h"
#include "tests/support/test_protocol.h"

using platform::CMessageWindow;

namespace {

struct SeenFrame {
    std::u16string protocol;
    std::vector<uint8_t> bytes;
};

// The port thread on COM1, a pseudo-terminal, handing frames to this thread, which plays the main
// frame and passes them to a document with the test protocol.
class PortThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(terminal.IsOpen());
        profile.WriteString(u"Ports", u"COM1", platform::Utf8ToWide(terminal.SlavePath()));
        auto entry = std::make_unique<CStorageValueStatistics>(u"test", u"test");
        entry->SetSnapshotSlot(document.History().ReserveCommonSlot());
        document.Database().Add(kTestValueId, std::move(entry));
        for (const auto& protocol : document.Plugins().Protocols()) port.AddProtocol(protocol.get(), protocol->check);
        window->SetWakeUp([this] { ++messagesQueued; });
        port.SetTarget(window);
    }
    void StartReading() { ASSERT_TRUE(port.Start(ThreadPriority::BelowNormal)); }
    void TearDown() override {
        window->Close();
        port.Close();
        EXPECT_TRUE(port.Wait(5000));
    }

    TestUiThreadSink Sink() {
        TestUiThreadSink sink;
        sink.portRead = [this](uint32_t count, uint32_t) { bytesRead += count; };
        sink.portFrame = [this](const FrameRecord& record) {
            frames.push_back(
                {record.protocol ? record.protocol->name : u"", {record.bytes, record.bytes + record.length}});
            document.ProcessRecord(record, true);
        };
        return sink;
    }
    bool DispatchUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done() && std::chrono::steady_clock::now() < deadline) window->WaitAndDispatch(50);
        return done();
    }
    double TestValue() { return document.Database().FindAs<CStorageValue>(kTestValueId)->GetValue(); }

    PseudoTerminal terminal;
    platform::CMemoryProfile profile;
    platform::CPortMap ports{profile, {"/nonexistent", "/dev"}};
    CVeltroDoc document{DocumentSettings{900, VELTRO_TEST_PLUGIN_DIR "simple/", nullptr}};
    TestUiThreadSink sink = Sink();
    std::shared_ptr<CMessageWindow> window = ui_thread::CreateWindow(sink);
    CPortThread port{ports};
    std::vector<SeenFrame> frames;
    size_t bytesRead = 0;
    std::atomic<int> messagesQueued{0};
};

}  // namespace

TEST_F(PortThreadTest, BytesFromTheReceiverArriveAsDecodedFrames) {
    StartReading();
    ASSERT_TRUE(port.SetPort(1));
    std::vector<uint8_t> stream{'x', 'y'};
    const std::vector<uint8_t> frame = TestFrameU32(kTestValueType, 2500);
    stream.insert(stream.end(), frame.begin(), frame.end());
    terminal.Send(stream);
    ASSERT_TRUE(DispatchUntil([&] { return frames.size() == 2; }));
    EXPECT_EQ(frames[0].protocol, u"");
    EXPECT_EQ(frames[0].bytes, (std::vector<uint8_t>{'x', 'y'}));
    EXPECT_EQ(frames[1].protocol, u"TST");
    EXPECT_EQ(frames[1].bytes, frame);
    EXPECT_EQ(TestValue(), 2.5);
}

TEST_F(PortThreadTest, AFrameSplitAcrossTwoReadsArrivesWhole) {
    StartReading();
    ASSERT_TRUE(port.SetPort(1));
    const std::vector<uint8_t> frame = TestFrameU32(kTestValueType, 7000);
    terminal.Send({frame.begin(), frame.begin() + 5});
    ASSERT_TRUE(DispatchUntil([&] { return bytesRead == 5; }));
    EXPECT_TRUE(frames.empty());
    terminal.Send({frame.begin() + 5, frame.end()});
    ASSERT_TRUE(DispatchUntil([&] { return !frames.empty(); }));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].bytes, frame);
    EXPECT_EQ(TestValue(), 7.0);
}

TEST_F(PortThreadTest, WritesReachTheReceiverAndAClosedPortWritesNothing) {
    StartReading();
    const std::vector<uint8_t> bytes{0xA4, 0x51, 0x06, 0x00, 0x00, 0x00};
    EXPECT_EQ(port.Write(bytes.data(), static_cast<int>(bytes.size())), 0);
    ASSERT_TRUE(port.SetPort(1));
    EXPECT_EQ(port.Write(bytes.data(), static_cast<int>(bytes.size())), static_cast<int>(bytes.size()));
    EXPECT_EQ(terminal.Receive(bytes.size(), 2000), bytes);
}

TEST_F(PortThreadTest, ARateSetWhileClosedAppliesAtTheNextOpen) {
    StartReading();
    EXPECT_TRUE(port.SetBaud(9600));
    EXPECT_FALSE(port.SetBaud(14400));  // no such line speed
    EXPECT_EQ(port.BaudRate(), 9600u);
    ASSERT_TRUE(port.SetPort(1));
    EXPECT_EQ(terminal.SlaveSpeed(), B9600);
    EXPECT_TRUE(port.SetBaud(115200));
    EXPECT_EQ(terminal.SlaveSpeed(), B115200);
}

TEST_F(PortThreadTest, SwitchingPorts) {
    StartReading();
    EXPECT_FALSE(port.SetPort(-1));
    EXPECT_FALSE(port.SetPort(2));  // nothing mapped
    EXPECT_EQ(port.CurrentPort(), 0);
    ASSERT_TRUE(port.SetPort(1));
    EXPECT_FALSE(port.SetPort(1));
    EXPECT_TRUE(port.SetPort(0));
    EXPECT_FALSE(port.IsOpen());
    // The reader sleeps while closed: bytes sent now are not read.
    terminal.Send({'a'});
    window->WaitAndDispatch(300);
    EXPECT_EQ(bytesRead, 0u);
}

TEST_F(PortThreadTest, StopEndsAReaderHandingAFrameToAWindowThatShutsDown) {
    ASSERT_TRUE(port.SetPort(1));
    terminal.Send(TestFrameU32(kTestValueType, 1));
    StartReading();
    auto waitForQueued = [&](int count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (messagesQueued < count && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return messagesQueued >= count;
    };
    ASSERT_TRUE(waitForQueued(1));
    window->DispatchPending();  // the report of the read
    ASSERT_EQ(bytesRead, 9u);
    ASSERT_TRUE(waitForQueued(2));
    // The frame waits for an owner that never dispatches: it closes its window, then stops the thread.
    window->Close();
    port.Close();
    EXPECT_TRUE(port.Wait(5000));
    EXPECT_TRUE(frames.empty());
}

TEST(PortThread, StopEndsAReaderWaitingForThePortToOpen) {
    platform::CMemoryProfile profile;
    platform::CPortMap ports(profile);
    CPortThread port(ports);
    ASSERT_TRUE(port.Start(ThreadPriority::Normal));
    port.Close();
    EXPECT_TRUE(port.Wait(5000));
}
