#pragma once
// The Qt application that every GUI test needs, the program with its real window and plug-ins in
// a folder of its own, and prompts that the tests answer instead of a user.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/core/app/veltro_app.h"
#include "host/core/intake/veltro_doc.h"
#include "host/core/log/stream_file_thread.h"
#include "host/views/command_bar.h"
#include "host/views/log_file_dialogs.h"
#include "host/views/main_frame_factory.h"
#include "host/views/main_frame_mobile.h"
#include "host/views/message_box.h"
#include "resources/veltro/command_ids.h"
#include "tests/host/views/test_view_host.h"

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "veltro-gui-test";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { application.reset(); }

private:
    std::unique_ptr<QApplication> application;
};

// Handles the window's events until done answers true or the time is up; answers done.
inline bool RunEventsUntil(const std::function<bool()>& done,
                           std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Runs action on the dialog of that class once it is the modal one.
template <class Dialog>
void WhenModal(std::function<void(Dialog&)> action) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        action(*dialog);
    });
    timer->start(10);
}

inline std::string NmeaSentence(const std::string& body) {
    uint8_t sum = 0;
    for (char c : body) sum ^= static_cast<uint8_t>(c);
    char checksum[4];
    std::snprintf(checksum, sizeof checksum, "%02X", sum);
    return "$" + body + "*" + checksum + "\r\n";
}

inline std::string NmeaFix(int second) {
    char body[96];
    std::snprintf(body, sizeof body, "GPGGA,1200%02d.00,4717.11399,N,00833.91590,E,1,08,1.01,499.6,M,48.0,M,,",
                  second % 60);
    return NmeaSentence(body);
}

// The program with its Qt window, the real plug-ins, settings in a folder of its own and no
// serial devices but those a test names.
class GuiAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "veltro-gui-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        std::filesystem::create_directories(folder / "sys");
        std::filesystem::create_directories(folder / "dev");
    }
    void TearDown() override {
        if (app) app->ExitInstance();
        app.reset();
        MessageMask = 1;
        std::filesystem::remove_all(folder);
    }

    // Starts the program; registry is where the tests add views of their own.
    CMainFrameMobile& Start(std::vector<std::string> arguments,
                            CViewRegistry registry = CMainFrameFactory::StandardViews()) {
        arguments.push_back("-nologo");
        frames = std::make_unique<CMainFrameFactory>(FramePrompts{&prompts, &prompts}, std::move(registry));
        app = std::make_unique<CVeltroApp>(
            AppOptions{.arguments = std::move(arguments),
                       .profilePath = ProfilePath(),
                       .pluginFolder = VELTRO_PLUGIN_DIR,
                       .serialDevices = {(folder / "sys").string(), (folder / "dev").string()}},
            *frames);
        EXPECT_TRUE(app->InitInstance());
        return *dynamic_cast<CMainFrameMobile*>(app->MainFrame());
    }

    // What the menus show once they have dropped down.
    QAction* Item(CMainFrameMobile& frame, unsigned command) {
        for (QMenu* menu : frame.CommandBar().Menus()) menu->aboutToShow();
        return frame.CommandBar().MenuAction(command);
    }
    bool Enabled(CMainFrameMobile& frame, unsigned command) {
        QAction* item = Item(frame, command);
        return item && item->isEnabled();
    }
    bool Checked(CMainFrameMobile& frame, unsigned command) {
        QAction* item = Item(frame, command);
        return item && item->isChecked();
    }
    bool ToolBarButtonShown(CMainFrameMobile& frame, unsigned command) {
        frame.CommandBar().UpdateToolBar();
        QAction* button = frame.CommandBar().ToolBarAction(command);
        return button && button->isVisible();
    }
    void OpenLog(CMainFrameMobile& frame, int fixes) {
        prompts.openFile = ILogFileDialogs::OpenChoice{WriteFile("replay.kvb", NmeaLog(fixes)), false};
        frame.CommandBar().Run(cmd::kOpen);
        ASSERT_EQ(app->Log().State(), LogState::Open);
    }

    std::string ProfilePath() const { return (folder / "Veltro3.ini").string(); }
    std::string WriteFile(const std::string& name, const std::string& bytes) const {
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string NmeaLog(int fixes) const {
        std::string bytes;
        for (int i = 0; i < fixes; ++i) bytes += NmeaFix(i);
        return bytes;
    }

    std::filesystem::path folder;
    FakePrompts prompts;
    std::unique_ptr<CMainFrameFactory> frames;
    std::unique_ptr<CVeltroApp> app;
};
