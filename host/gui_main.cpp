// veltro: the program with its main window. "--simulate" (or "--simulate=HZ" for a navigation
// rate of 1 to 10 Hz) starts a simulated receiver and connects to it.
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/app/simulator_process.h"
#include "host/core/app/veltro_app.h"
#include "host/core/frame/main_frame.h"
#include "host/views/main_frame_base.h"
#include "host/views/main_frame_factory.h"

namespace {

constexpr std::string_view kSimulate = "--simulate";

// The rate asked for with --simulate, 0 without it; the option is taken out of the arguments.
int TakeSimulateOption(std::vector<std::string>& arguments) {
    int rate = 0;
    std::erase_if(arguments, [&](const std::string& argument) {
        if (!argument.starts_with(kSimulate)) return false;
        const std::string_view value = std::string_view(argument).substr(kSimulate.size());
        if (value.empty())
            rate = 1;
        else if (value.front() == '=')
            rate = std::clamp(std::atoi(value.data() + 1), 1, 10);
        else
            return false;
        return true;
    });
    return rate;
}

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
}

// Help and the version need no window: they are answered before Qt looks for a display.
bool AnsweredWithoutDisplay(const std::vector<std::string>& arguments) {
    CVeltroCommandLine commandLine;
    commandLine.ParseArguments(arguments);
    commandLine.Finish();
    return CVeltroApp::AnswerHelpOrVersion(commandLine);
}

// Ctrl-C and a polite kill close the window in whatever state it is, without asking: open
// dialogs are cancelled, a recording is closed, the settings are saved and the workers end.
void CloseOnSignals(CMainFrameBase& window) {
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte;
        while (read(signalPipe[0], &byte, 1) > 0) {
        }
        window.CloseWithoutAsking();
    });
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const int simulatorRate = TakeSimulateOption(arguments);
    if (AnsweredWithoutDisplay(arguments)) return 0;
    QApplication qt(argc, argv);
    // The window ends the program through its own closing question, not Qt.
    QApplication::setQuitOnLastWindowClosed(false);
    CSimulatorProcess simulator;
    if (simulatorRate) {
        std::string error;
        if (!simulator.Start(simulatorRate, error)) {
            std::fprintf(stderr, "veltro: %s\n", error.c_str());
            return 1;
        }
        arguments.insert(arguments.end(), {"-port", simulator.DevicePath()});
    }
    CMainFrameFactory frames;
    CVeltroApp app(AppOptions{.arguments = arguments}, frames);
    if (!app.InitInstance()) return app.ExitInstance();
    if (auto* window = dynamic_cast<CMainFrameBase*>(app.MainFrame())) CloseOnSignals(*window);
    app.MainFrame()->RunMessageLoop();
    return app.ExitInstance();
}
