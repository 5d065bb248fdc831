#pragma once
#include <cstdint>

#include "host/views/mem_dc_view.h"

// Base of the views that draw the receiver's channels: they repaint when forced, for a new
// document, or at a due refresh while the channel data changed.
class CChannelViewBase : public CMemDCView {
public:
    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;

protected:
    void OnPrepareDC(QPainter& painter) override;
};
