#include "channel_view_base.h"

#include <QPainter>

#include "host/core/intake/veltro_doc.h"

void CChannelViewBase::OnUpdate(CView*, uint32_t hint, CMessageNode*) {
    if (!IsWindow()) return;
    const bool channelsChanged = (hint & HINT_REFRESH_DUE) && Document().Database().Channels().IsChanged();
    if ((hint & (HINT_FORCED | HINT_NEW_DOCUMENT)) || channelsChanged) update();
}

// Bars and grid lines sit on whole pixels.
void CChannelViewBase::OnPrepareDC(QPainter& painter) { painter.setRenderHint(QPainter::Antialiasing, false); }
