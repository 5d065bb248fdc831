#include "message_node.h"

#include "platform/text.h"
#include "platform/ticks.h"

VELTRO_IMPLEMENT_CLASS(CMessageNode, CObject)

struct CMessageNode::ChildCell {
    CMessageNode* node;
    ChildCell* next;
};

CMessageNode::CMessageNode() = default;

CMessageNode::~CMessageNode() {
    while (children) {
        ChildCell* cell = children;
        children = cell->next;
        delete cell->node;
        delete cell;
    }
}

void CMessageNode::StoreFrame(const uint8_t* bytes, int length) {
    if (length < 0) length = 0;
    // The buffer only grows: assign keeps the capacity that earlier, longer frames needed.
    frame.assign(bytes, bytes + length);
    frameLength = length;
    textState = TextState::None;
    lastReceiveTick = platform::GetCoarseTickCount();
}

bool CMessageNode::Accept(const uint8_t*, int) { return true; }

CMessageNode* CMessageNode::Find(const uint8_t* bytes, int length, uint32_t mask) {
    if ((Mask() & mask) == 0 || !Accept(bytes, length)) return nullptr;
    return FindAccepted(bytes, length, mask);
}

CMessageNode* CMessageNode::FindAccepted(const uint8_t* bytes, int length, uint32_t mask) {
    if ((Mask() & mask) == 0) return nullptr;
    for (ChildCell* cell = children; cell; cell = cell->next) {
        if (CMessageNode* found = cell->node->Find(bytes, length, mask)) {
            StoreFrame(bytes, length);
            return found;
        }
    }
    StoreFrame(bytes, length);
    return this;
}

void CMessageNode::Reset() {
    textState = TextState::None;
    frameLength = 0;
    frame.clear();
    lastReceiveTick = 0;
    for (ChildCell* cell = children; cell; cell = cell->next) cell->node->Reset();
}

void CMessageNode::BindDatabase(CStorageDatabase* database) {
    for (ChildCell* cell = children; cell; cell = cell->next) cell->node->BindDatabase(database);
}

bool CMessageNode::SameEpoch(CStorageDatabase*) { return true; }

bool CMessageNode::Decode(CStorageDatabase*) { return false; }

void CMessageNode::AddChild(CMessageNode* child, bool sorted, bool trailing) {
    if (!child) return;
    child->parent = this;
    // A subtree built before it is added belongs to this tree from now on, to its leaves.
    child->SetRoot(root);

    // The link to rewrite: the head pointer, or the next pointer of the cell before the insertion.
    ChildCell** link = &children;
    if (trailing)
        while (*link && *link != sectionMarker) link = &(*link)->next;
    const ChildCell* stop = trailing ? nullptr : sectionMarker;
    while (*link && *link != stop && (!sorted || platform::WideCompare(child->Label(), (*link)->node->Label()) >= 0))
        link = &(*link)->next;

    const bool beforeMarker = *link == sectionMarker;
    auto* cell = new ChildCell{child, *link};
    *link = cell;
    ++childCount;
    if (trailing && beforeMarker) sectionMarker = cell;
    child->AddMask(0);
}

void CMessageNode::SetRoot(CMessageNode* newRoot) {
    root = newRoot;
    for (ChildCell* cell = children; cell; cell = cell->next) cell->node->SetRoot(newRoot);
}

CMessageNode::Position CMessageNode::GetFirstChild() const { return children; }

CMessageNode* CMessageNode::GetNextChild(Position& position) const {
    CMessageNode* node = position->node;
    position = position->next;
    return node;
}

CMessageNode* CMessageNode::FindChild(const char16_t* name, const char16_t* description) {
    const bool nameMatches = !name || platform::WideCompare(Name(), name) == 0;
    const bool descriptionMatches = !description || platform::WideCompare(Description(), description) == 0;
    if (nameMatches && descriptionMatches) return this;
    for (ChildCell* cell = children; cell; cell = cell->next)
        if (CMessageNode* found = cell->node->FindChild(name, description)) return found;
    return nullptr;
}

int CMessageNode::BuildPollIfSupported(uint8_t*, int, int& outLength, char16_t*, int, int) {
    outLength = 0;
    return 0;
}

void CMessageNode::FinalizeFrames(std::span<SendRecord>) {}
void CMessageNode::InitPage(CDialogPage&) {}
void CMessageNode::ShowData(CDialogPage&, const uint8_t*, int) {}
bool CMessageNode::BuildFromPage(CDialogPage&, uint8_t*, int&, int) { return false; }
int CMessageNode::BuildPoll(CDialogPage&, uint8_t*, int&, int) { return 0; }
void CMessageNode::ResizePage(CDialogPage&, int, int) {}
void CMessageNode::Reserved21() {}
bool CMessageNode::ValidateControl(CDialogPage&, int) { return true; }
bool CMessageNode::OnControlChange(CDialogPage&, int) { return false; }
int CMessageNode::Reserved24() { return 0; }
bool CMessageNode::BuildRateCommand(bool, uint8_t*, int&, int) { return false; }

bool CMessageNode::IsDescendantOf(const CMessageNode* node) const {
    for (const CMessageNode* n = this; n; n = n->parent)
        if (n == node) return true;
    return false;
}

int CMessageNode::ResourceDialogId() const { return 0; }
uint32_t CMessageNode::LastReceiveTick() const { return lastReceiveTick; }
const char16_t* CMessageNode::Text() const {
    if (textState == TextState::InFrame) {
        text = platform::AnsiToWide({reinterpret_cast<const char*>(frame.data()), static_cast<size_t>(textFrameLength)});
        textState = TextState::Valid;
    }
    return textState == TextState::Valid ? text.c_str() : nullptr;
}
uint32_t CMessageNode::OwnMask() const { return MASK_EXPERT; }
uint32_t CMessageNode::Mask() const { return OwnMask() | descendantsMask; }

uint32_t CMessageNode::RecomputeMask() {
    descendantsMask = 0;
    for (ChildCell* cell = children; cell; cell = cell->next) descendantsMask |= cell->node->RecomputeMask();
    return descendantsMask | OwnMask();
}

void CMessageNode::AddMask(uint32_t bits) {
    descendantsMask |= bits;
    if (parent) parent->AddMask(descendantsMask | OwnMask());
}

void CMessageNode::SetTextAnsi(const std::string& ansi) { SetText(platform::AnsiToWide(ansi)); }

void CMessageNode::SetText(std::u16string newText) {
    text = std::move(newText);
    textState = TextState::Valid;
}

void CMessageNode::StoreTextFrame(const uint8_t* bytes, int length) {
    // Not the virtual one: text protocols call this from their own StoreFrame.
    CMessageNode::StoreFrame(bytes, length);
    int end = frameLength;
    if (end > 0 && frame[end - 1] == '\n') --end;
    if (end > 0 && frame[end - 1] == '\r') --end;
    textFrameLength = end;
    textState = TextState::InFrame;
}

CMessageNode* CMessageNode::FindChildByLabel(const char16_t* label) const {
    for (ChildCell* cell = children; cell; cell = cell->next)
        if (platform::WideCompare(cell->node->Label(), label) == 0) return cell->node;
    return nullptr;
}
