#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

// Where the simulated receiver's bytes go: a pseudo-terminal whose far end the host opens as a
// serial port (and whose input carries the host's commands), or a file, or standard output.
// A terminal can be unplugged and plugged in again, as a USB receiver is: the host sees a hang-up
// and then a new device behind the same stable link.
class CSimLink {
public:
    static constexpr int kWaitForever = -1;

    // Null with error set when no pseudo-terminal is to be had. A non-empty linkPath becomes a
    // symbolic link to the terminal's device, repointed at every plug-in and removed at the end.
    static std::unique_ptr<CSimLink> OpenPseudoTerminal(const std::string& linkPath, std::string& error);
    // "-" is standard output.
    static std::unique_ptr<CSimLink> OpenFile(const std::string& path, std::string& error);
    ~CSimLink();
    CSimLink(const CSimLink&) = delete;
    CSimLink& operator=(const CSimLink&) = delete;

    // The path the host opens: the link when there is one, else the device; empty for a file.
    const std::string& FarEnd() const { return linkPath.empty() ? device : linkPath; }
    // -1 when nothing comes back (a file, or a terminal unplugged).
    int InputDescriptor() const { return isTerminal ? fd : -1; }
    // What arrived, without waiting: 0 when nothing did.
    size_t Read(uint8_t* buffer, size_t capacity);

    enum class WriteResult { Written, TimedOut, Stopped, Failed };
    // Waits while the far end is full, at most timeoutMs, or until stopDescriptor becomes
    // readable. What did not go out by then is dropped, as a UART drops what nobody reads; so is
    // everything while unplugged.
    WriteResult Write(const uint8_t* bytes, size_t length, int timeoutMs, int stopDescriptor);

    // Told every byte that went out on the line. From then on a terminal carries bytes only
    // while a host has it open, so that the listener hears exactly what the host could read.
    void SetWrittenListener(std::function<void(std::span<const uint8_t>)> listener);
    bool Plugged() const { return fd >= 0; }
    // Waits until the host has taken what was written (unless it stopped reading), then closes
    // the terminal, which hangs the host's side up, and removes the link.
    void Unplug();
    // A new terminal behind the link; false with error set when none is to be had.
    bool PlugIn(std::string& error);

private:
    CSimLink(int fd, bool ownsFd, bool isTerminal);
    bool OpenTerminal(std::string& error);
    void CloseTerminal();
    bool HostListening();
    void Drain() const;
    bool WaitWritable(int timeoutMs, int stopDescriptor, WriteResult& why) const;

    int fd;
    bool ownsFd;
    bool isTerminal;
    // Kept open so that the terminal stays raw and never hangs up between two hosts; it also
    // tells how much the host has not yet read.
    int farEndFd = -1;
    std::string device;
    std::string linkPath;
    // The host's opening flushes the line, which the terminal's packet mode reports.
    bool hostListening = false;
    std::function<void(std::span<const uint8_t>)> writtenListener;
};
