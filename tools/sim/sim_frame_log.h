#pragma once
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

// One line for every configuration (class 0x06) and aiding (class 0x0B) frame that arrives, so that
// a user or a test sees what the host sent and when:
// "veltro-sim: +1234 ms received 06 04, 12 bytes: A4 51 06 04 ...".
class CSimFrameLog {
public:
    // Standard error until Open names a file.
    CSimFrameLog() = default;
    ~CSimFrameLog();
    CSimFrameLog(const CSimFrameLog&) = delete;
    CSimFrameLog& operator=(const CSimFrameLog&) = delete;

    bool Open(const std::string& path);
    void OnFrame(std::span<const uint8_t> frame);

private:
    std::FILE* file = nullptr;
    const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};
