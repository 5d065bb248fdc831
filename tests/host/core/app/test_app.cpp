#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <thread>

#include "host/core/app/veltro_app.h"
#include "host/core/connection/port_thread.h"
#include "host/core/frame/headless_frame.h"
#include "host/core/intake/veltro_doc.h"
#include "host/core/log/log_file_texts.h"
#include "host/core/log/stream_file_thread.h"
#include "host/core/messages/page_template.h"
#include "host/core/threads/ui_thread_sink.h"
#include "platform/file_profile.h"
#include "platform/text.h"
#include "shared/memory_page.h"
#include "tests/platform/test_serial_terminal.h"
#include "tests/support/message_counter.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

std::string Sentence(const std::string& body) {
    uint8_t sum = 0;
    for (char c : body) sum ^= static_cast<uint8_t>(c);
    char checksum[4];
    std::snprintf(checksum, sizeof checksum, "%02X", sum);
    return "$" + body + "*" + checksum + "\r\n";
}

std::string Fix(int second) {
    char body[96];
    std::snprintf(body, sizeof body, "GPGGA,1200%02d.00,4717.11399,N,00833.91590,E,1,08,1.01,499.6,M,48.0,M,,", second);
    return Sentence(body);
}

// Counts the messages the document processed, by name.
class FailingFrameFactory : public IFrameFactory {
public:
    std::unique_ptr<IMainFrame> CreateMainFrame(const FrameParts&) override { return nullptr; }
};

// The application with the real plug-ins and a headless frame, its settings in a folder of its own
// and no serial devices but those a test maps.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "veltro-app-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        profilePath = (folder / "Veltro3.ini").string();
        fs::create_directories(folder / "sys");
        fs::create_directories(folder / "dev");
    }
    void TearDown() override {
        MessageMask = MASK_ORDINARY;
        fs::remove_all(folder);
    }

    AppOptions Options(std::vector<std::string> arguments) {
        return {.arguments = std::move(arguments),
                .profilePath = profilePath,
                .pluginFolder = VELTRO_PLUGIN_DIR,
                .serialDevices = {(folder / "sys").string(), (folder / "dev").string()}};
    }
    // Runs the frame's message loop until done answers true, for at most five seconds.
    bool RunUntil(CVeltroApp& app, std::function<bool()> done) {
        until = std::move(done);
        deadline = Clock::now() + std::chrono::seconds(5);
        app.MainFrame()->RunMessageLoop();
        return until();
    }
    std::string WriteLog(const std::string& name, const std::string& bytes) {
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    fs::path folder;
    std::string profilePath;
    std::function<bool()> until;
    Clock::time_point deadline;
    CHeadlessFrameFactory frames{[this] { return Clock::now() > deadline || (until && until()); }};
};

TEST_F(AppTest, StartsAndEndsHeadlessAndWritesItsSettings) {
    CVeltroApp app(Options({"-baud", "9600"}), frames);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.Document().Plugins().Protocols().size(), 2u);
    EXPECT_EQ(static_cast<CHeadlessFrame*>(app.MainFrame())->Caption(), u"Veltro 4.02");
    EXPECT_EQ(app.Document().History().Capacity(), CVeltroApp::kHistoryCapacity);

    const auto start = Clock::now();
    EXPECT_EQ(app.ExitInstance(), 0);
    // Both workers ended when asked, not when the time ran out.
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(CVeltroApp::kThreadStopTimeoutMs));

    const platform::CFileProfile saved(profilePath);
    EXPECT_EQ(saved.GetInt(u"Settings", u"BaudRate", 0), 9600);
    EXPECT_EQ(saved.GetInt(u"Settings", u"Port", 0), 1);
    EXPECT_EQ(saved.GetInt(u"Database\\Completer", u"Time UTC to GPS", 0), 1);
}

TEST_F(AppTest, SettingsSurviveARestart) {
    {
        CVeltroApp app(Options({"-baud", "19200", "-history", "3600"}), frames);
        ASSERT_TRUE(app.InitInstance());
        app.MainFrame()->Logic().AddToRecentFileList("/logs/drive.kvb");
    }
    CVeltroApp app(Options({}), frames);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.PortThread().BaudRate(), 19200u);
    EXPECT_EQ(app.MainFrame()->Logic().RecentFiles().Entries(), std::vector<std::string>{"/logs/drive.kvb"});
    // The history's size is an option of one run, not a setting.
    EXPECT_EQ(app.Document().History().Capacity(), CVeltroApp::kHistoryCapacity);
}

// The arguments' last keyword takes its value from the stored options, not a log named after it.
TEST_F(AppTest, TheStoredOptionsGiveTheValueOfTheArgumentsLastKeyword) {
    platform::CFileProfile(profilePath).WriteString(u"Settings", u"CommandLine", u"3600");
    CVeltroApp app(Options({"-history"}), frames);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.Document().History().Capacity(), 3600u);
    EXPECT_EQ(app.Log().State(), LogState::None);
}

