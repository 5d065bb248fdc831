#include "veltro_doc.h"

#include <algorithm>
#include <cmath>

#include "host/core/database/conversions.h"
#include "host/core/database/database_catalogue.h"
#include "platform/shared_library.h"
#include "platform/ticks.h"
#include "shared/entry_ids.h"
#include "shared/satellite_slots.h"
#include "shared/storage_sv_list.h"
#include "shared/storage_values.h"

uint32_t MessageMask = MASK_ORDINARY;

namespace {
constexpr uint32_t kQuietGapMs = 100;
constexpr uint32_t kMaxDelayMs = 500;
}  // namespace

CVeltroDoc::CVeltroDoc(const DocumentSettings& settings)
    : lastMessageTick(platform::GetTickCount()),
      firstPendingTick(lastMessageTick),
      history(settings.historyCapacity),
      database(settings.profile),
      startTime(std::time(nullptr)) {
    database.AttachHistory(&history);
    BuildDatabaseCatalogue(database, history);
    AddConversions(database);
    plugins.LoadPlugins(settings.pluginFolder.empty() ? platform::ExecutableFolder() : settings.pluginFolder, database,
                        settings.pluginFlags);
}

CVeltroDoc::~CVeltroDoc() = default;

CMessageNode* CVeltroDoc::Dispatch(const FrameRecord& record) {
    if (record.protocol) {
        if (CMessageNode* node = record.protocol->root->FindAccepted(record.bytes, record.length, MessageMask))
            return node;
    }
    return plugins.UnknownRoot().Find(record.bytes, record.length, MessageMask);
}

CMessageNode* CVeltroDoc::DispatchBytes(const uint8_t* bytes, int length) {
    for (const auto& entry : plugins.Protocols()) {
        if (entry->check(bytes, length) == length) {
            if (CMessageNode* node = entry->root->FindAccepted(bytes, length, MessageMask)) return node;
            break;
        }
    }
    return plugins.UnknownRoot().Find(bytes, length, MessageMask);
}

CMessageNode* CVeltroDoc::DispatchSent(CMessageNode* node, const uint8_t* bytes, int length) {
    CMessageNode* result = nullptr;
    if (node) {
        for (CMessageNode* ancestor = node->Parent(); ancestor; ancestor = ancestor->Parent())
            ancestor->StoreFrame(bytes, length);
        result = node->Find(bytes, length, MessageMask);
    }
    return result ? result : plugins.UnknownRoot().Find(bytes, length, MessageMask);
}

void CVeltroDoc::ProcessMessage(CMessageNode* node, bool refreshViews, MessageOrigin origin) {
    if (!node) return;
    const uint32_t tick = node->LastReceiveTick();
    uint32_t hint = 0;
    if (!node->SameEpoch(&database)) {
        if (!closedAtEnd) CloseEpoch();
        hint = HINT_EPOCH;
    }
    closedAtEnd = false;
    if (node->Decode(&database)) {
        epochHasValues = true;
        database.RunConversions();
        const auto* utc = database.FindAs<CStorageValue>(entry::kUtc);
        if (utc && utc->IsValid()) {
            const double seconds = utc->GetValue() + 0.5;
            if (seconds >= 0 && seconds < 4294967296.0) SetEpochTime(static_cast<uint32_t>(seconds));
        }
        hint |= HINT_VALUES;
    }
    hint |= HINT_MESSAGE;
    lastMessageTick = tick;
    if (pendingHints == 0) firstPendingTick = tick;
    if (refreshViews) hint |= HINT_REFRESH_DUE;
    pendingHints |= hint;
    UpdateAllViews(origin == MessageOrigin::Received ? HINT_MESSAGE | HINT_RECEIVED : HINT_MESSAGE, node);
}

CMessageNode* CVeltroDoc::ProcessRecord(const FrameRecord& record, bool refreshViews, MessageOrigin origin) {
    CMessageNode* node = Dispatch(record);
    ProcessMessage(node, refreshViews, origin);
    return node;
}

