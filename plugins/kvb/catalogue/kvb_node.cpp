#include "plugins/kvb/catalogue/kvb_node.h"

#include "plugins/kvb/catalogue/kvb_plugin.h"
#include "plugins/kvb/editors/kvb_editor.h"
#include "plugins/kvb/framing/kvb_frame.h"
#include "plugins/kvb/pages/kvb_page.h"

void CKvbNode::FinalizeFrames(std::span<SendRecord> sendList) { KvbFinalizeFrames(sendList); }

ModuleHandle CKvbNode::ResourceModule() const { return KvbPlugin().resourceInstance; }

void CKvbNode::InitPage(CDialogPage& page) {
    if (info.view) info.view->Init(page);
}

void CKvbNode::ShowData(CDialogPage& page, const uint8_t* bytes, int length) {
    if (info.view) info.view->Show(page, bytes, length);
}

void CKvbNode::ResizePage(CDialogPage& page, int width, int height) {
    if (info.view) info.view->Resize(page, width, height);
}

const CKvbEditor* CKvbNode::Editor() const { return info.view ? info.view->Editor() : nullptr; }

bool CKvbNode::BuildFromPage(CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) {
    const CKvbEditor* editor = Editor();
    return editor && editor->Build(page, buffer, outLength, capacity);
}

bool CKvbNode::ValidateControl(CDialogPage& page, int controlId) {
    const CKvbEditor* editor = Editor();
    return !editor || editor->Validate(page, controlId);
}

bool CKvbNode::OnControlChange(CDialogPage& page, int controlId) {
    const CKvbEditor* editor = Editor();
    return editor && editor->OnChange(page, controlId);
}
