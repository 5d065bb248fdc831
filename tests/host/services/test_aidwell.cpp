// Aidwell Online: its settings and form, and the worker against an Aidwell-like server on
// 127.0.0.1, its bytes for the receiver taken through the frame's window.
#include <gtest/gtest.h>

#include <numbers>

#include "host/core/database/database_catalogue.h"
#include "host/services/aidwell_online_form.h"
#include "host/services/aidwell_reply.h"
#include "host/services/aidwell_settings.h"
#include "host/services/aidwell_worker.h"
#include "host/services/kvb_frame.h"
#include "platform/profile.h"
#include "resources/veltro/dialogs.h"
#include "resources/veltro/program_resources.h"
#include "shared/epoch_history.h"
#include "shared/memory_page.h"
#include "shared/storage_database.h"
#include "shared/storage_values.h"
#include "tests/host/services/worker_harness.h"
#include "tests/support/loopback_server.h"

namespace {

using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

constexpr char16_t kConnecting[] = u"Connecting to Korvala Aidwell Online Server";

// An aiding message of length bytes in all.
std::string Message(size_t length) {
    Bytes payload(length - kKvbFrameExtraBytes);
    for (size_t k = 0; k < payload.size(); ++k) payload[k] = static_cast<uint8_t>(k * 7);
    std::string frame(length, '\0');
    BuildKvbFrame(reinterpret_cast<uint8_t*>(frame.data()), 0x0B, 0x31, payload.data(),
                  static_cast<int>(payload.size()));
    return frame;
}

std::string Reply(const std::string& type, const std::string& body, size_t announced) {
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(announced) + "\r\nContent-Type: " + type +
           "\r\n\r\n" + body;
}
std::string Reply(const std::string& type, const std::string& body) { return Reply(type, body, body.size()); }

std::vector<size_t> Lengths(const WorkerHarness& harness) {
    std::vector<size_t> lengths;
    for (const WorkerHarness::Piece& piece : harness.sent) lengths.push_back(piece.bytes.size());
    return lengths;
}

class AidwellTest : public ::testing::Test {
protected:
    // A fresh run each time, as each confirmed dialog starts one.
    int Run(uint16_t port, const std::function<bool()>& cancelWhen = {}) {
        request.server = u"127.0.0.1";
        request.port = port;
        harness = std::make_unique<WorkerHarness>();
        return harness->Run([this](CWorkerContext& context) { return AidwellWorker(context, request); }, cancelWhen);
    }
    int Serve(const std::string& reply) {
        server = std::make_unique<LoopbackServer>(kAidwellRequestEnd, reply);
        return Run(server->Port());
    }

