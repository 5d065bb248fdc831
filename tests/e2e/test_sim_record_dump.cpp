// The whole program against the simulated receiver, as a user runs it: veltro-sim on a
// pseudo-terminal, veltro-cli recording from it, and veltro-cli reading the recording back.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "host/core/intake/veltro_doc.h"
#include "tests/host/core/log/test_stream_file_support.h"
#include "tests/tools/tool_process.h"

namespace {

// One CSV table keyed by its first column (the UTC text).
using Row = std::map<std::string, std::string>;
using Table = std::map<std::string, Row>;

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream stream(line);
    for (std::string field; std::getline(stream, field, ',');) fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    return fields;
}

// The first and the last data row are left out: a recording may begin and end in the middle of
// an epoch.
Table ParseCsv(const std::string& text, bool skipEnds) {
    std::stringstream stream(text);
    std::string line;
    std::getline(stream, line);
    const std::vector<std::string> header = Split(line);
    std::vector<std::string> lines;
    while (std::getline(stream, line)) lines.push_back(line);
    if (skipEnds && !lines.empty()) lines.pop_back();
    Table table;
    for (size_t i = skipEnds ? 1 : 0; i < lines.size(); ++i) {
        line = lines[i];
        const std::vector<std::string> fields = Split(line);
        Row row;
        for (size_t i = 0; i < header.size() && i < fields.size(); ++i) row[header[i]] = fields[i];
        table[fields.at(0)] = row;
    }
    return table;
}

double Number(const std::string& text) {
    double value = NAN;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

constexpr const char* kValues = "UTC,Nav. OK,Lat,Lon,Alt (MSL),Alt (HAE),SVs Used,SVs Tracked,PDOP";

class SimulatedReceiverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(simulator.WaitForOutput([](auto& out) { return out.find('\n') != std::string::npos; }, 5000))
            << simulator.Errors();
        devicePath = simulator.Output().substr(0, simulator.Output().find('\n'));
    }
    void TearDown() override {
        simulator.Signal(SIGTERM);
        EXPECT_EQ(0, simulator.Wait(5000));
    }

    // Records until the monitor has printed the given number of epochs, then stops as Ctrl-C does.
    void Record(std::vector<std::string> options, std::ptrdiff_t epochs) {
        std::vector<std::string> args = {ToolPath("veltro-cli"), "record", log, "--port", devicePath};
        args.insert(args.end(), options.begin(), options.end());
        ToolProcess recorder(args);
        EXPECT_TRUE(
            recorder.WaitForOutput([&](auto& out) { return std::count(out.begin(), out.end(), '\n') >= epochs; }, 8000))
            << recorder.Errors();
        recorder.Signal(SIGINT);
        EXPECT_EQ(0, recorder.Wait(5000)) << recorder.Errors();
    }

    Table Dump(const std::string& path) {
        const ToolRun run = RunTool({ToolPath("veltro-cli"), "dump", path, "--values", kValues});
        EXPECT_EQ(0, run.status) << run.errors;
        return ParseCsv(run.output, true);
    }

    // The recording cut into its KVB and its NMEA part by the host's own splitter.
    void SplitByProtocol(const std::string& kvbPath, const std::string& nmeaPath) {
        CVeltroDoc document{DocumentSettings{900, VELTRO_PLUGIN_DIR, nullptr}};
        CFrameSplitter splitter;
        document.Plugins().RegisterWith(splitter);
        std::map<std::u16string, std::vector<uint8_t>> parts;
        const std::vector<uint8_t> bytes = ReadFileBytes(log);
        FeedStream(splitter, bytes.data(), bytes.size(), [&](const FrameRecord& record) {
            if (record.protocol)
                parts[record.protocol->name].insert(parts[record.protocol->name].end(), record.bytes,
                                                    record.bytes + record.length);
        });
        WriteFileBytes(kvbPath, parts[u"KVB"]);
        WriteFileBytes(nmeaPath, parts[u"NMEA"]);
    }

    TempFolder folder;
    const std::string log = folder.File("receiver.kvb");
    const std::string truthPath = folder.File("truth.csv");
    ToolProcess simulator{
        {ToolPath("veltro-sim"), "--rate", "5", "--start", "2024-03-01T12:00:00Z", "--truth", truthPath}};
    std::string devicePath;
};

