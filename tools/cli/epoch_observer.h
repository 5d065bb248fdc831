#pragma once
#include <cstdint>

#include "host/core/intake/document_observer.h"

class CEpochHistory;
class CEpochSnapshot;
class CVeltroDoc;

// Hands every epoch that the document closes to WriteEpoch, once and in order, as soon as the
// document reports the next message.
class CEpochObserver : public IDocumentObserver {
public:
    explicit CEpochObserver(CVeltroDoc& document);
    ~CEpochObserver() override;
    CEpochObserver(const CEpochObserver&) = delete;
    CEpochObserver& operator=(const CEpochObserver&) = delete;

    void OnUpdate(uint32_t hint, CMessageNode* node) override;

protected:
    virtual void WriteEpoch(const CEpochHistory& history, const CEpochSnapshot& snapshot) = 0;

    CVeltroDoc& document;

private:
    // Snapshots ever pushed (the history's count plus those it dropped) that were written.
    uint64_t written = 0;
};
