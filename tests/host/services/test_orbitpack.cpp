// The Orbitpack update as a state machine: the file read or downloaded from a server on
// 127.0.0.1, its blocks and cancels, the receiver's answers as the document tells them, and
// every way it can end.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "host/core/intake/veltro_doc.h"
#include "host/services/kvb_frame.h"
#include "host/services/orbitpack_source.h"
#include "host/services/orbitpack_update.h"
#include "tests/host/services/recording_site.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "tests/host/core/log/test_stream_file_support.h"
#include "tests/support/loopback_server.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Event = OrbitpackEvent;

const Bytes kAcknowledgement = {0xA4, 0x51, 0x0B, 0x50, 0x01, 0x00, 0x01, 0x5D, 0x7B};
const Bytes kRefusal = {0xA4, 0x51, 0x0B, 0x50, 0x01, 0x00, 0x00, 0x5C, 0x7A};

Bytes Frame(const Bytes& payload) {
    Bytes frame(payload.size() + kKvbFrameExtraBytes);
    BuildKvbFrame(frame.data(), 0x0B, 0x50, payload.data(), static_cast<int>(payload.size()));
    return frame;
}

const Bytes kCancel = Frame({0xFF});

Bytes Pattern(size_t size) {
    Bytes bytes(size);
    for (size_t k = 0; k < size; ++k) bytes[k] = static_cast<uint8_t>(k * 7 + k / 256);
    return bytes;
}

// The blocks' payloads, in order, without the cancels.
Bytes Uploaded(const RecordingSite& site) {
    Bytes file;
    for (const Bytes& frame : site.sent)
        if (frame != kCancel) file.insert(file.end(), frame.begin() + 6, frame.end() - 2);
    return file;
}

class OrbitpackUpdate : public ::testing::Test {
protected:
    std::string WriteFile(const Bytes& bytes) {
        const std::string path = folder.File("current_7d.opk");
        WriteFileBytes(path, bytes);
        return path;
    }
    COrbitpackUpdate& Start(const std::string& source) {
        update = std::make_unique<COrbitpackUpdate>(site, platform::Utf8ToWide(source));
        update->Handle(Event::Tick, now);
        return *update;
    }
    void Answer(Event event, uint32_t after = 10) {
        now += after;
        update->Handle(event, now);
    }
    // The download runs on a thread of its own; its end is taken over at a tick.
    void TickUntilDownloaded() {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (update->State() == COrbitpackUpdate::kDownloading && std::chrono::steady_clock::now() < limit) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            update->Handle(Event::Tick, now);
        }
    }
    std::string Link(const LoopbackServer& server, const std::string& credentials = "") const {
        return "http://" + credentials + "127.0.0.1:" + std::to_string(server.Port()) + "/orbit/current_7d.opk";
    }

    TempFolder folder;
    RecordingSite site;
    std::unique_ptr<COrbitpackUpdate> update;
    uint32_t now = 0xFFFFF000;  // the tick count wraps during the run
};

TEST_F(OrbitpackUpdate, AFileGoesInBlocksOf512BetweenTwoCancelsAndEndsGreen) {
    const Bytes file = Pattern(1300);
    const std::string path = WriteFile(file);
    Start(path);
    EXPECT_EQ(site.log, "Start Orbitpack Update\nLoad File " + path + "\nSend Cancel\n");
    EXPECT_EQ(site.range, std::make_pair(0, 100));
    EXPECT_EQ(site.starts, 1);
    ASSERT_EQ(site.sent.size(), 1u);
    EXPECT_EQ(site.sent[0], kCancel);
    EXPECT_EQ(kCancel, (Bytes{0xA4, 0x51, 0x0B, 0x50, 0x01, 0x00, 0xFF, 0x5B, 0x79}));

    for (int block = 0; block < 4; ++block) Answer(Event::Acknowledged);
    EXPECT_TRUE(
        site.log.ends_with("Send Cancel\nWrite Block 0x00000 Size 512\nWrite Block 0x00200 Size 512\n"
                           "Write Block 0x00400 Size 276\nSend Cancel\n"))
        << site.log;
    EXPECT_EQ(site.positions, (std::vector<int>{0, 0, 39, 78, 100}));
    EXPECT_EQ(Uploaded(site), file);
    EXPECT_EQ(site.sent.back(), kCancel);
    EXPECT_EQ(site.sent[1].size(), 520u);

    Answer(Event::Acknowledged);
    EXPECT_TRUE(update->Ended());
    EXPECT_TRUE(site.log.ends_with("Send Cancel\nDone\n"));
    EXPECT_EQ(site.outcome, "green");
    EXPECT_EQ(site.positions.back(), 0);
    // The view makes way 5 s after "Done"; late answers change nothing.
    Answer(Event::Tick, 4999);
    EXPECT_EQ(site.finishedCalls, 0);
    Answer(Event::Acknowledged, 1);
    EXPECT_EQ(site.finishedCalls, 1);
    EXPECT_EQ(site.sent.size(), 5u);
}

