#include "sim_frame_log.h"

#include <algorithm>

namespace {
constexpr uint8_t kClassCfg = 0x06;
constexpr uint8_t kClassAid = 0x0B;
// Enough to tell one frame from another; a long aiding message is named by its length.
constexpr size_t kShownBytes = 16;
}  // namespace

CSimFrameLog::~CSimFrameLog() {
    if (file) std::fclose(file);
}

bool CSimFrameLog::Open(const std::string& path) {
    file = std::fopen(path.c_str(), "w");
    return file != nullptr;
}

void CSimFrameLog::OnFrame(std::span<const uint8_t> frame) {
    if (frame.size() < 4 || (frame[2] != kClassCfg && frame[2] != kClassAid)) return;
    std::string bytes;
    char hex[4];
    for (size_t k = 0; k < std::min(frame.size(), kShownBytes); ++k) {
        std::snprintf(hex, sizeof hex, " %02X", frame[k]);
        bytes += hex;
    }
    if (frame.size() > kShownBytes) bytes += " ...";
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    std::FILE* out = file ? file : stderr;
    std::fprintf(out, "veltro-sim: +%lld ms received %02X %02X, %zu bytes:%s\n",
                 static_cast<long long>(elapsed.count()), frame[2], frame[3], frame.size(), bytes.c_str());
    std::fflush(out);
}
