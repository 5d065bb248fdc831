#include "view.h"

#include <algorithm>

#include "host/core/intake/veltro_doc.h"

CView::CView() = default;

CView::~CView() {
    if (context) context->document.RemoveObserver(&link);
}

void CView::Create(const ViewContext& viewContext, const std::u16string& className, QWidget* parent) {
    setParent(parent);
    viewClass = className;
    context.emplace(viewContext);
    context->document.AddObserver(&link);
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, uint32_t, CMessageNode*) { update(); }

void CView::CDocumentLink::OnUpdate(uint32_t hint, CMessageNode* node) { view.OnUpdate(nullptr, hint, node); }

std::span<const uint8_t> CView::GetViewState() {
    const std::span<uint8_t> block = ViewStateBlock();
    if (!block.empty()) RefreshViewState();
    return block;
}

bool CView::SetViewState(std::span<const uint8_t> state) {
    const std::span<uint8_t> block = ViewStateBlock();
    if (block.empty() || state.size() != block.size()) return false;
    std::copy(state.begin(), state.end(), block.begin());
    ApplyViewState();
    return true;
}

QToolBar* CView::CreateViewToolBar(QWidget*) { return nullptr; }
