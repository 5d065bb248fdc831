#pragma once
#include <cstdint>
#include <string>

#include "host/views/mem_dc_view.h"

// What the frame shows while the view a menu asks for is not available: the program's name, the
// connection and the receiver's time of the newest epoch.
class CPlaceholderView : public CMemDCView {
public:
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;

    // "2024-03-01 12:00:00 UTC", or that no time has come yet.
    std::u16string TimeText() const;

protected:
    void OnDraw(QPainter& painter, const QRect& rect) override;

private:
    // Reads what it shows; repaints when that changed.
    void Refresh();

    int64_t shownEpochTime = -1;
    std::u16string shownConnection;
};
