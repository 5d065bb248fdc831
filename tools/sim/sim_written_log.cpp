#include "sim_written_log.h"

CSimWrittenLog::~CSimWrittenLog() {
    if (file && std::fclose(file) != 0 && !failed)
        std::fprintf(stderr, "veltro-sim: cannot write %s; it lacks its end\n", path.c_str());
}

bool CSimWrittenLog::Open(const std::string& name) {
    path = name;
    file = std::fopen(path.c_str(), "wbe");
    return file != nullptr;
}

void CSimWrittenLog::Append(std::span<const uint8_t> bytes) {
    if (!file || failed || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size()) return;
    failed = true;
    std::fprintf(stderr, "veltro-sim: cannot write %s; it lacks what follows\n", path.c_str());
}