TEST_F(SimulatedReceiverTest, RecordingDumpsTheSimulatorsTruthAndBothProtocolsAgree) {
    Record({}, 15);
    std::ifstream truthFile(truthPath);
    const Table truth = ParseCsv(std::string(std::istreambuf_iterator<char>(truthFile), {}), false);

    int compared = 0;
    for (const auto& [utc, row] : Dump(log)) {
        SCOPED_TRACE(utc);
        ASSERT_EQ(1u, truth.count(utc));
        const Row& t = truth.at(utc);
        EXPECT_EQ(row.at("Nav. OK") == "Yes", t.at("fix") != "0");
        if (row.at("Nav. OK") != "Yes") continue;
        EXPECT_NEAR(Number(row.at("Lat")), Number(t.at("latitude")), 2e-7);
        EXPECT_NEAR(Number(row.at("Lon")), Number(t.at("longitude")), 2e-7);
        EXPECT_NEAR(Number(row.at("Alt (MSL)")), Number(t.at("height_msl")), 0.051);
        EXPECT_NEAR(Number(row.at("Alt (HAE)")), Number(t.at("height")), 0.11);
        EXPECT_EQ(row.at("SVs Used"), t.at("used"));
        EXPECT_EQ(row.at("SVs Tracked"), t.at("tracked"));
        if (t.at("fix") == "3") {
            EXPECT_NEAR(Number(row.at("PDOP")), Number(t.at("pdop")), 0.0051);
        }
        ++compared;
    }
    EXPECT_GE(compared, 8);

    const std::string kvbLog = folder.File("kvb.kvb"), nmeaLog = folder.File("nmea.kvb");
    SplitByProtocol(kvbLog, nmeaLog);
    const Table kvb = Dump(kvbLog), nmea = Dump(nmeaLog);
    int agreed = 0;
    for (const auto& [utc, k] : kvb) {
        SCOPED_TRACE(utc);
        if (!nmea.count(utc)) continue;
        const Row& n = nmea.at(utc);
        EXPECT_EQ(k.at("Nav. OK"), n.at("Nav. OK"));
        if (k.at("Nav. OK") != "Yes") continue;
        EXPECT_NEAR(Number(k.at("Lat")), Number(n.at("Lat")), 2e-7);
        EXPECT_NEAR(Number(k.at("Lon")), Number(n.at("Lon")), 2e-7);
        EXPECT_NEAR(Number(k.at("Alt (MSL)")), Number(n.at("Alt (MSL)")), 0.051);
        EXPECT_EQ(k.at("SVs Used"), n.at("SVs Used"));
        EXPECT_EQ(k.at("SVs Tracked"), n.at("SVs Tracked"));
        EXPECT_NEAR(Number(k.at("PDOP")), Number(n.at("PDOP")), 0.0051);
        ++agreed;
    }
    EXPECT_GE(agreed, 8);
}

// A shown page by its lines' first parts: a list's rows by their first cell, each value control by
// its label; the value is the part that follows.
std::map<std::string, std::string> PageLines(const std::string& text) {
    std::map<std::string, std::string> lines;
    std::stringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        const size_t cell = line.find(" | ");
        const size_t label = line.find(": ");
        if (cell != std::string::npos)
            lines[line.substr(0, cell)] = line.substr(cell + 3, line.find(" | ", cell + 3) - cell - 3);
        else if (label != std::string::npos)
            lines[line.substr(0, label)] = line.substr(label + 2);
    }
    return lines;
}

// "4722.60761" as degrees.
double Degrees(const std::string& ddmm) {
    const double value = Number(ddmm);
    return std::trunc(value / 100) + std::fmod(value, 100) / 60;
}

