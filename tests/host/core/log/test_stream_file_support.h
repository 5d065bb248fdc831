#pragma once
// Files in a temporary folder, and the document's state as text, for the stream log tests.
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/core/intake/veltro_doc.h"
#include "platform/text.h"
#include "shared/storage_values.h"
#include "tests/support/test_protocol.h"

// A folder of its own, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "veltro_log_XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string File(const char* name) const { return (folder / name).string(); }

private:
    std::filesystem::path folder;
};

inline std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Bytes that differ from their neighbours over long stretches, so that a misplaced block shows.
inline std::vector<uint8_t> PatternBytes(size_t count, uint32_t seed) {
    std::vector<uint8_t> bytes(count);
    uint32_t state = seed * 2654435761u + 1;
    for (uint8_t& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(state >> 24);
    }
    return bytes;
}

inline std::vector<uint8_t> Joined(std::vector<uint8_t> first, const std::vector<uint8_t>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The test protocol's two values, which its plug-in decodes into.
inline void AddTestEntries(CVeltroDoc& document) {
    for (uint16_t id : {kTestTimeId, kTestValueId}) {
        auto entry = std::make_unique<CStorageValueStatistics>(u"test", u"test");
        entry->SetSnapshotSlot(document.History().ReserveCommonSlot());
        document.Database().Add(id, std::move(entry));
    }
}

// Every entry's current value, count and age, and every epoch snapshot, as text.
inline std::string DocumentState(CVeltroDoc& document) {
    std::u16string text;
    CEpochHistory& history = document.History();
    for (const auto& [id, entry] : document.Database().Entries()) {
        text += platform::FormatW(u"%04X ", id) + entry->FormatCurrent() + u" " + entry->FormatCount() + u" " +
                entry->FormatAge() + u"\n";
        for (size_t i = 0; i < history.Count(); ++i) text += u" " + entry->FormatSnapshotValue(history, history[i]);
        text += u"\n";
    }
    for (size_t i = 0; i < history.Count(); ++i)
        text += platform::FormatW(u"%llX ", static_cast<unsigned long long>(history[i].Mask().Word(0)));
    return platform::WideToUtf8(text) + platform::FormatC(" epochs %u first %lld last %lld",
                                                          document.Database().GetEpochCounter(),
                                                          static_cast<long long>(document.FirstEpochTime()),
                                                          static_cast<long long>(document.LastEpochTime()));
}
