#pragma once
// A simulated receiver (veltro-sim) on a pseudo-terminal for as long as it lives, as a user starts
// one: its terminal's path, and what it logs on its standard error.
#include <csignal>
#include <string>
#include <vector>

#include "tests/tools/tool_process.h"

class Simulator {
public:
    explicit Simulator(std::vector<std::string> options = {}) : process(Args(std::move(options))) {
        process.WaitForOutput([](const std::string& out) { return out.find('\n') != std::string::npos; }, 5000);
        devicePath = process.Output().substr(0, process.Output().find('\n'));
    }
    ~Simulator() {
        process.Signal(SIGTERM);
        process.Wait(5000);
    }
    const std::string& DevicePath() const { return devicePath; }
    // Collects the simulator's standard error until done(errors) holds; false when it does not in time.
    bool WaitForErrors(const std::function<bool(const std::string&)>& done, int timeoutMs) {
        return process.WaitForOutput([&](const std::string&) { return done(process.Errors()); }, timeoutMs);
    }
    const std::string& Errors() const { return process.Errors(); }

private:
    static std::vector<std::string> Args(std::vector<std::string> options) {
        options.insert(options.begin(), {ToolPath("veltro-sim"), "--rate", "5"});
        return options;
    }

    ToolProcess process;
    std::string devicePath;
};