TEST(SimulatedLog, ShowPrintsTheNmeaPagesOfItsLastEpochWithTheSimulatorsValues) {
    TempFolder folder;
    const std::string log = folder.File("flood.kvb"), truthPath = folder.File("truth.csv");
    ASSERT_EQ(0, RunTool({ToolPath("veltro-sim"), "--output", log, "--flood", "--epochs", "8", "--start",
                          "2024-03-01T12:00:00Z", "--truth", truthPath})
                     .status);
    std::ifstream truthFile(truthPath);
    const Table truth = ParseCsv(std::string(std::istreambuf_iterator<char>(truthFile), {}), false);
    ASSERT_EQ(1u, truth.count("2024-03-01T12:00:07.000Z"));
    const Row& last = truth.at("2024-03-01T12:00:07.000Z");
    ASSERT_EQ("3", last.at("fix"));
    const auto show = [&](const char* name) {
        const ToolRun run = RunTool({ToolPath("veltro-cli"), "show", log, name});
        EXPECT_EQ(0, run.status) << name << run.errors;
        return run.output;
    };

    const auto gga = PageLines(show("GPGGA"));
    EXPECT_EQ("120007.00", gga.at("UTC"));
    EXPECT_NEAR(Degrees(gga.at("Lat")), Number(last.at("latitude")), 2e-7);
    EXPECT_NEAR(Degrees(gga.at("Lon")), Number(last.at("longitude")), 2e-7);
    EXPECT_NEAR(Number(gga.at("Alt (MSL)")), Number(last.at("height_msl")), 0.051);
    EXPECT_EQ(std::stoi(gga.at("SVs Used")), std::stoi(last.at("used")));

    const auto gsa = PageLines(show("GPGSA"));
    EXPECT_EQ(last.at("used"), gsa.at("SVs Used"));
    EXPECT_EQ(static_cast<size_t>(std::stoi(last.at("used"))),
              static_cast<size_t>(std::count(gsa.at("Used SVs").begin(), gsa.at("Used SVs").end(), ',') + 1));
    EXPECT_NEAR(Number(gsa.at("PDOP")), Number(last.at("pdop")), 0.0051);

    const std::string gsvText = show("GPGSV");
    const auto gsv = PageLines(gsvText);
    const int tracked = std::stoi(last.at("tracked"));
    const int pages = (tracked + 3) / 4;
    EXPECT_EQ(std::to_string(pages) + " / " + std::to_string(pages), gsv.at("Page Count / Total"));
    EXPECT_EQ(tracked, std::stoi(gsv.at("Visible Satellites")));
    // The headings and a row a satellite.
    std::stringstream lines(gsvText);
    int rows = 0;
    for (std::string line; std::getline(lines, line);) rows += line.find(" | ") != std::string::npos;
    EXPECT_EQ(tracked + 1, rows);
}

std::map<std::string, int> MessageCounts(const std::string& path) {
    const ToolRun run = RunTool({ToolPath("veltro-cli"), "messages", path});
    EXPECT_EQ(0, run.status) << run.errors;
    std::map<std::string, int> counts;
    std::stringstream stream(run.output);
    for (std::string line; std::getline(stream, line);) {
        const size_t start = line.find_first_not_of(' ');
        const size_t gap = line.find("  ", start);
        // The message's name, then its path of labels; the unrecognised bytes have no name.
        const std::string rest = line.substr(gap + 2);
        const size_t pathGap = rest.find("  ");
        counts[pathGap == std::string::npos ? rest : rest.substr(rest.find_first_not_of(' ', pathGap))] =
            std::stoi(line.substr(start, gap - start));
    }
    return counts;
}

