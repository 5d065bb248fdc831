#pragma once
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "host/core/intake/document_observer.h"
#include "host/core/intake/frame_splitter.h"
#include "host/core/intake/plugin_host.h"
#include "shared/epoch_history.h"
#include "shared/storage_database.h"

namespace platform {
class CProfile;
}

// The process-wide mask of enabled message groups; start-up keywords add bits.
extern uint32_t MessageMask;

struct DocumentSettings {
    size_t historyCapacity = 900;
    // Where the plug-ins are looked for; the executable's folder when empty.
    std::string pluginFolder;
    // Holds the conversions' switches; none (all on, nothing saved) when null.
    platform::CProfile* profile = nullptr;
    // What every plug-in's Initialize is given.
    uint32_t pluginFlags = 0;
};

// Where a message came from: the receiver's port, a replayed log, or the host itself. Only what
// was received is an answer of the receiver.
enum class MessageOrigin { Received, Replayed, Sent };

// The one document: the value database and its epoch history, the protocols and their message
// trees, and the road from a recognised frame to decoded values and view updates.
class CVeltroDoc {
public:
    explicit CVeltroDoc(const DocumentSettings& settings = {});
    ~CVeltroDoc();
    CVeltroDoc(const CVeltroDoc&) = delete;
    CVeltroDoc& operator=(const CVeltroDoc&) = delete;

    CMessageNode* Dispatch(const FrameRecord& record);
    // For bytes the host sends itself: the protocol whose recogniser takes exactly these bytes.
    CMessageNode* DispatchBytes(const uint8_t* bytes, int length);
    // For bytes built by a known node.
    CMessageNode* DispatchSent(CMessageNode* node, const uint8_t* bytes, int length);
    // The views hear of the message at once, with HINT_RECEIVED when it came from the port.
    void ProcessMessage(CMessageNode* node, bool refreshViews, MessageOrigin origin = MessageOrigin::Received);
    // Dispatch and process one record; returns the node that took it.
    CMessageNode* ProcessRecord(const FrameRecord& record, bool refreshViews,
                                MessageOrigin origin = MessageOrigin::Received);

    // Every 50 ms: redraw 100 ms after the stream goes quiet, at least every 500 ms.
    void OnUpdateTimer();
    void ForceUpdate();
    // Keeps the newest epochs up to the new capacity; the views redraw at once.
    void ResizeHistory(size_t capacity);
    // The stream has ended (a replayed log at its end): the running epoch, if a message decoded
    // into it, joins the history now, as no next epoch will close it.
    void CloseRunningEpoch();
    void NotifyNewDocument();
    bool OnNewDocument();

    CMessageNode* FindNodeByProtocol(const char16_t* protocolName, const char16_t* name, const char16_t* description);

    void AddObserver(IDocumentObserver* observer);
    void RemoveObserver(IDocumentObserver* observer);

    CStorageDatabase& Database() { return database; }
    CEpochHistory& History() { return history; }
    CPluginHost& Plugins() { return plugins; }
    const std::u16string& Title() const { return title; }
    void SetTitle(std::u16string newTitle) { title = std::move(newTitle); }
    int64_t FirstEpochTime() const { return firstEpochTime; }
    int64_t LastEpochTime() const { return lastEpochTime; }
    std::time_t StartTime() const { return startTime; }
    uint32_t PendingHints() const { return pendingHints; }

private:
    void CloseEpoch();
    void SetEpochTime(uint32_t t);
    void Deliver(uint32_t extraHints);
    void UpdateAllViews(uint32_t hint, CMessageNode* node);

    std::u16string title = u"Untitled";
    uint32_t pendingHints = 0;
    uint32_t lastMessageTick;
    uint32_t firstPendingTick;
    CEpochHistory history;
    CStorageDatabase database;
    // Declared last: its nodes hold pointers into the database and die before it.
    CPluginHost plugins;
    int64_t lastEpochTime = -1;
    int64_t firstEpochTime = -1;
    // A message decoded since the last epoch was closed; the running epoch was closed at the end.
    bool epochHasValues = false;
    bool closedAtEnd = false;
    std::time_t startTime;
    std::vector<IDocumentObserver*> observers;
    int notifyDepth = 0;
};
