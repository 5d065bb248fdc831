#include "sim_truth_log.h"

#include "platform/text.h"
#include "shared/calendar.h"

bool CSimTruthLog::Open(const std::string& path) {
    file = std::fopen(path.c_str(), "we");
    if (file) std::fputs("utc,fix,latitude,longitude,height,height_msl,speed,heading,used,tracked,pdop\n", file);
    return file != nullptr;
}

CSimTruthLog::~CSimTruthLog() {
    if (file) std::fclose(file);
}

void CSimTruthLog::Write(const SimEpoch& e) {
    if (!file) return;
    const int64_t utcMs = e.UtcMs();
    const CivilTime t = CivilFromSeconds(static_cast<double>(utcMs / 1000));
    const std::string row =
        platform::FormatC("%04d-%02d-%02dT%02d:%02d:%02d.%03dZ,%d,%.9f,%.9f,%.3f,%.3f,%.3f,%.3f,%d,%d,%.2f\n", t.year,
                          t.month, t.day, t.hour, t.minute, static_cast<int>(t.second), static_cast<int>(utcMs % 1000),
                          static_cast<int>(e.fix), e.latitude, e.longitude, e.height, e.heightMsl, e.GroundSpeed(),
                          e.heading, e.UsedCount(), e.TrackedCount(), e.dop.position);
    std::fputs(row.c_str(), file);
    std::fflush(file);
}
