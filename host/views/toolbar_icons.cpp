#include "toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

#include "resources/veltro/command_ids.h"

namespace {

constexpr int kSize = 32;

using Drawing = std::function<void(QPainter&)>;

QIcon Draw(const Drawing& drawing) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing(painter);
    return QIcon(pixmap);
}

// The connection indicator: a lamp in the colour of the state, with a ring while the port is open.
Drawing Lamp(QColor color, bool open) {
    return [color, open](QPainter& painter) {
        painter.setPen(QPen(open ? QColor(40, 40, 40) : QColor(150, 150, 150), 2));
        painter.setBrush(color);
        painter.drawEllipse(QRectF(4, 4, kSize - 8, kSize - 8));
    };
}

void RecordImage(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 0, 0));
    painter.drawEllipse(QRectF(7, 7, kSize - 14, kSize - 14));
}

// While recording the button is checked and disabled; Qt would grey it out, so it glows red.
void RecordingImage(QPainter& painter) {
    painter.setPen(QPen(QColor(255, 60, 60), 3));
    painter.setBrush(QColor(230, 0, 0));
    painter.drawEllipse(QRectF(4, 4, kSize - 8, kSize - 8));
}

QIcon RecordIcon() {
    QIcon icon = Draw(RecordImage);
    icon.addPixmap(Draw(RecordingImage).pixmap(kSize, kSize), QIcon::Disabled, QIcon::On);
    return icon;
}

void EjectImage(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 60, 60));
    QPainterPath triangle;
    triangle.moveTo(kSize / 2.0, 5);
    triangle.lineTo(kSize - 5, 18);
    triangle.lineTo(5, 18);
    triangle.closeSubpath();
    painter.drawPath(triangle);
    painter.drawRect(QRectF(5, 22, kSize - 10, 5));
}

void AboutImage(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 90, 200));
    painter.drawEllipse(QRectF(3, 3, kSize - 6, kSize - 6));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(14, 8, 4, 4));
    painter.drawRect(QRectF(14, 14, 4, 11));
}

void ViewToolBarImage(QPainter& painter) {
    painter.setPen(QPen(QColor(60, 60, 60), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(4, 6, kSize - 8, kSize - 12));
    painter.setBrush(QColor(60, 60, 60));
    painter.drawRect(QRectF(4, 6, kSize - 8, 6));
}

void ProgramImage(QPainter& painter) {
    painter.setPen(QPen(QColor(20, 60, 120), 2));
    painter.setBrush(QColor(230, 240, 255));
    painter.drawEllipse(QRectF(2, 2, kSize - 4, kSize - 4));
    painter.setBrush(QColor(0, 160, 0));
    painter.drawEllipse(QRectF(11, 11, 10, 10));
}

}  // namespace

QIcon CommandIcon(unsigned command) {
    switch (command) {
        case cmd::kIndicatorClosed:
            return Draw(Lamp(QColor(200, 200, 200), false));
        case cmd::kIndicatorReceiving:
            return Draw(Lamp(QColor(0, 200, 0), true));
        case cmd::kIndicatorQuiet:
            return Draw(Lamp(QColor(240, 200, 0), true));
        case cmd::kIndicatorLineErrors:
            return Draw(Lamp(QColor(255, 120, 0), true));
        case cmd::kIndicatorQuietAfterErrors:
            return Draw(Lamp(QColor(220, 0, 0), true));
        case cmd::kRecord:
            return RecordIcon();
        case cmd::kEject:
            return Draw(EjectImage);
        case cmd::kAbout:
            return Draw(AboutImage);
        case cmd::kViewToolbar:
            return Draw(ViewToolBarImage);
        default:
            return {};
    }
}

QIcon ProgramIcon() { return Draw(ProgramImage); }
