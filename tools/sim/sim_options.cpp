#include "sim_options.h"

#include <functional>
#include <map>
#include <string_view>

#include "shared/calendar.h"
#include "tools/common/parse_number.h"

namespace {

constexpr const char* kUsage =
    "usage: veltro-sim [options]\n"
    "A simulated GPS receiver that speaks KVB and NMEA at once.\n"
    "\n"
    "  --output pty|-|FILE   a pseudo-terminal (its path is printed), standard output or a file (default pty)\n"
    "  --link PATH           keep a link to the pseudo-terminal at PATH (printed instead of the device)\n"
    "  --replug-every S      unplug the pseudo-terminal every S seconds (the host sees a hang-up) and\n"
    "                        plug a new one in behind the link two seconds later; needs --link\n"
    "  --written-log FILE    write every byte that went out on the pseudo-terminal to FILE; the\n"
    "                        receiver then speaks only while a host has the line open\n"
    "  --rate HZ             navigation rate, 1 to 10 (default 1)\n"
    "  --start now|TIME      time of the first epoch, TIME as 2024-03-01T12:00:00Z (default now)\n"
    "  --motion static|drive standing at the reference point or driving around it (default drive)\n"
    "  --lat DEG --lon DEG --height M   the reference point (default 47.3769 8.5417 460)\n"
    "  --speed M/S           highest speed of the drive (default 14)\n"
    "  --radius M            how far the drive strays from the reference point (default 2000)\n"
    "  --seed N              another drive and another signal flutter\n"
    "  --start-mode hot|warm|cold   how the receiver starts (default hot)\n"
    "  --protocols LIST      kvb, nmea or kvb,nmea: what is output unless the host asks otherwise\n"
    "  --constellations LIST the systems tracked: gps and any of glonass, galileo, beidou, qzss\n"
    "                        (default gps); with more than GPS the NMEA output is the talker GN's\n"
    "  --flood [--epochs N]  write solutions as fast as the output takes them, N of them or until stopped\n"
    "  --truth FILE          write the truth of every epoch to FILE as CSV\n"
    "  --frame-log FILE      log the configuration and aiding frames received to FILE\n"
    "                        (default: standard error)\n"
    "  --orbit-keep FILE     write the orbit-data blocks received to FILE at every cancel\n"
    "  --orbit-refuse N      refuse the N-th block of every orbit-data transfer\n"
    "  --orbit-silent        answer no orbit-data transfer frame\n"
    "  --log-every N         the data logger records every N-th epoch, 0 none (default 1)\n"
    "  --log-preset N        the data logger holds N records of an earlier drive at the start\n"
    "  --log-truth FILE      write every record the data logger takes to FILE as CSV\n"
    "  --help                this text\n";

// "2024-03-01T12:00:00" with an optional "Z".
bool ParseUtc(std::string_view text, double& utc) {
    if (text.ends_with('Z')) text.remove_suffix(1);
    int year, month, day, hour, minute, second;
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':')
        return false;
    if (!ParseNumber(text.substr(0, 4), 1981, 2099, year) || !ParseNumber(text.substr(5, 2), 1, 12, month) ||
        !ParseNumber(text.substr(8, 2), 1, 31, day) || !ParseNumber(text.substr(11, 2), 0, 23, hour) ||
        !ParseNumber(text.substr(14, 2), 0, 59, minute) || !ParseNumber(text.substr(17, 2), 0, 59, second))
        return false;
    utc =
        static_cast<double>(DaysFromCivil(year, month, day)) * kSecondsPerDay + hour * 3600.0 + minute * 60.0 + second;
    return true;
}

bool ParseProtocols(std::string_view text, SimOptions& options) {
    options.kvb = text == "kvb" || text == "kvb,nmea" || text == "nmea,kvb";
    options.nmea = text == "nmea" || text == "kvb,nmea" || text == "nmea,kvb";
    return options.kvb || options.nmea;
}

bool ParseStart(std::string_view text, SimOptions& options) {
    if (text == "now") {
        options.startUtc.reset();
        return true;
    }
    double utc = 0;
    if (!ParseUtc(text, utc)) return false;
    options.startUtc = utc;
    return true;
}