void CVeltroDoc::CloseEpoch() {
    SatelliteMask mask = kAllSatellitesMask;
    if (auto* tracked = database.FindAs<CStorageSVList>(entry::kTrackedList)) {
        if (tracked->IsValid())
            mask = tracked->GetMask();
        else
            tracked->StoreMask(mask);
    }
    if ((pendingHints & HINT_REFRESH_DUE) && (pendingHints & (HINT_VALUES | HINT_EPOCH))) Deliver(0);
    auto snapshot = history.NewSnapshot(mask);
    database.SaveSnapshot(history, *snapshot);
    history.Push(std::move(snapshot));
    epochHasValues = false;
}

void CVeltroDoc::CloseRunningEpoch() {
    if (!epochHasValues || closedAtEnd) return;
    CloseEpoch();
    closedAtEnd = true;
    pendingHints |= HINT_EPOCH;
}

void CVeltroDoc::SetEpochTime(uint32_t t) {
    if (lastEpochTime == -1) firstEpochTime = t;
    lastEpochTime = t;
}

void CVeltroDoc::OnUpdateTimer() {
    if (!(pendingHints & HINT_REFRESH_DUE)) return;
    const uint32_t now = platform::GetTickCount();
    if (now - lastMessageTick > kQuietGapMs && (pendingHints & (HINT_VALUES | HINT_EPOCH)))
        Deliver(0);
    else if (now - firstPendingTick > kMaxDelayMs && (pendingHints & (HINT_VALUES | HINT_EPOCH | HINT_MESSAGE)))
        Deliver(0);
}

void CVeltroDoc::ForceUpdate() { Deliver(HINT_FORCED); }

void CVeltroDoc::ResizeHistory(size_t capacity) {
    history.SetCapacity(capacity);
    ForceUpdate();
}

void CVeltroDoc::NotifyNewDocument() { Deliver(HINT_NEW_DOCUMENT); }

void CVeltroDoc::Deliver(uint32_t extraHints) {
    UpdateAllViews(pendingHints | extraHints, nullptr);
    database.EndRefresh();
    pendingHints = 0;
}

void CVeltroDoc::UpdateAllViews(uint32_t hint, CMessageNode* node) {
    if (!node) hint &= ~static_cast<uint32_t>(HINT_MESSAGE | HINT_RECEIVED);
    // Views come and go while being told: one removed meanwhile leaves a gap that is skipped,
    // one added is told from the next time on.
    ++notifyDepth;
    const size_t count = observers.size();
    for (size_t i = 0; i < count; ++i)
        if (IDocumentObserver* observer = observers[i]) observer->OnUpdate(hint, node);
    if (--notifyDepth == 0) std::erase(observers, nullptr);
}

bool CVeltroDoc::OnNewDocument() {
    database.Reset();
    history.Clear();
    for (const auto& entry : plugins.Protocols()) entry->root->Reset();
    plugins.CustomRoot().Reset();
    plugins.UnknownRoot().Reset();
    lastEpochTime = firstEpochTime = -1;
    epochHasValues = closedAtEnd = false;
    startTime = std::time(nullptr);
    NotifyNewDocument();
    return true;
}

CMessageNode* CVeltroDoc::FindNodeByProtocol(const char16_t* protocolName, const char16_t* name,
                                             const char16_t* description) {
    if (!protocolName) return nullptr;
    const std::u16string protocol = protocolName;
    if (CProtocolRoot* root = plugins.RootOf(protocol)) return root->FindChild(name, description);
    if (protocol == u"UNKNOWN") return &plugins.UnknownRoot();
    if (protocol == u"CUSTOM") return &plugins.CustomRoot();
    return nullptr;
}

void CVeltroDoc::AddObserver(IDocumentObserver* observer) {
    if (observer && std::find(observers.begin(), observers.end(), observer) == observers.end())
        observers.push_back(observer);
}

void CVeltroDoc::RemoveObserver(IDocumentObserver* observer) {
    if (notifyDepth > 0)
        std::replace(observers.begin(), observers.end(), observer, static_cast<IDocumentObserver*>(nullptr));
    else
        std::erase(observers, observer);
}
