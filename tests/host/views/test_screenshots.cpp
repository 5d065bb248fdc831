// Pictures of the main window for a reviewer: the start-up view, and each menu dropped down.
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <set>

#include "host/views/command_bar.h"
#include "tests/host/views/gui_test_support.h"

namespace {

const QString kFolder = QStringLiteral(VELTRO_SCREENSHOT_DIR);

// More than a handful of colours: something was drawn, not just a background.
bool ShowsSomething(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    return colours.size() > 8;
}

QString FileName(const QString& menuTitle) {
    QString name = menuTitle;
    name.remove(u'&');
    return QStringLiteral("menu_%1.png").arg(name.toLower());
}

class ScreenshotTest : public GuiAppTest {
protected:
    void SetUp() override {
        GuiAppTest::SetUp();
        QDir().mkpath(kFolder);
    }
};

}  // namespace

TEST_F(ScreenshotTest, TheMainWindowAndEachOfItsMenus) {
    CMainFrameMobile& frame = Start({});
    frame.resize(800, 600);
    RunEventsUntil([] { return false; }, std::chrono::milliseconds(200));
    const QImage window = frame.grab().toImage();
    ASSERT_TRUE(ShowsSomething(frame.ActiveView()->grab().toImage()));
    ASSERT_TRUE(window.save(kFolder + "/main_window.png"));

    for (QMenu* menu : frame.CommandBar().Menus()) {
        const QRect item = frame.menuBar()->actionGeometry(menu->menuAction());
        const QPoint at = frame.menuBar()->mapTo(&frame, item.bottomLeft());
        menu->popup(frame.mapToGlobal(at));
        RunEventsUntil([menu] { return menu->isVisible(); });
        QImage picture = window.copy();
        {
            QPainter painter(&picture);
            painter.drawPixmap(at, menu->grab());
        }
        menu->hide();
        EXPECT_TRUE(ShowsSomething(picture));
        EXPECT_TRUE(picture.save(kFolder + "/" + FileName(menu->title()))) << menu->title().toStdString();
    }
}