    AidwellRequest request{.resetCommand = 0};
    std::unique_ptr<LoopbackServer> server;
    std::unique_ptr<WorkerHarness> harness;
};

TEST_F(AidwellTest, ThreeMessagesGoToTheReceiverAsThreePiecesAHundredMillisecondsApart) {
    request.latitude = 47.5;
    request.accuracy = 1000;
    request.user = u"me";
    EXPECT_EQ(Serve(Reply("application/kvb", Message(60) + Message(200) + Message(8))), kWorkerDone);
    EXPECT_EQ(server->Requests(),
              std::vector<std::string>{"cmd=full;user=me;pwd=;lat=47.500000;lon=0.000000;alt=0.0;pacc=1000.00\r\n"});
    ASSERT_EQ(Lengths(*harness), (std::vector<size_t>{60, 200, 8}));
    EXPECT_EQ(std::string(harness->sent[1].bytes.begin(), harness->sent[1].bytes.end()), Message(200));
    for (size_t k = 1; k < harness->sent.size(); ++k) EXPECT_GE(harness->sent[k].at - harness->sent[k - 1].at, 95ms);
    EXPECT_EQ(harness->maximum, 268);
    EXPECT_EQ(harness->position, 268);
    EXPECT_EQ(harness->statuses,
              (std::vector<std::u16string>{u"Initialise Socket", kConnecting, u"Request Aidwell Data",
                                           u"Get Aidwell Data ", u"Send the Aidwell Data", u"Done ..."}));
}

TEST_F(AidwellTest, WhatDoesNotStartAMessageGoesAsOnePieceAndTheTypeIgnoresLetterCase) {
    const std::pair<std::string, std::vector<size_t>> replies[] = {
        {Reply("application/kvb", "XY" + Message(60) + Message(8)), {70}},
        {Reply("Application/KVB", Message(8) + Message(60)), {8, 60}},
        // A message whose length runs past the data: the rest as it is.
        {Reply("application/kvb", Message(60) + Message(200).substr(0, 100)), {60, 100}},
    };
    for (const auto& [reply, lengths] : replies) {
        EXPECT_EQ(Serve(reply), kWorkerDone);
        EXPECT_EQ(Lengths(*harness), lengths);
    }
}

TEST_F(AidwellTest, FailuresSendNothingAndTheStatusLineTellsWhere) {
    const std::pair<std::string, std::u16string> replies[] = {
        {Reply("text/plain", std::string("User not registered.\0tail", 25)), u"User not registered."},
        {Reply("image/png", "xx"), u"Get Aidwell Data "},
        {"HTTP/1.1 200 OK\r\nContent-Length: 8\r\n\r\n" + Message(8), u"Request Aidwell Data"},
        {Reply("application/kvb", "", 0), u"Request Aidwell Data"},
        {Reply("application/kvb", Message(50), 100), u"Get Aidwell Data "},
        {Reply("application/kvb", "", kMaxAidwellData + 1),
         u"ERROR: The server announces 1048577 bytes of Aidwell data, more than 1048576.\n"},
        {"HTTP/1.1 200 OK\r\n" + std::string(kAidwellHeaderCapacity, 'h'), u"Request Aidwell Data"},
    };
    for (const auto& [reply, status] : replies) {
        EXPECT_EQ(Serve(reply), kWorkerFailed);
        EXPECT_EQ(harness->statuses.back(), status);
        EXPECT_TRUE(harness->sent.empty());
    }
    RefusingPort refusing;
    EXPECT_EQ(Run(refusing.Port()), kWorkerFailed);
    EXPECT_EQ(harness->statuses.back(), kConnecting);
    EXPECT_TRUE(harness->sent.empty());
}

TEST_F(AidwellTest, AResetGoesFirstAndIsGivenASecond) {
    request.resetCommand = 1;
    RefusingPort refusing;
    EXPECT_EQ(Run(refusing.Port()), kWorkerFailed);
    ASSERT_EQ(Lengths(*harness), std::vector<size_t>{12});
    EXPECT_EQ(harness->sent[0].bytes[6], 0xFF);
    EXPECT_EQ(harness->statuses.front(), u"Wait for Rx to Reset Coldstart (1 second)");
}

TEST_F(AidwellTest, CancellingWhileTheServerIsSilentEndsTheWorkerAtOnce) {
    server = std::make_unique<LoopbackServer>(kAidwellRequestEnd, "", LoopbackServer::After::NoReply);
    EXPECT_EQ(Run(server->Port(), [this] { return server->Requests().size() == 1; }), kWorkerFailed);
    EXPECT_LT(harness->cancelTook, 300ms);
    EXPECT_EQ(harness->statuses.back(), u"Request Aidwell Data");
}

TEST(AidwellSettings, DefaultsRetiredServerPortsAndBinaryNumbers) {
    platform::CMemoryProfile profile;
    const AidwellRequest defaults = LoadAidwellSettings(profile);
    EXPECT_EQ(defaults.server, kDefaultAidwellServer);
    EXPECT_EQ(defaults.port, 46434);
    EXPECT_EQ(defaults.command, u"full");
    EXPECT_EQ(defaults.resetCommand, 1);
    EXPECT_EQ(defaults.latitude, 90.0);
    EXPECT_EQ(defaults.accuracy, 999999.0);

    AidwellRequest changed{.resetCommand = 3,
                           .latitude = 47.25,
                           .altitude = -12.5,
                           .server = u"aid.example.invalid",
                           .port = 8080,
                           .user = u"u",
                           .password = u"p",
                           .command = u"eph"};
    SaveAidwellSettings(profile, changed);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(profile.GetBinary(u"NetAid", u"Latitude", bytes));
    EXPECT_EQ(bytes.size(), 8u);
    const AidwellRequest loaded = LoadAidwellSettings(profile);
    EXPECT_EQ(loaded.latitude, 47.25);
    EXPECT_EQ(loaded.altitude, -12.5);
    EXPECT_EQ(loaded.port, 8080);
    EXPECT_EQ(loaded.command, u"eph");

    profile.WriteString(u"NetAid", u"Server", kRetiredAidwellServer);
    profile.WriteInt(u"NetAid", u"Port", 70000);
    profile.WriteBinary(u"NetAid", u"Latitude", {1, 2, 3});
    const AidwellRequest repaired = LoadAidwellSettings(profile);
    EXPECT_EQ(repaired.server, kDefaultAidwellServer);
    EXPECT_EQ(repaired.port, 46434);
    EXPECT_EQ(repaired.latitude, 90.0);
}

TEST(AidwellOnlineForm, FieldsUseCurrentAndThePortsItTakes) {
    CMemoryPage page(*kProgramResources.FindDialog(dialog::kAidwellOnline));
    CAidwellOnlineForm form(page);
    form.Initialise(AidwellRequest{.resetCommand = 2, .command = u"alm"});
    EXPECT_EQ(page.GetControlText(dialog::kAidwellLatitude), u"90.000000");
    EXPECT_EQ(page.GetControlText(dialog::kAidwellAccuracy), u"999999.00");
    EXPECT_EQ(page.GetControlText(dialog::kAidwellPort), u"46434");
    EXPECT_EQ(page.GetControlText(dialog::kAidwellReset), u"warm");
    EXPECT_EQ(page.Selection(dialog::kAidwellRequest), 3);

    CEpochHistory history{4};
    CStorageDatabase database;
    BuildDatabaseCatalogue(database, history);
    database.FindAs<CStorageValue>(0x3001)->SetValue(47.5 * std::numbers::pi / 180);
    database.FindAs<CStorageValue>(0x3002)->SetValue(-8.25 * std::numbers::pi / 180);
    database.FindAs<CStorageValue>(0x3003)->SetValue(512.345);
    page.TypeText(dialog::kAidwellAccuracy, u"1000");
    form.UseCurrent(database);
    page.TypeText(dialog::kAidwellRequest, u"custom");
    page.ChooseItem(dialog::kAidwellReset, 0);
    page.TypeText(dialog::kAidwellUser, u"not a number");

    AidwellRequest read;
    EXPECT_EQ(form.Read(read), 0);
    EXPECT_DOUBLE_EQ(read.latitude, 47.5);
    EXPECT_DOUBLE_EQ(read.longitude, -8.25);
    EXPECT_DOUBLE_EQ(read.altitude, 512.35);
    EXPECT_EQ(read.accuracy, 1000.0);
    EXPECT_EQ(read.command, u"custom");
    EXPECT_EQ(read.resetCommand, 0);
    EXPECT_EQ(FormatAidwellRequest(read).find("cmd=custom;user=not a number;pwd=;lat=47.500000;lon=-8.250000;"), 0u);

    page.TypeText(dialog::kAidwellLatitude, u"north");
    for (const char16_t* port : {u"0", u"65536", u""}) {
        page.TypeText(dialog::kAidwellPort, port);
        EXPECT_EQ(form.Read(read), dialog::kAidwellPort);
        EXPECT_DOUBLE_EQ(read.latitude, 47.5);
    }
    page.TypeText(dialog::kAidwellPort, u"65535");
    EXPECT_EQ(form.Read(read), 0);
    EXPECT_EQ(read.port, 65535);
    EXPECT_EQ(read.latitude, 0.0);
}

}  // namespace
