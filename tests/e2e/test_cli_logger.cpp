// veltro-cli logger against the simulated receiver on a pseudo-terminal, whose data logger holds
// a drive of 250 records and goes on logging; the file replays with veltro-cli dump, one epoch
// per record at the simulator's positions and times.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/host/core/log/test_stream_file_support.h"
#include "tests/tools/simulator.h"
#include "tests/tools/tool_process.h"

namespace {

const std::string kCli = ToolPath("veltro-cli");
constexpr long long kSecondsPerWeek = 604800;

std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::stringstream lines(text);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        std::vector<std::string>& row = rows.emplace_back();
        std::stringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');) row.push_back(field);
        if (line.back() == ',') row.emplace_back();
    }
    return rows;
}

class CliLogger : public ::testing::Test {
protected:
    void SetUp() override { setenv("VELTRO_CONFIG_HOME", folder.File("").c_str(), 1); }
    void TearDown() override { unsetenv("VELTRO_CONFIG_HOME"); }

    TempFolder folder;
    const std::string log = folder.File("logger.kvb");
    const std::string truthPath = folder.File("logged.csv");
};

// A record every fifth epoch at 5 Hz: one a second, as the records' whole seconds can tell apart.
TEST_F(CliLogger, TheFileReplaysAsTheTrackTheSimulatorLogged) {
    Simulator simulator(
        {"--start", "2024-03-01T12:00:00Z", "--log-every", "5", "--log-preset", "250", "--log-truth", truthPath});
    const ToolRun run = RunTool({kCli, "logger", log, "--port", simulator.DevicePath()}, 30000);
    ASSERT_EQ(run.status, 0) << run.output << run.errors;
    std::smatch count;
    ASSERT_TRUE(std::regex_search(run.output, count, std::regex(R"(^Quering Size\n(\d+) records to retrieve\n)")))
        << run.output;
    const size_t records = std::stoul(count[1]);
    EXPECT_GE(records, 250u);
    EXPECT_TRUE(std::regex_search(run.output, std::regex(R"(Retrieve @    200 Done\nAll done\nWrote \d+ records\n)"
                                                         R"(\d+\.\d rec/s\nDone\n$)")))
        << run.output;

    std::ifstream truthFile(truthPath);
    const auto truth = CsvRows(std::string(std::istreambuf_iterator<char>(truthFile), {}));
    ASSERT_GE(truth.size(), records);
    const ToolRun dump = RunTool({kCli, "dump", log, "--values", "GPS time,X,Y,Z"});
    ASSERT_EQ(dump.status, 0) << dump.errors;
    const auto epochs = CsvRows(dump.output);
    // The last record's epoch is closed at the end of the log.
    ASSERT_EQ(epochs.size(), records);
    size_t timed = 0;
    for (size_t k = 0; k < epochs.size(); ++k) {
        SCOPED_TRACE(k);
        const std::vector<std::string>& epoch = epochs[k];
        const std::vector<std::string>& logged = truth[k];
        EXPECT_EQ(std::vector<std::string>(epoch.begin() + 1, epoch.end()),
                  std::vector<std::string>(logged.begin() + 3, logged.begin() + 6));
        if (logged[7] == "0") continue;
        const long long gpsSeconds = std::stoll(epoch[0]);
        EXPECT_EQ(gpsSeconds / kSecondsPerWeek, std::stoll(logged[1]));
        EXPECT_EQ(gpsSeconds % kSecondsPerWeek, std::stoll(logged[2]));
        ++timed;
    }
    EXPECT_GT(timed, 200u);

    const ToolRun messages = RunTool({kCli, "messages", log});
    EXPECT_NE(messages.output.find(std::to_string(records) + "  NAV-SOL "), std::string::npos)
        << messages.output;
    EXPECT_EQ(RunTool({kCli, "logger"}).status, 2);
    EXPECT_EQ(RunTool({kCli, "logger", folder.File("missing/logger.kvb"), "--port", simulator.DevicePath()}).status, 1);
}

}  // namespace
