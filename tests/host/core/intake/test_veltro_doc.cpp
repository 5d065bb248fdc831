#include <gtest/gtest.h>

#include <cmath>

#include "host/core/intake/veltro_doc.h"
#include "platform/ticks.h"
#include "shared/satellite_slots.h"
#include "shared/storage_sv_list.h"
#include "shared/storage_values.h"
#include "tests/support/test_protocol.h"

namespace {

struct Update {
    uint32_t hint;
    CMessageNode* node;
};

class RecordingObserver : public IDocumentObserver {
public:
    void OnUpdate(uint32_t hint, CMessageNode* node) override { updates.push_back({hint, node}); }
    std::vector<uint32_t> RedrawHints() const {
        std::vector<uint32_t> hints;
        for (const Update& update : updates)
            if (!update.node) hints.push_back(update.hint);
        return hints;
    }
    std::vector<Update> updates;
};

// The document with the test protocol loaded and its two entries in the database.
class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (uint16_t id : {kTestTimeId, kTestValueId}) {
            auto entry = std::make_unique<CStorageValueStatistics>(u"test", u"test");
            entry->SetSnapshotSlot(document.History().ReserveCommonSlot());
            document.Database().Add(id, std::move(entry));
        }
        document.Plugins().RegisterWith(splitter);
        document.AddObserver(&observer);
    }

    std::vector<CMessageNode*> Feed(const std::vector<uint8_t>& bytes) {
        std::vector<CMessageNode*> nodes;
        FeedStream(splitter, bytes.data(), bytes.size(),
                   [&](const FrameRecord& record) { nodes.push_back(document.ProcessRecord(record, true)); });
        return nodes;
    }
    void FeedTime(uint32_t ms) { Feed(TestFrameU32(kTestTimeType, ms)); }
    void FeedValue(uint32_t thousandths) { Feed(TestFrameU32(kTestValueType, thousandths)); }
    double Value(uint16_t id) { return document.Database().FindAs<CStorageValue>(id)->GetValue(); }
    double SnapshotValue(size_t index, uint16_t id) {
        auto* entry = document.Database().FindAs<CStorageValue>(id);
        return entry->GetSnapshotValue(document.History(), document.History()[index]);
    }

    platform::ManualTickClock clock{1000};
    CVeltroDoc document{DocumentSettings{900, VELTRO_TEST_PLUGIN_DIR "simple/", nullptr}};
    CFrameSplitter splitter;
    RecordingObserver observer;
};

}  // namespace

TEST_F(DocumentTest, ANewEpochIsSnapshottedBeforeTheMessageDecodes) {
    FeedTime(1000);
    FeedValue(5000);
    EXPECT_EQ(document.History().Count(), 0u);
    document.ForceUpdate();
    FeedTime(2000);
    ASSERT_EQ(document.History().Count(), 1u);
    EXPECT_EQ(SnapshotValue(0, kTestTimeId), 1.0);  // the previous epoch, not the new time
    EXPECT_EQ(SnapshotValue(0, kTestValueId), 5.0);
    EXPECT_EQ(Value(kTestTimeId), 2.0);
    EXPECT_EQ(document.PendingHints(), HINT_EPOCH | HINT_VALUES | HINT_MESSAGE | HINT_REFRESH_DUE);
    EXPECT_EQ(document.Database().GetEpochCounter(), 1u);
}

TEST_F(DocumentTest, PendingRedrawsAreDeliveredBeforeTheEpochCloses) {
    FeedTime(1000);
    FeedValue(5000);
    observer.updates.clear();
    FeedTime(2000);
    // The redraw of the running epoch comes first, then the message itself.
    ASSERT_EQ(observer.updates.size(), 2u);
    EXPECT_EQ(observer.updates[0].hint, HINT_VALUES | HINT_REFRESH_DUE);
    EXPECT_EQ(observer.updates[0].node, nullptr);
    EXPECT_EQ(observer.updates[1].hint, HINT_MESSAGE | HINT_RECEIVED);
    EXPECT_EQ(std::u16string(observer.updates[1].node->Label()), u"TIME");
}

