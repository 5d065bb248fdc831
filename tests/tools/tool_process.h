#pragma once
// The program's tools (veltro-sim, veltro-cli) run as child processes, as a user or a script runs
// them: their standard output and error are collected, every wait is bounded, and a child that
// does not end in time is killed.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

inline std::string ToolPath(const std::string& name) { return std::string(VELTRO_PLUGIN_DIR) + name; }

class ToolProcess {
public:
    explicit ToolProcess(const std::vector<std::string>& args) {
        int out[2], err[2];
        if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return;
        pid = fork();
        if (pid == 0) {
            dup2(out[1], STDOUT_FILENO);
            dup2(err[1], STDERR_FILENO);
            std::vector<char*> argv;
            for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        close(err[1]);
        outFd = out[0];
        errFd = err[0];
    }
    ~ToolProcess() {
        if (pid > 0 && status < 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (outFd >= 0) close(outFd);
        if (errFd >= 0) close(errFd);
    }
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    // Collects output until done(output) holds; false when it does not within timeoutMs.
    bool WaitForOutput(const std::function<bool(const std::string&)>& done, int timeoutMs) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done(out)) {
            if (std::chrono::steady_clock::now() > deadline || !Collect(50)) return done(out);
        }
        return true;
    }
    void Signal(int signal) {
        if (pid > 0 && status < 0) kill(pid, signal);
    }
    // The exit status, or -1 when the process had to be killed after timeoutMs.
    int Wait(int timeoutMs) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (status < 0 && pid > 0) {
            Collect(20);
            int raw = 0;
            if (waitpid(pid, &raw, WNOHANG) == pid) {
                status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
                break;
            }
            if (std::chrono::steady_clock::now() > deadline) return -1;
        }
        // What the process wrote last; a child it left behind may hold the pipes a while.
        const auto drained = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
        while (Collect(20) && std::chrono::steady_clock::now() < drained) {
        }
        return status;
    }
    const std::string& Output() const { return out; }
    const std::string& Errors() const { return err; }
    // The reader of the standard output goes away, as `head` does once it has its lines.
    void CloseOutput() {
        if (outFd >= 0) close(outFd);
        outFd = -1;
    }

private:
    // False once both pipes have ended.
    bool Collect(int timeoutMs) {
        pollfd fds[] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
        if (poll(fds, 2, timeoutMs) <= 0) return outFd >= 0 || errFd >= 0;
        Drain(fds[0], outFd, out);
        Drain(fds[1], errFd, err);
        return outFd >= 0 || errFd >= 0;
    }
    static void Drain(const pollfd& fd, int& descriptor, std::string& text) {
        if (!(fd.revents & (POLLIN | POLLHUP))) return;
        char buffer[4096];
        const ssize_t n = read(descriptor, buffer, sizeof buffer);
        if (n > 0) {
            text.append(buffer, static_cast<size_t>(n));
        } else {
            close(descriptor);
            descriptor = -1;
        }
    }

    pid_t pid = -1;
    int status = -1;
    int outFd = -1;
    int errFd = -1;
    std::string out;
    std::string err;
};

// A tool run to its end: exit status, output and errors.
struct ToolRun {
    int status;
    std::string output;
    std::string errors;
};

inline ToolRun RunTool(const std::vector<std::string>& args, int timeoutMs = 8000) {
    ToolProcess process(args);
    const int status = process.Wait(timeoutMs);
    return {status, process.Output(), process.Errors()};
}
