#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/export.h"
#include "shared/runtime_class.h"

class CDialogPage;
class CStorageDatabase;

using ModuleHandle = void*;

// One frame of a send list that a configuration editor fills; the plug-in completes the frames
// (header and checksum) before the host sends them.
struct SendRecord {
    uint16_t length;
    uint8_t* frame;
};

// Own masks of message groups, matched against the process-wide MessageMask.
enum : uint32_t {
    MASK_ORDINARY = 0x1,
    MASK_LOGGING = 0x2,
    MASK_ODOMETER = 0x4,
    MASK_EXPERT = 0x40000000,
    MASK_DISABLED = 0x80000000,
};

// A node of a protocol's message tree. Host and plug-ins share this one definition: plug-ins
// create nodes that the host links into trees it owns and calls, and plug-ins call the host's
// roots. The order of the virtual operations is part of that contract; append, never reorder.
class VELTRO_EXPORT CMessageNode : public CObject {
    VELTRO_DECLARE_CLASS(CMessageNode)

public:
    struct ChildCell;
    using Position = ChildCell*;

    CMessageNode();
    ~CMessageNode() override;
    CMessageNode(const CMessageNode&) = delete;
    CMessageNode& operator=(const CMessageNode&) = delete;

    virtual void StoreFrame(const uint8_t* bytes, int length);
    virtual bool Accept(const uint8_t* bytes, int length);
    virtual CMessageNode* Find(const uint8_t* bytes, int length, uint32_t mask);
    // Find for a frame this node is known to accept, such as a frame its protocol's recogniser
    // has just cut: the test is not run twice.
    CMessageNode* FindAccepted(const uint8_t* bytes, int length, uint32_t mask);
    virtual void Reset();
    virtual void BindDatabase(CStorageDatabase* database);
    virtual bool SameEpoch(CStorageDatabase* database);
    virtual bool Decode(CStorageDatabase* database);
    virtual void AddChild(CMessageNode* child, bool sorted, bool trailing);
    virtual Position GetFirstChild() const;
    virtual CMessageNode* GetNextChild(Position& position) const;
    virtual CMessageNode* FindChild(const char16_t* name, const char16_t* description);
    // One step of polling the node's configuration: builds poll number index into buffer and
    // returns how many polls follow it. outLength is -1 when the buffer is too small, 0 when
    // nothing is to be sent at this step.
    virtual int BuildPollIfSupported(uint8_t* buffer, int capacity, int& outLength, char16_t* nameBuffer,
                                     int nameCapacity, int index);
    virtual void FinalizeFrames(std::span<SendRecord> sendList);
    virtual void InitPage(CDialogPage& page);
    virtual void ShowData(CDialogPage& page, const uint8_t* bytes, int length);
    virtual bool BuildFromPage(CDialogPage& page, uint8_t* buffer, int& outLength, int capacity);
    virtual int BuildPoll(CDialogPage& page, uint8_t* buffer, int& outLength, int capacity);
    virtual void ResizePage(CDialogPage& page, int width, int height);
    virtual void Reserved21();
    virtual bool ValidateControl(CDialogPage& page, int controlId);
    virtual bool OnControlChange(CDialogPage& page, int controlId);
    virtual int Reserved24();
    virtual bool BuildRateCommand(bool enable, uint8_t* buffer, int& outLength, int capacity);
    virtual bool IsDescendantOf(const CMessageNode* node) const;
    virtual ModuleHandle ResourceModule() const = 0;
    virtual int ResourceDialogId() const;
    virtual uint32_t LastReceiveTick() const;
    virtual const char16_t* Text() const;
    virtual const char16_t* Label() const = 0;
    virtual const char16_t* Description() const = 0;
    virtual const char16_t* Name() const = 0;
    virtual uint32_t OwnMask() const;
    virtual uint32_t Mask() const;
    virtual uint32_t RecomputeMask();
    virtual void AddMask(uint32_t bits);

    // Fills the text from an ANSI string.
    void SetTextAnsi(const std::string& ansi);
    // For text protocols: stores the frame, and as text the frame without one trailing line feed
    // and then one trailing carriage return.
    void StoreTextFrame(const uint8_t* bytes, int length);
    CMessageNode* FindChildByLabel(const char16_t* label) const;

    CMessageNode* Parent() const { return parent; }
    // Children are only ever added: a count that stands means the same children.
    int ChildCount() const { return childCount; }
    CMessageNode* Root() const { return root; }
    const uint8_t* FrameBytes() const { return frame.data(); }
    int FrameLength() const { return frameLength; }

protected:
    void SetText(std::u16string newText);
    void InvalidateText() { textState = TextState::None; }

private:
    void SetRoot(CMessageNode* newRoot);

private:
    ChildCell* children = nullptr;
    int childCount = 0;
    ChildCell* sectionMarker = nullptr;
    CMessageNode* parent = nullptr;
    CMessageNode* root = this;
    // A text frame is converted to text only when the text is asked for: most never are.
    enum class TextState : uint8_t { None, Valid, InFrame };
    mutable std::u16string text;
    mutable TextState textState = TextState::None;
    int textFrameLength = 0;
    std::vector<uint8_t> frame;
    int frameLength = 0;
    uint32_t lastReceiveTick = 0;
    uint32_t descendantsMask = 0;
};
