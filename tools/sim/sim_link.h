#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Where the simulated receiver's bytes go: a pseudo-terminal whose far end the host opens as a
// serial port (and whose input carries the host's commands), or a file, or standard output.
class CSimLink {
public:
    static constexpr int kWaitForever = -1;

    // Null with error set when no pseudo-terminal is to be had.
    static std::unique_ptr<CSimLink> OpenPseudoTerminal(std::string& error);
    // "-" is standard output.
    static std::unique_ptr<CSimLink> OpenFile(const std::string& path, std::string& error);
    ~CSimLink();
    CSimLink(const CSimLink&) = delete;
    CSimLink& operator=(const CSimLink&) = delete;

    // The device path the host opens; empty for a file.
    const std::string& FarEnd() const { return farEnd; }
    // -1 when nothing comes back.
    int InputDescriptor() const { return isTerminal ? fd : -1; }
    // What arrived, without waiting: 0 when nothing did.
    size_t Read(uint8_t* buffer, size_t capacity);

    enum class WriteResult { Written, TimedOut, Stopped, Failed };
    // Waits while the far end is full, at most timeoutMs, or until stopDescriptor becomes
    // readable. What did not go out by then is dropped, as a UART drops what nobody reads.
    WriteResult Write(const uint8_t* bytes, size_t length, int timeoutMs, int stopDescriptor);

private:
    CSimLink(int fd, bool ownsFd, bool isTerminal);
    bool WaitWritable(int timeoutMs, int stopDescriptor, WriteResult& why) const;

    int fd;
    bool ownsFd;
    bool isTerminal;
    // Kept open so that the terminal stays raw and never hangs up between two hosts.
    int farEndFd = -1;
    std::string farEnd;
};
