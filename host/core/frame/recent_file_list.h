#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace platform {
class CProfile;
}

// The most recently used log files, newest first, kept in the section "Recent File List" as
// "File1", "File2", ...
class CRecentFileList {
public:
    explicit CRecentFileList(size_t capacity) : capacity(capacity) {}

    void Load(const platform::CProfile& profile);
    void Save(platform::CProfile& profile) const;

    // The path moves to the top; a full list drops its oldest entry.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Entries() const { return entries; }

private:
    size_t capacity;
    std::vector<std::string> entries;
};
