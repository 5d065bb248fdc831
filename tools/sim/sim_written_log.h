#pragma once
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

// Every byte that went out on the line, in order, for comparing with what a host recorded.
class CSimWrittenLog {
public:
    CSimWrittenLog() = default;
    ~CSimWrittenLog();
    CSimWrittenLog(const CSimWrittenLog&) = delete;
    CSimWrittenLog& operator=(const CSimWrittenLog&) = delete;

    // False when the file cannot be created.
    bool Open(const std::string& path);
    // A failed write is told once on the standard error stream; the log is then incomplete.
    void Append(std::span<const uint8_t> bytes);

private:
    std::FILE* file = nullptr;
    std::string path;
    bool failed = false;
};
