// Arbitrary bytes read as a saved configuration against the KVB tree: the file refused or taken
// frame by frame, every frame taken named by its setting and built back into the frame that
// sets it, as loading it would send it. Nothing may be read or written beyond a buffer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/kvb_fuzz_host.h"
#include "host/services/configuration_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static KvbHost host;
    static const CConfigurationEntries entries(std::vector<const ProtocolEntry*>{&host.entry});
    const std::vector<uint8_t> stream = StreamFromChunks(data, size);
    std::vector<ConfigurationFrame> frames;
    std::string error;
    const bool taken = entries.Parse(stream, frames, error);
    if (taken == frames.empty() || taken != error.empty()) __builtin_trap();
    for (const ConfigurationFrame& frame : frames) {
        if (frame.entry >= entries.Size()) __builtin_trap();
        entries.Name(frame.entry);
        if (SettingFrame(*entries.Entries()[frame.entry].node, frame.bytes).empty()) __builtin_trap();
    }
    return 0;
}