TEST_F(OrbitpackUpdate, AnEmptyFileSendsBothCancelsAndARefusedOpeningCancelStillUploads) {
    Start(WriteFile({}));
    Answer(Event::Refused);
    EXPECT_TRUE(site.log.ends_with("Send Cancel\nSend Cancel\n")) << site.log;
    EXPECT_EQ(site.sent, (std::vector<Bytes>{kCancel, kCancel}));
    Answer(Event::Acknowledged);
    EXPECT_EQ(site.outcome, "green");
    EXPECT_FALSE(update->Failed());
}

TEST_F(OrbitpackUpdate, ARefusedBlockStillSendsTheClosingCancelAndEndsRed) {
    Start(WriteFile(Pattern(1300)));
    Answer(Event::Acknowledged);
    Answer(Event::Acknowledged);
    Answer(Event::Refused);
    EXPECT_TRUE(site.log.ends_with("Write Block 0x00200 Size 512\nERROR: NotAcknowledge received\nSend Cancel\n"))
        << site.log;
    EXPECT_EQ(site.outcome, "");
    Answer(Event::Acknowledged);
    EXPECT_TRUE(site.log.ends_with("Send Cancel\nDone\n"));
    EXPECT_EQ(site.outcome, "red");
    Answer(Event::Tick, 10000);
    EXPECT_EQ(site.finishedCalls, 0);
}

TEST_F(OrbitpackUpdate, NoAnswerWithin5000MsTimesOutAndTheClosingCancelToo) {
    Start(WriteFile(Pattern(100)));
    Answer(Event::Acknowledged);
    Answer(Event::Tick, 4999);
    EXPECT_EQ(update->State(), COrbitpackUpdate::kAwaitBlock);
    Answer(Event::Tick, 1);
    EXPECT_TRUE(site.log.ends_with("Size 100\nERROR: Timeout Expired\nSend Cancel\n")) << site.log;
    Answer(Event::Tick, 5000);
    EXPECT_TRUE(site.log.ends_with("Send Cancel\nERROR: Timeout Expired\nDone\n")) << site.log;
    EXPECT_EQ(site.outcome, "red");
}

TEST_F(OrbitpackUpdate, SendingWaitsUntilTheConnectionIsReadyAndAnAbortEndsRed) {
    site.ready = false;
    Start(WriteFile(Pattern(600)));
    EXPECT_EQ(update->State(), COrbitpackUpdate::kOpeningCancel);
    EXPECT_TRUE(site.sent.empty());
    site.ready = true;
    Answer(Event::Tick);
    Answer(Event::Acknowledged);
    Answer(Event::Abort);
    EXPECT_TRUE(site.log.ends_with("Size 512\nERROR: Abort by User\nDone\n")) << site.log;
    EXPECT_EQ(site.outcome, "red");
    Answer(Event::Abort);
    EXPECT_EQ(site.log.find("Abort"), site.log.rfind("Abort"));
}

// "7 days" is not an item: it is the name of a file, which does not exist.
TEST_F(OrbitpackUpdate, ItemsResolveToTheDownloadAndOtherTextsAreTakenAsTheyStand) {
    const std::u16string prefix = u"http://o.invalid/d/";
    EXPECT_EQ(ResolveOrbitpackSource(u"7 Days Orbitpack", prefix), u"http://o.invalid/d/current_7d.opk");
    EXPECT_EQ(ResolveOrbitpackSource(u"10 Days Orbitpack", prefix), u"http://o.invalid/d/current_10d.opk");
    EXPECT_EQ(ResolveOrbitpackSource(u"7 days", prefix), u"7 days");
    EXPECT_EQ(LoadOrbitpackSettings(platform::CMemoryProfile()).linkPrefix, kDefaultOrbitpackLinkPrefix);

    Start("7 days");
    EXPECT_EQ(site.log, "Start Orbitpack Update\nLoad File 7 days\nERROR: No such file or directory\nDone\n");
    EXPECT_EQ(site.outcome, "red");
    EXPECT_TRUE(site.sent.empty());
}