template <typename T>
std::function<bool(std::string_view)> Named(T& target, std::map<std::string_view, T> names) {
    return [&target, names](std::string_view text) {
        auto found = names.find(text);
        if (found == names.end()) return false;
        target = found->second;
        return true;
    };
}

template <typename T>
std::function<bool(std::string_view)> Number(T& target, T low, T high) {
    return [&target, low, high](std::string_view text) { return ParseNumber(text, low, high, target); };
}

// The options of the pseudo-terminal's line mean nothing for a file, and a replugged terminal
// without a link could not be found again.
bool CheckLineOptions(const SimOptions& options, std::string& error) {
    const bool lineOptions = !options.linkPath.empty() || options.replugEverySeconds || !options.writtenLogPath.empty();
    if (lineOptions && options.output != "pty") {
        error = "--link, --replug-every and --written-log need --output pty";
        return false;
    }
    if (options.replugEverySeconds && (options.linkPath.empty() || options.flood)) {
        error = "--replug-every needs --link, and runs in real time only";
        return false;
    }
    return true;
}

}  // namespace

bool ParseSimOptions(int argc, const char* const* argv, SimOptions& options, std::string& error) {
    int hz = 1;
    SimTrajectoryConfig& trajectory = options.trajectory;
    const std::map<std::string_view, std::function<bool(std::string_view)>> withValue = {
        {"--output", [&](std::string_view v) { return !(options.output = v).empty(); }},
        {"--link", [&](std::string_view v) { return !(options.linkPath = v).empty(); }},
        {"--replug-every", Number(options.replugEverySeconds, uint32_t{1}, uint32_t{86400})},
        {"--written-log", [&](std::string_view v) { return !(options.writtenLogPath = v).empty(); }},
        {"--rate", Number(hz, 1, 10)},
        {"--start", [&](std::string_view v) { return ParseStart(v, options); }},
        {"--motion", Named(trajectory.motion, {{"static", SimMotion::Static}, {"drive", SimMotion::Drive}})},
        {"--lat", Number(trajectory.latitude, -85.0, 85.0)},
        {"--lon", Number(trajectory.longitude, -180.0, 180.0)},
        {"--height", Number(trajectory.height, -500.0, 20000.0)},
        {"--speed", Number(trajectory.maxSpeed, 0.0, 100.0)},
        {"--radius", Number(trajectory.radius, 10.0, 100000.0)},
        {"--seed", Number(trajectory.seed, uint64_t{0}, UINT64_MAX)},
        {"--start-mode",
         Named(options.start, {{"hot", SimStart::Hot}, {"warm", SimStart::Warm}, {"cold", SimStart::Cold}})},
        {"--protocols", [&](std::string_view v) { return ParseProtocols(v, options); }},
        {"--constellations", [&](std::string_view v) { return ParseSimSystems(v, options.systems); }},
        {"--epochs", Number(options.epochs, uint64_t{1}, UINT64_MAX)},
        {"--truth", [&](std::string_view v) { return !(options.truthPath = v).empty(); }},
        {"--frame-log", [&](std::string_view v) { return !(options.frameLogPath = v).empty(); }},
        {"--orbit-keep", [&](std::string_view v) { return !(options.orbit.keepPath = v).empty(); }},
        {"--orbit-refuse", Number(options.orbit.refuseBlock, uint32_t{1}, UINT32_MAX)},
        {"--log-every", Number(options.logger.every, uint32_t{0}, UINT32_MAX)},
        {"--log-preset", Number(options.logger.preset, uint32_t{0}, CSimDataLogger::kCapacity)},
        {"--log-truth", [&](std::string_view v) { return !(options.logger.truthPath = v).empty(); }},
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--flood") {
            options.flood = true;
        } else if (name == "--orbit-silent") {
            options.orbit.silent = true;
        } else if (auto option = withValue.find(name); option != withValue.end()) {
            if (i + 1 >= argc) {
                error = "option " + std::string(name) + " needs a value";
                return false;
            }
            if (!option->second(argv[++i])) {
                error = "invalid value for " + std::string(name) + ": " + argv[i];
                return false;
            }
        } else {
            error = "unknown option " + std::string(name);
            return false;
        }
    }
    options.periodMs = static_cast<uint16_t>(1000 / hz);
    return CheckLineOptions(options, error);
}

const char* SimUsage() { return kUsage; }
