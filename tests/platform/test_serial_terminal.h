#pragma once
// Test helpers for serial ports: a pseudo-terminal pair whose slave side stands in for the
// receiver's device and whose master side is the receiver; and a child process that holds a
// device the way another program would.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

class PseudoTerminal {
public:
    PseudoTerminal() {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) == 0) slavePath = name;
    }
    ~PseudoTerminal() {
        CloseMaster();
        if (slave >= 0) close(slave);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool IsOpen() const { return !slavePath.empty(); }
    const std::string& SlavePath() const { return slavePath; }
    // The test keeps the slave open too, to look at the line settings the port applied.
    speed_t SlaveSpeed() const {
        termios settings{};
        tcgetattr(slave, &settings);
        return cfgetospeed(&settings);
    }

    // The receiver sends.
    void Send(const std::vector<uint8_t>& bytes) const {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(master, bytes.data() + done, bytes.size() - done);
            if (n <= 0) return;
            done += static_cast<size_t>(n);
        }
    }
    // What the receiver got: up to count bytes, waiting at most timeoutMs in all.
    std::vector<uint8_t> Receive(size_t count, int timeoutMs) const {
        std::vector<uint8_t> bytes;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (bytes.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd request{master, POLLIN, 0};
            if (poll(&request, 1, 50) <= 0) continue;
            uint8_t buffer[256];
            const ssize_t n = read(master, buffer, std::min(sizeof buffer, count - bytes.size()));
            if (n <= 0) break;
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        return bytes;
    }
    // The receiver goes away: the port sees a hang-up.
    void CloseMaster() {
        if (master >= 0) close(master);
        master = -1;
    }

private:
    int master = -1;
    int slave = -1;
    std::string slavePath;
};

// Another program that opens a device and locks it, until destroyed.
class LockingProcess {
public:
    explicit LockingProcess(const std::string& path) {
        int ready[2], release[2];
        if (pipe(ready) != 0 || pipe(release) != 0) return;
        child = fork();
        if (child == 0) {
            close(ready[0]);
            close(release[1]);
            const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
            const char answer = fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
            (void)!write(ready[1], &answer, 1);
            char ignored;
            (void)!read(release[0], &ignored, 1);
            _exit(0);
        }
        close(ready[1]);
        close(release[0]);
        releaseFd = release[1];
        char answer = 'n';
        locked = read(ready[0], &answer, 1) == 1 && answer == 'y';
        close(ready[0]);
    }
    ~LockingProcess() {
        if (releaseFd >= 0) close(releaseFd);
        if (child > 0) waitpid(child, nullptr, 0);
    }
    LockingProcess(const LockingProcess&) = delete;
    LockingProcess& operator=(const LockingProcess&) = delete;

    bool Locked() const { return locked; }
    pid_t Pid() const { return child; }

private:
    pid_t child = -1;
    int releaseFd = -1;
    bool locked = false;
};