TEST_F(AppTest, AProfileFullOfGarbageIsReportedAndReplaced) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) % 256);
    std::ofstream(profilePath, std::ios::binary) << "[Settings]\nPort=i:" << garbage;

    testing::internal::CaptureStderr();
    {
        CVeltroApp app(Options({}), frames);
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(app.ExitInstance(), 0);
    }
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("damaged"), std::string::npos) << report;
    EXPECT_EQ(report.find("damaged"), report.rfind("damaged"));

    testing::internal::CaptureStderr();
    const platform::CFileProfile saved(profilePath);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(saved.GetInt(u"Settings", u"Port", 0), 1);
}

TEST_F(AppTest, ADamagedSettingCostsNoOtherAcrossARun) {
    const std::string original = "[Ports]\nCOM3=s:/dev/serial/by-id/gps\n[Settings]\nBaudRate=i:19200\nPort=i:\x01\n";
    std::ofstream(profilePath, std::ios::binary) << original;
    testing::internal::CaptureStderr();
    {
        CVeltroApp app(Options({}), frames);
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(app.ExitInstance(), 0);
    }
    EXPECT_NE(testing::internal::GetCapturedStderr().find("damaged line 5 ignored"), std::string::npos);
    const platform::CFileProfile saved(profilePath);
    EXPECT_EQ(saved.GetInt(u"Settings", u"BaudRate", 0), 19200);
    EXPECT_EQ(saved.GetString(u"Ports", u"COM3", u""), u"/dev/serial/by-id/gps");
    std::ifstream backup(saved.BackupPath(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(backup), {}), original);
}

TEST_F(AppTest, SettingsTooLongForAPathOrCommandLineAreRefusedInFewWords) {
    const std::u16string huge(1024 * 1024, u'x');
    {
        platform::CFileProfile profile(profilePath);
        platform::CFileProfile::CWriteBatch batch(profile);
        profile.WriteString(u"Settings", u"CommandLine", huge);
        profile.WriteString(u"Ports", u"COM1", u"/dev/" + huge);
        profile.WriteString(u"Recent File List", u"File1", u"/logs/" + huge);
        profile.WriteString(u"Recent File List", u"File2", u"/logs/drive.kvb");
    }
    testing::internal::CaptureStderr();
    CVeltroApp app(Options({"-port", "1"}), frames);
    ASSERT_TRUE(app.InitInstance());
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(report.find(platform::WideToUtf8(kLogNotOpened.text)), std::string::npos) << "log tried";
    EXPECT_FALSE(app.PortThread().IsOpen());
    EXPECT_EQ(app.MainFrame()->Logic().RecentFiles().Entries(), std::vector<std::string>{"/logs/drive.kvb"});
    for (const char* setting : {"Settings/CommandLine", "Ports/COM1", "Recent File List/File1"})
        EXPECT_NE(report.find(setting), std::string::npos) << setting;
    EXPECT_LT(report.size(), 400u) << report.substr(0, 400);
}

TEST_F(AppTest, KeywordsComeFromTheCommandLineAndFromTheStoredSetting) {
    platform::CFileProfile(profilePath)
        .WriteString(u"Settings", u"CommandLine", u"   -logging  -extended   /odometer  ");
    CVeltroApp app(Options({"/ATMEL", "-history", "3600"}), frames);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(MessageMask, MASK_ORDINARY | 0x100u | 0x2 | 0x4);
    EXPECT_EQ(app.Document().History().Capacity(), 3600u);
    // The plug-ins were told to show their extended pages: NAV-STATUS has its four flag rows
    // and the outgoing corrections besides its eight.
    CMessageNode* status = app.Document().FindNodeByProtocol(u"KVB", u"NAV-STATUS", nullptr);
    ASSERT_TRUE(status && PageTemplateOf(*status));
    CMemoryPage page(*PageTemplateOf(*status));
    status->InitPage(page);
    EXPECT_EQ(page.RowCount(1357), 13);
}

TEST_F(AppTest, AFrameThatCannotBeCreatedEndsTheProgram) {
    FailingFrameFactory failing;
    CVeltroApp app(Options({}), failing);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(app.InitInstance());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("main window"), std::string::npos);
    EXPECT_NE(app.ExitInstance(), 0);
}

TEST_F(AppTest, HelpEndsTheProgramBeforeItTouchesAnything) {
    platform::CFileProfile(profilePath).WriteString(u"Recent File List", u"File1", u"/logs/old.kvb");
    const auto before = fs::last_write_time(profilePath);
    CVeltroApp app(Options({"--help"}), frames);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(app.InitInstance());
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Usage: veltro"), std::string::npos);
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(fs::last_write_time(profilePath), before);
}

TEST_F(AppTest, ALogGivenOnTheCommandLineIsOpenedAndReplays) {
    std::string stream;
    for (int second = 0; second < 20; ++second) stream += Fix(second);
    const std::string path = WriteLog("drive.kvb", stream + "tail");

    CVeltroApp app(Options({path}), frames);
    ASSERT_TRUE(app.InitInstance());
    ASSERT_EQ(app.Log().State(), LogState::Open);
    EXPECT_EQ(app.Document().Title(), u"drive.kvb");
    EXPECT_EQ(app.MainFrame()->Logic().RecentFiles().Entries(), std::vector<std::string>{path});

    MessageCounter counter;
    app.Document().AddObserver(&counter);
    app.Log().Seek(app.Log().Length());
    EXPECT_TRUE(RunUntil(app, [&] { return app.Log().IsPaused(); }));
    app.Document().RemoveObserver(&counter);
    EXPECT_EQ(counter.Count(u"GPGGA"), 20);
    EXPECT_EQ(app.Log().Position(), app.Log().Length());
}