TEST_F(DocumentTest, TheTrackedListGivesTheSnapshotMaskOrAllSatellites) {
    auto list = std::make_unique<CStorageSVList>(u"Tracked SVs", u"Tracked SV List");
    CStorageSVList* tracked = list.get();
    document.Database().Add(0xC004, std::move(list));
    FeedTime(1000);
    FeedTime(2000);
    EXPECT_EQ(document.History()[0].Mask(), kAllSatellitesMask);
    tracked->OrMask(0x6, 0, true, 0);
    FeedTime(3000);
    EXPECT_EQ(document.History()[1].Mask(), 0x6u);
}

TEST_F(DocumentTest, RedrawsWaitForAQuietGapOrHalfASecond) {
    FeedValue(1);
    document.OnUpdateTimer();
    clock.Advance(100);
    document.OnUpdateTimer();
    EXPECT_TRUE(observer.RedrawHints().empty());
    clock.Advance(1);
    document.OnUpdateTimer();
    EXPECT_EQ(observer.RedrawHints(), (std::vector<uint32_t>{HINT_VALUES | HINT_REFRESH_DUE}));
    EXPECT_EQ(document.PendingHints(), 0u);

    // A stream that never pauses still redraws after 500 ms.
    observer.updates.clear();
    for (int i = 0; i < 10; ++i) {
        FeedValue(static_cast<uint32_t>(i));
        clock.Advance(60);
        document.OnUpdateTimer();
    }
    EXPECT_EQ(observer.RedrawHints().size(), 1u);
}

TEST_F(DocumentTest, TheThrottleSurvivesTheTickCountWrapping) {
    clock.Set(0xFFFFFFC0u);
    FeedValue(1);
    clock.Advance(0x80);
    document.OnUpdateTimer();
    EXPECT_EQ(observer.RedrawHints().size(), 1u);
}

TEST_F(DocumentTest, ForcedAndNewDocumentUpdatesCarryTheirHint) {
    FeedValue(1);
    document.ForceUpdate();
    ASSERT_TRUE(document.OnNewDocument());
    EXPECT_EQ(observer.RedrawHints(),
              (std::vector<uint32_t>{HINT_VALUES | HINT_REFRESH_DUE | HINT_FORCED, HINT_NEW_DOCUMENT}));
    EXPECT_TRUE(std::isnan(Value(kTestValueId)));
    EXPECT_EQ(document.FindNodeByProtocol(u"TST", u"VALUE", nullptr)->FrameLength(), 0);
}

TEST_F(DocumentTest, SentBytesReachTheirNodeOrTheUnknownRoot) {
    CMessageNode* value = document.FindNodeByProtocol(u"TST", u"VALUE", nullptr);
    const auto frame = TestFrameU32(kTestValueType, 2500);
    EXPECT_EQ(document.DispatchSent(value, frame.data(), static_cast<int>(frame.size())), value);
    EXPECT_EQ(value->Parent()->FrameLength(), static_cast<int>(frame.size()));
    EXPECT_EQ(document.DispatchBytes(frame.data(), static_cast<int>(frame.size())), value);
    // Two frames at once are not exactly one frame of any protocol.
    auto twice = frame;
    twice.insert(twice.end(), frame.begin(), frame.end());
    EXPECT_EQ(document.DispatchBytes(twice.data(), static_cast<int>(twice.size())),
              &document.Plugins().UnknownRoot());
    const uint8_t time[] = {'T', 'S', 0, kTestTimeType, kTestTimeType};
    EXPECT_EQ(document.DispatchSent(value, time, 5), &document.Plugins().UnknownRoot());
}

TEST_F(DocumentTest, AViewRemovedWhileViewsAreToldIsToldNoMore) {
    // The first view closes the second, as a window closing its child views would.
    class ClosingObserver : public IDocumentObserver {
    public:
        ClosingObserver(CVeltroDoc& document, IDocumentObserver& other) : document(document), other(other) {}
        void OnUpdate(uint32_t, CMessageNode*) override { document.RemoveObserver(&other); }
        CVeltroDoc& document;
        IDocumentObserver& other;
    };
    document.RemoveObserver(&observer);
    RecordingObserver closed, added;
    ClosingObserver closing(document, closed);
    document.AddObserver(&closing);
    document.AddObserver(&closed);
    document.ForceUpdate();
    EXPECT_TRUE(closed.updates.empty());

    document.AddObserver(&added);
    document.ForceUpdate();
    EXPECT_EQ(added.updates.size(), 1u);
    EXPECT_TRUE(closed.updates.empty());
}
