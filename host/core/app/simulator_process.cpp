#include "simulator_process.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

namespace {
constexpr int kStartTimeoutMs = 5000;
constexpr auto kEndTimeout = std::chrono::seconds(2);

std::string SimulatorPath() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::filesystem::path("veltro-sim") : self.parent_path() / "veltro-sim").string();
}
}  // namespace

CSimulatorProcess::~CSimulatorProcess() {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kEndTimeout;
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool CSimulatorProcess::Start(int rateHz, std::string& error) {
    const std::string program = SimulatorPath();
    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        return false;
    }
    const std::string rate = std::to_string(rateHz);
    const pid_t parent = getpid();
    pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(1);
        dup2(output[1], STDOUT_FILENO);
        execl(program.c_str(), program.c_str(), "--output", "pty", "--rate", rate.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(output[1]);
    const bool started = pid > 0 && ReadDevicePath(output[0], error);
    close(output[0]);
    if (pid < 0) error = std::strerror(errno);
    if (!started && error.empty()) error = "cannot start " + program;
    return started;
}

// The simulator's first line names the far end of its terminal.
bool CSimulatorProcess::ReadDevicePath(int fd, std::string& error) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    std::string line;
    char c = 0;
    while (c != '\n') {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd wait{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&wait, 1, static_cast<int>(left.count())) <= 0 || read(fd, &c, 1) != 1) {
            error = "the simulated receiver did not start";
            return false;
        }
        if (c != '\n') line += c;
    }
    devicePath = line;
    return !devicePath.empty();
}
