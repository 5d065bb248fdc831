#include "epoch_observer.h"

#include "host/core/intake/veltro_doc.h"

CEpochObserver::CEpochObserver(CVeltroDoc& document) : document(document) { document.AddObserver(this); }

CEpochObserver::~CEpochObserver() { document.RemoveObserver(this); }

void CEpochObserver::OnUpdate(uint32_t, CMessageNode*) {
    const CEpochHistory& history = document.History();
    const uint64_t total = history.Count() + history.Dropped();
    // A new document starts the history afresh.
    if (total < written) written = 0;
    for (uint64_t n = std::max<uint64_t>(written, history.Dropped()); n < total; ++n)
        WriteEpoch(history, history[static_cast<size_t>(n - history.Dropped())]);
    written = total;
}
