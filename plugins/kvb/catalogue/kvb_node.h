#pragma once
#include <cstdint>

#include "shared/message_node.h"

class CKvbEditor;
class CKvbPage;

// How a node of the KVB tree presents itself: the texts the tree and the message view show, its
// capability mask and the page template it is shown with.
struct KvbNodeInfo {
    const char16_t* name;
    const char16_t* label;  // also the key by which siblings are sorted
    const char16_t* description;
    uint32_t ownMask;
    int page;  // 0: no page
    // What the node shows on that page; null: nothing.
    const CKvbPage* view = nullptr;
};

// What every node of the KVB tree has in common: the identity of its catalogue row, pages loaded
// from this plug-in's module and filled by the row's view, and send lists completed as KVB frames.
class CKvbNode : public CMessageNode {
public:
    explicit CKvbNode(const KvbNodeInfo& info) : info(info) {}

    void FinalizeFrames(std::span<SendRecord> sendList) override;
    void InitPage(CDialogPage& page) override;
    void ShowData(CDialogPage& page, const uint8_t* bytes, int length) override;
    void ResizePage(CDialogPage& page, int width, int height) override;
    bool BuildFromPage(CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) override;
    bool ValidateControl(CDialogPage& page, int controlId) override;
    bool OnControlChange(CDialogPage& page, int controlId) override;
    ModuleHandle ResourceModule() const override;
    int ResourceDialogId() const override { return info.page; }
    const char16_t* Label() const override { return info.label; }
    const char16_t* Description() const override { return info.description; }
    const char16_t* Name() const override { return info.name; }
    uint32_t OwnMask() const override { return info.ownMask; }

protected:
    // What the user edits on the node's page; null when the page only shows.
    const CKvbEditor* Editor() const;

private:
    const KvbNodeInfo& info;
};
