#pragma once
#include <QFont>
#include <QSize>
#include <string>

#include "host/views/mem_dc_view.h"

// What a pane of the NAV summary shows until its instrument exists: the instrument's name and
// that it follows, centred, so that the pane is never a blank area.
class CPendingInstrumentView : public CMemDCView {
public:
    explicit CPendingInstrumentView(std::u16string name);

    // Nothing that it shows comes from the document.
    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;

    // Its two lines.
    QString Text() const;

protected:
    void OnDraw(QPainter& painter, const QRect& rect) override;

private:
    std::u16string name;
};

// The largest font within the drawing views' text limits at which the text takes at most four
// fifths of a pane's width and half its height.
QFont PendingInstrumentFont(QSize pane, const QString& text, const ScreenDensity& density);
