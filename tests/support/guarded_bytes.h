#pragma once
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <vector>

// A copy of bytes placed right before an inaccessible page: reading even one byte past them
// crashes the test, in every build and not only under the address sanitizer.
class GuardedBytes {
public:
    GuardedBytes(const std::vector<uint8_t>& bytes, size_t count) {
        const size_t pageSize = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        mappingSize = (count / pageSize + 2) * pageSize;
        mapping = static_cast<uint8_t*>(
            mmap(nullptr, mappingSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        uint8_t* guard = mapping + mappingSize - pageSize;
        mprotect(guard, pageSize, PROT_NONE);
        start = guard - count;
        std::copy_n(bytes.begin(), count, start);
    }
    explicit GuardedBytes(const std::vector<uint8_t>& bytes) : GuardedBytes(bytes, bytes.size()) {}
    ~GuardedBytes() { munmap(mapping, mappingSize); }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;

    uint8_t* data() { return start; }

private:
    size_t mappingSize;
    uint8_t* mapping;
    uint8_t* start;
};