TEST_F(AppTest, APortDeviceOnTheCommandLineIsReadAndWritten) {
    PseudoTerminal receiver;
    ASSERT_TRUE(receiver.IsOpen());
    CVeltroApp app(Options({"-port", receiver.SlavePath()}), frames);
    ASSERT_TRUE(app.InitInstance());
    ASSERT_EQ(app.PortThread().CurrentPort(), 1);

    MessageCounter counter;
    app.Document().AddObserver(&counter);
    const std::string fix = Fix(1) + Fix(2);
    receiver.Send({fix.begin(), fix.end()});
    EXPECT_TRUE(RunUntil(app, [&] { return counter.Count(u"GPGGA") == 2; }));

    // A service on a worker thread has bytes sent through the frame.
    const std::string poll = Sentence("EIGPQ,RMC");
    const auto* bytes = reinterpret_cast<const uint8_t*>(poll.data());
    std::atomic<intptr_t> sent{-1};
    std::thread service([&] {
        sent = ui_thread::SendBytes(*app.MainFrame()->Logic().Window(), bytes, static_cast<int>(poll.size())) ? 1 : 0;
    });
    EXPECT_TRUE(RunUntil(app, [&] { return sent != -1; }));
    service.join();
    EXPECT_EQ(sent, 1);
    const std::vector<uint8_t> received = receiver.Receive(poll.size(), 2000);
    EXPECT_EQ(std::string(received.begin(), received.end()), poll);
    app.Document().RemoveObserver(&counter);

    EXPECT_EQ(app.ExitInstance(), 0);
    const platform::CFileProfile saved(profilePath);
    // The device was for this run; the next start finds COM1 as before.
    EXPECT_EQ(saved.GetString(u"Ports", u"COM1", u""), u"");
    EXPECT_EQ(saved.GetInt(u"Settings", u"DoConnect", 0), 1);
}

// Holds every thread that hands a message to the frame once armed, until released. Shared, so
// that a thread left behind never waits on freed memory.
struct Blocker {
    void OnWakeUp() {
        std::unique_lock lock(mutex);
        ++calls;
        changed.notify_all();
        changed.wait(lock, [&] { return !armed || released; });
    }
    bool WaitUntil(const std::function<bool()>& done) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(5), done);
    }
    void Set(bool& flag) {
        std::lock_guard lock(mutex);
        flag = true;
        changed.notify_all();
    }

    std::mutex mutex;
    std::condition_variable changed;
    int calls = 0;
    bool armed = false;
    bool released = false;
};

class BlockingFrameFactory : public IFrameFactory {
public:
    BlockingFrameFactory(IFrameFactory& frames, std::shared_ptr<Blocker> blocker) : frames(frames), blocker(blocker) {}
    std::unique_ptr<IMainFrame> CreateMainFrame(const FrameParts& parts) override {
        auto frame = frames.CreateMainFrame(parts);
        frame->Logic().Window()->SetWakeUp([blocker = blocker] { blocker->OnWakeUp(); });
        return frame;
    }

private:
    IFrameFactory& frames;
    std::shared_ptr<Blocker> blocker;
};

TEST_F(AppTest, ExitWaitsNoLongerThanAllowedForAThreadThatIsStuck) {
    const std::string path = WriteLog("stuck.kvb", Fix(1) + Fix(2));
    auto blocker = std::make_shared<Blocker>();
    BlockingFrameFactory blockingFrames(frames, blocker);
    CVeltroApp app(Options({path}), blockingFrames);
    ASSERT_TRUE(app.InitInstance());
    // The port thread's first report passes; it then sleeps until the port opens. The log thread
    // gets stuck in the hand-off of its first frame.
    ASSERT_TRUE(blocker->WaitUntil([&] { return blocker->calls == 1; }));
    blocker->Set(blocker->armed);
    app.Log().Play();
    ASSERT_TRUE(blocker->WaitUntil([&] { return blocker->calls == 2; }));

    testing::internal::CaptureStderr();
    const auto start = Clock::now();
    EXPECT_EQ(app.ExitInstance(), 0);
    const auto waited = Clock::now() - start;
    EXPECT_NE(testing::internal::GetCapturedStderr().find("log thread did not end"), std::string::npos);
    EXPECT_GE(waited, std::chrono::milliseconds(CVeltroApp::kThreadStopTimeoutMs));
    EXPECT_LT(waited, std::chrono::milliseconds(2 * CVeltroApp::kThreadStopTimeoutMs));
    EXPECT_EQ(platform::CFileProfile(profilePath).GetInt(u"Settings", u"Port", 0), 1);
    blocker->Set(blocker->released);
}

}  // namespace