// The page of a message in a log, as veltro-cli shows it: one line each.
std::vector<std::string> ShowLines(const std::string& log, const std::string& name) {
    const ToolRun run = RunTool({ToolPath("veltro-cli"), "show", log, name});
    EXPECT_EQ(0, run.status) << name << ": " << run.errors;
    std::vector<std::string> lines;
    std::stringstream stream(run.output);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(SimulatedReceiverTest, PollsAndRateCommandsOfTheHostChangeWhatTheReceiverSends) {
    Record({"--poll", "MON-VER", "--disable", "GPGSV", "--disable", "NAV-SVINFO", "--enable", "NAV-POSECEF"}, 10);
    EXPECT_EQ(ShowLines(log, "MON-VER"),
              (std::vector<std::string>{"Software Version: 1.00 (Veltro)", "Hardware Version: 00070000",
                                        "Extension(s): SIMULATED RECEIVER"}));
    std::map<std::string, int> counts = MessageCounts(log);
    const int epochs = counts["NMEA / GPGGA (Global Positioning System Fix Data)"];
    EXPECT_GE(epochs, 10);
    EXPECT_EQ(1, counts["KVB / MON (Monitor) / VER (Version)"]);
    EXPECT_GE(counts["KVB / NAV (Navigation) / POSECEF (Position ECEF)"], epochs - 1);
    // An epoch may have left the receiver before the commands arrived.
    EXPECT_LE(counts["KVB / NAV (Navigation) / SVINFO (SV Information)"], 1);
    EXPECT_LE(counts["NMEA / GPGSV (GNSS Satellites in View) / page 1"], 1);
    EXPECT_EQ(0, counts["unrecognised bytes"]);
}

// The pages of a log that the simulator wrote itself show the last epoch of its truth.
TEST(SimulatorLog, ThePagesShowWhatTheSimulatorSent) {
    TempFolder folder;
    const std::string log = folder.File("flood.kvb"), truthPath = folder.File("truth.csv");
    const ToolRun simulated = RunTool({ToolPath("veltro-sim"), "--output", log, "--flood", "--epochs", "12", "--start",
                                       "2024-03-01T12:00:00Z", "--truth", truthPath});
    ASSERT_EQ(0, simulated.status) << simulated.errors;
    std::ifstream truthFile(truthPath);
    const Table truth = ParseCsv(std::string(std::istreambuf_iterator<char>(truthFile), {}), false);
    const Row& last = truth.rbegin()->second;
    ASSERT_EQ(truth.rbegin()->first, "2024-03-01T12:00:11.000Z");
    ASSERT_EQ(last.at("fix"), "3");

    // GPS time runs 18 leap seconds ahead of UTC; 2024-03-01 falls in GPS week 2303.
    const int secondsOfWeek = 5 * 86400 + 12 * 3600 + 11 + 18;
    const std::vector<std::string> solution = ShowLines(log, "NAV-SOL");
    EXPECT_TRUE(
        Holds(solution, "Week Number:Time of Week | 2303:" + std::to_string(secondsOfWeek) + ".000000000 | [wno:s]"));
    EXPECT_TRUE(Holds(solution, "Position Fix Type | 3D Fix | "));
    EXPECT_TRUE(Holds(solution, "PDOP | " + last.at("pdop") + " | "));
    EXPECT_TRUE(Holds(solution, "#SVs Used | " + last.at("used") + " | PRN-#"));

    // One row per channel: the used ones marked in "Nav", the tracked ones with a signal.
    const std::vector<std::string> channels = ShowLines(log, "NAV-SVINFO");
    ASSERT_FALSE(channels.empty());
    EXPECT_EQ(channels[0], "Ch | SV | CN0 | Residual | Nav | Qi | El | Az | Orbit | Healthy | DGPS");
    int used = 0, tracked = 0;
    for (size_t row = 1; row < channels.size(); ++row) {
        std::vector<std::string> cells;
        std::stringstream stream(channels[row]);
        for (std::string cell; std::getline(stream, cell, '|');) cells.push_back(cell);
        ASSERT_EQ(cells.size(), 11u) << channels[row];
        used += cells[4] == " Y ";
        tracked += cells[2] != " 0 ";
    }
    EXPECT_EQ(std::to_string(used), last.at("used"));
    EXPECT_EQ(std::to_string(tracked), last.at("tracked"));

    const std::vector<std::string> utc = ShowLines(log, "NAV-TIMEUTC");
    EXPECT_TRUE(Holds(utc, "Date: 1. 3. 2024"));
    EXPECT_TRUE(Holds(utc, "Time: 12:00:11"));
    EXPECT_EQ(ShowLines(log, "INF"), std::vector<std::string>{"VELTRO SIMULATED RECEIVER 1.00"});
}

}  // namespace