// Only a frame received from the port answers; one the host sent, however alike, does not.
TEST(OrbitpackAnswers, OnlyTheExactFramesReceivedFromThePortAnswer) {
    CVeltroDoc document(DocumentSettings{.pluginFolder = VELTRO_PLUGIN_DIR});
    struct Listener : IDocumentObserver {
        void OnUpdate(uint32_t hint, CMessageNode* node) override { answers.push_back(OrbitpackAnswerOf(hint, node)); }
        std::vector<std::optional<OrbitpackEvent>> answers;
    } listener;
    document.AddObserver(&listener);
    const auto process = [&](Bytes frame, MessageOrigin origin) {
        document.ProcessMessage(document.DispatchBytes(frame.data(), static_cast<int>(frame.size())), true, origin);
        return listener.answers.back();
    };
    EXPECT_EQ(process(kAcknowledgement, MessageOrigin::Received), Event::Acknowledged);
    EXPECT_EQ(process(kRefusal, MessageOrigin::Received), Event::Refused);
    EXPECT_EQ(process(kAcknowledgement, MessageOrigin::Sent), std::nullopt);
    EXPECT_EQ(process(kAcknowledgement, MessageOrigin::Replayed), std::nullopt);
    EXPECT_EQ(process(Frame({0x02}), MessageOrigin::Received), std::nullopt);
    Bytes longer = kAcknowledgement;
    longer.push_back(0x00);
    EXPECT_EQ(process(longer, MessageOrigin::Received), std::nullopt);
    document.RemoveObserver(&listener);
}

std::string Reply(const std::string& header, const Bytes& body) {
    return header + std::string(body.begin(), body.end());
}

TEST_F(OrbitpackUpdate, ADownloadWithOrWithoutCredentialsBecomesTheFile) {
    const Bytes file = Pattern(1300);
    LoopbackServer server(kHttpRequestEnd, Reply("HTTP/1.1 200 OK\r\ncontent-LENGTH: 1300\r\n\r\n", file));
    for (const std::string credentials : {"", "user:secret@"}) {
        site = RecordingSite();
        Start(Link(server, credentials));
        TickUntilDownloaded();
        EXPECT_EQ(site.log,
                  "Start Orbitpack Update\nGet File " + Link(server, credentials) + "\nGot 1300 Bytes\nSend Cancel\n");
        for (int answer = 0; answer < 5; ++answer) Answer(Event::Acknowledged);
        EXPECT_EQ(site.outcome, "green");
        EXPECT_EQ(Uploaded(site), file);
    }
    ASSERT_EQ(server.Requests().size(), 2u);
    const std::string host = "127.0.0.1:" + std::to_string(server.Port());
    EXPECT_EQ(server.Requests()[0], "GET /orbit/current_7d.opk HTTP/1.1\r\nHost: " + host +
                                        "\r\nAccept: */*\r\nConnection: Keep-Alive\r\n\r\n");
    EXPECT_NE(server.Requests()[1].find("Host: " + host + "\r\n"), std::string::npos);
    EXPECT_NE(server.Requests()[1].find("Authorization: Basic dXNlcjpzZWNyZXQ=\r\n"), std::string::npos);
}

// An error page, a reply without a length or with one beyond any Orbitpack file, and a broken
// link never reach the receiver.
TEST_F(OrbitpackUpdate, RepliesThatAreNoFileEndRedWithoutABlock) {
    const std::pair<std::string, std::string> replies[] = {
        {"HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found",
         "ERROR: the server answered \"HTTP/1.1 404 Not Found\"\n"},
        {"HTTP/1.0 200 OK\r\n\r\n", "ERROR: no content\n"},
        {"HTTP/1.1 200 OK\r\nContent-Length: 4194305\r\n\r\n",
         "ERROR: The server announces 4194305 bytes, more than 4194304.\n"},
        {"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nshort", "ERROR: downloading data\n"},
    };
    for (const auto& [reply, error] : replies) {
        LoopbackServer server(kHttpRequestEnd, reply);
        site = RecordingSite();
        Start(Link(server));
        TickUntilDownloaded();
        EXPECT_TRUE(site.log.ends_with("\n" + error + "Done\n")) << site.log;
        EXPECT_EQ(site.outcome, "red");
        EXPECT_TRUE(site.sent.empty());
    }
    RefusingPort closed;
    site = RecordingSite();
    Start("http://127.0.0.1:" + std::to_string(closed.Port()) + "/x.opk");
    TickUntilDownloaded();
    EXPECT_TRUE(site.log.ends_with("ERROR: connect to server failed\nDone\n")) << site.log;
    for (const char* link : {"http://host", "http://host:99999/x.opk", "http://user@/x.opk"}) {
        site = RecordingSite();
        Start(link);
        EXPECT_TRUE(site.log.ends_with("ERROR: link Invalid\nDone\n")) << link << site.log;
    }
}

TEST_F(OrbitpackUpdate, ADownloadThatReceivesNothingFor30SecondsFails) {
    LoopbackServer silent(kHttpRequestEnd, "", LoopbackServer::After::NoReply);
    Start(Link(silent));
    ASSERT_TRUE(silent.WaitForRequests(1));
    Answer(Event::Tick, 29999);
    EXPECT_EQ(update->State(), COrbitpackUpdate::kDownloading);
    Answer(Event::Tick, 1);
    EXPECT_TRUE(site.log.ends_with("ERROR: no data from the server for 30 s\nDone\n")) << site.log;
    EXPECT_EQ(site.outcome, "red");
}

}  // namespace
