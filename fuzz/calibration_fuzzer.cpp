// Arbitrary bytes as a map's calibration file, read through the profile store as the map view
// reads it, and as a world file. Nothing may be read or written outside a buffer; the marker table
// holds the three references and at most the capped count, and only with a calibration; every
// failure is told in at most two messages.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "host/core/maps/calibration_file.h"
#include "host/core/maps/world_file.h"

namespace {

const std::string& FilePath() {
    static const std::string path = "/tmp/veltro-fuzz-calibration-" + std::to_string(::getpid()) + ".mcf";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::ofstream(FilePath(), std::ios::binary | std::ios::trunc) << text;
    const MapCalibration calibration = ReadCalibrationFile(FilePath());
    if (calibration.messages.size() > 2) __builtin_trap();
    if (calibration.markers.size() > 3 + static_cast<size_t>(kMaxMarkers)) __builtin_trap();
    // Markers only with a calibration, and then after its three references.
    if (calibration.transform.has_value() != (calibration.markers.size() >= 3)) __builtin_trap();
    const WorldFileParse world = ParseWorldFile(text);
    if (world.file.has_value() == (world.badLine != 0)) __builtin_trap();
    if (world.file && IsInDegrees(*world.file, 640, 480)) CMapTransform::Solve(WorldFileReferences(*world.file));
    return 0;
}
