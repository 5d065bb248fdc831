// The chart view offscreen: its edge cases through the real view, and pictures of it fed by the
// simulated receiver's drive.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMainWindow>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolBar>
#include <filesystem>
#include <fstream>

#include "host/views/charts/chart_axis_dialog.h"
#include "host/views/charts/chart_view.h"
#include "host/views/messages/message_form_page.h"
#include "host/views/recent_view_list.h"
#include "host/views/view_classes.h"
#include "resources/veltro/chart_resources.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"
#include "tests/host/views/forms/simulated_document.h"
#include "tests/host/views/forms/view_pixels.h"
#include "tests/host/views/gui_test_support.h"

namespace {

const QString kFolder = QStringLiteral(VELTRO_SCREENSHOT_DIR);

void SendMouse(QWidget& widget, QEvent::Type type, const QPoint& at) {
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void Stroke(QWidget& widget, const QPoint& from, const QPoint& to) {
    SendMouse(widget, QEvent::MouseButtonPress, from);
    SendMouse(widget, QEvent::MouseMove, to);
    SendMouse(widget, QEvent::MouseButtonRelease, to);
}

class ChartViewTest : public ::testing::Test {
protected:
    void SetUp() override { Open(); }

    void Open() {
        view = std::make_unique<CChartView>();
        view->Create({document, colors, profile, host, ScreenDensity{96, 96}}, view_class::kChartView, nullptr);
        view->resize(640, 480);
        toolBar.reset(view->CreateViewToolBar(nullptr));
        view->OnInitialUpdate();
    }
    CStorageValue* Entry(uint16_t id) { return document.Database().FindAs<CStorageValue>(id); }
    // One epoch with the altitude (none for NaN), closed as the document does, and the view told.
    void Epoch(double altitude) {
        Entry(entry::kHeightAboveEllipsoid)->SetValue(altitude);
        auto snapshot = document.History().NewSnapshot(0);
        document.Database().SaveSnapshot(document.History(), *snapshot);
        document.History().Push(std::move(snapshot));
        view->OnUpdate(nullptr, HINT_EPOCH | HINT_REFRESH_DUE, nullptr);
    }
    const ChartAxis& Y() const { return view->Axis(CChartView::kY); }
    const ChartAxis& X() const { return view->Axis(CChartView::kX); }

    CVeltroDoc document{DocumentSettings{100, "/nonexistent/", nullptr}};
    CColorTable colors;
    platform::CMemoryProfile profile;
    TestViewHost host;
    std::unique_ptr<CChartView> view;
    std::unique_ptr<QToolBar> toolBar;
};

}  // namespace

TEST_F(ChartViewTest, WithoutSamplesNothingIsPlottedAndTheScrollBarSpansEverything) {
    EXPECT_FALSE(Y().hasData);
    EXPECT_EQ(view->ScrollBar(CChartView::kY).maximum(), 0);
    EXPECT_EQ(view->Title(), u"Alt (HAE) / Index");
    Epoch(NAN);
    Epoch(NAN);
    EXPECT_TRUE(X().hasData);
    EXPECT_FALSE(Y().hasData);
    EXPECT_FALSE(HasColor(view->Picture(), view->PlotArea(), colors.Color(9)));
    Epoch(480);
    EXPECT_TRUE(HasColor(view->Picture(), view->PlotArea(), colors.Color(9)));
}

TEST_F(ChartViewTest, TheValueListsOfferTheIndexAndEveryStatisticsValue) {
    QComboBox* list = view->ValueList(CChartView::kY);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentText(), QStringLiteral("Alt (HAE)"));
    EXPECT_EQ(view->ValueList(CChartView::kX)->currentText(), QStringLiteral("Index"));
    EXPECT_EQ(list->findText(QStringLiteral("Nav. Mode")), -1);  // a bitmask has no statistics
    view->PickValue(CChartView::kX, view->ValueList(CChartView::kX)->findText(QStringLiteral("Lon")));
    EXPECT_EQ(view->Title(), u"Alt (HAE) / Lon");
    view->PickValue(CChartView::kY, 0);
    EXPECT_FALSE(Y().useValue);
    EXPECT_EQ(view->Title(), u"Index / Lon");
}

TEST_F(ChartViewTest, ZoomingInStopsAtFiveResolutionsAndTheModeButtonCycles) {
    for (int i = 0; i < 5; ++i) Epoch(500 + i);
    view->RunCommand(cmd::kChartZoomIn);
    EXPECT_TRUE(view->QueryCommand(cmd::kChartZoomIn).checked);
    EXPECT_TRUE(view->QueryCommand(cmd::kChartModeCursor).hiddenOnToolbar);
    EXPECT_FALSE(view->QueryCommand(cmd::kChartModeZoomIn).hiddenOnToolbar);
    const QPoint centre = view->PlotArea().center();
    for (int i = 0; i < 12; ++i) Stroke(*view, centre, centre);
    EXPECT_NEAR(Y().Span(), 0.05, 1e-9);  // resolution 0.01
    view->RunCommand(cmd::kChartModeZoomIn);
    EXPECT_EQ(view->Settings().mouseMode, ChartMouseMode::ZoomOut);
    view->RunCommand(cmd::kChartModeZoomOut);
    EXPECT_EQ(view->Settings().mouseMode, ChartMouseMode::Cursor);
}

TEST_F(ChartViewTest, TheAxisPropertiesTakeSwappedRangesInOrder) {
    for (int i = 0; i < 10; ++i) Epoch(500 + i);
    view->RunCommand(cmd::kChartYFit);
    ASSERT_TRUE(Y().fit);
    view->RunCommand(cmd::kChartAxisProperties);
    CChartAxisDialog* dialog = view->AxisDialog();
    ASSERT_NE(dialog, nullptr);
    CMessageFormPage& page = dialog->Page();
    EXPECT_EQ(page.GetControlText(dialog::kChartYName), u"Alt (HAE) [m]");
    page.SetControlText(dialog::kChartYLow, u"510");
    page.SetControlText(dialog::kChartYHigh, u"490.5");
    page.SetControlText(dialog::kChartXLow, u"8");
    page.SetControlText(dialog::kChartXHigh, u"x");
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible());  // a field that is not a number keeps it open
    page.SetControlText(dialog::kChartXHigh, u"2");
    dialog->accept();
    EXPECT_DOUBLE_EQ(Y().viewLow, 490.5);
    EXPECT_DOUBLE_EQ(Y().viewHigh, 510);
    EXPECT_DOUBLE_EQ(X().viewLow, 2);
    EXPECT_DOUBLE_EQ(X().viewHigh, 8);
    EXPECT_FALSE(Y().fit);
    EXPECT_FALSE(view->QueryCommand(cmd::kChartYFit).checked);
}

TEST_F(ChartViewTest, FollowKeepsTheNewestValueATenthOfTheSpanFromTheEdge) {
    for (int i = 0; i < 10; ++i) Epoch(500 + i);
    view->RunCommand(cmd::kChartYFit);
    view->RunCommand(cmd::kChartYFollow);
    ASSERT_FALSE(Y().fit);
    const double span = Y().Span();
    for (int i = 10; i < 40; ++i) {
        Epoch(500 + 3 * i);
        EXPECT_DOUBLE_EQ(Y().Span(), span);
        EXPECT_LE(500 + 3 * i + span / 10, Y().viewHigh + 1e-9) << i;
    }
}

TEST_F(ChartViewTest, ValuesThatAreNotFiniteNeverReachTheScaling) {
    Epoch(1);
    Epoch(INFINITY);
    Epoch(3);
    EXPECT_TRUE(Y().hasData);
    EXPECT_DOUBLE_EQ(Y().extentLow, 0.8);
    EXPECT_TRUE(std::isfinite(Y().viewLow) && std::isfinite(Y().viewHigh));
    Entry(entry::kHeightAboveSeaLevel)->SetValue(-INFINITY);
    view->PickValue(CChartView::kY, view->ValueList(CChartView::kY)->findText(QStringLiteral("Alt (MSL)")));
    EXPECT_FALSE(Y().hasData);
    view->Picture();
}

TEST_F(ChartViewTest, TheCursorShowsTheNearestPointWhileTheStylusIsDown) {
    for (int i = 0; i < 10; ++i) Epoch(500 + i);
    view->RunCommand(cmd::kChartXFit);
    view->RunCommand(cmd::kChartYFit);
    const QPoint at(X().ToPixel(3) + 2, Y().ToPixel(503) - 1);
    SendMouse(*view, QEvent::MouseButtonPress, at);
    ASSERT_EQ(view->CursorLines().size(), 3u);
    EXPECT_EQ(view->CursorLines()[0], QStringLiteral("Epoch 3"));
    EXPECT_EQ(view->CursorLines()[1], QStringLiteral("Alt (HAE): 503.00 m"));
    SendMouse(*view, QEvent::MouseButtonRelease, at);
    EXPECT_TRUE(view->CursorLines().empty());
    EXPECT_TRUE(X().fit);  // the cursor changes nothing
}

TEST_F(ChartViewTest, TheSetupJoinsTheRecentListOnceForTheSameTitle) {
    view->RunCommand(cmd::kChartStatistics);
    view.reset();
    Open();
    EXPECT_FALSE(view->Settings().statistics);
    view.reset();
    CRecentViewList list = CRecentViewList::Charts();
    list.Load(profile);
    EXPECT_EQ(list.At(0).title, u"Alt (HAE) / Index");
    EXPECT_TRUE(list.At(1).title.empty());

    Open();
    ChartSettings stored;
    stored.smoothing = true;
    stored.smoothingFactor = 0;
    stored.statistics = true;
    std::array<uint8_t, 28> block = stored.Encode();
    block[0] = 9;
    EXPECT_TRUE(view->SetViewState(block));
    EXPECT_EQ(view->Settings().smoothingFactor, 16);
    EXPECT_EQ(view->Settings().mouseMode, ChartMouseMode::Cursor);
    EXPECT_TRUE(view->QueryCommand(cmd::kChartStatistics).checked);
    EXPECT_FALSE(view->SetViewState(std::span<const uint8_t>(block).first(27)));
}

TEST_F(ChartViewTest, TheDataAndThePictureAreSavedAsTheUserChooses) {
    for (int i = 0; i < 3; ++i) Epoch(500.25 + i);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "veltro-chart-test";
    std::filesystem::create_directories(folder);
    host.prompts.saveFile = (folder / "chart.csv").string();
    view->RunCommand(cmd::kChartSaveData);
    EXPECT_EQ(host.prompts.proposedChartName, u"Alt (HAE) - Index.csv");
    std::ifstream csv(*host.prompts.saveFile);
    const std::string text((std::istreambuf_iterator<char>(csv)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "Epoch,Index,Alt (HAE) [m]\r\n0,0,500.25\r\n1,1,501.25\r\n2,2,502.25\r\n");
    host.prompts.saveFile = (folder / "chart.png").string();
    view->RunCommand(cmd::kChartSavePicture);
    EXPECT_EQ(QImage(QString::fromStdString(*host.prompts.saveFile)).size(), view->size());
    host.prompts.saveFile = (folder / "missing" / "chart.png").string();
    view->RunCommand(cmd::kChartSavePicture);
    EXPECT_EQ(host.prompts.shown.size(), 1u);
    std::filesystem::remove_all(folder);
}

// Pictures for a reviewer: the chart in a window with its toolbar, fed by the simulator's drive.
class ChartPictureTest : public ::testing::Test {
protected:
    CChartView& Open(int epochs) {
        sim.Feed(epochs);
        auto* chart = new CChartView;
        chart->Create(sim.Context(), view_class::kChartView, &window);
        window.setCentralWidget(chart);
        window.addToolBar(chart->CreateViewToolBar(&window));
        window.resize(800, 600);
        window.show();
        chart->OnInitialUpdate();
        return *chart;
    }
    void Save(const char* name) {
        QDir().mkpath(kFolder);
        QCoreApplication::processEvents();
        EXPECT_TRUE(window.grab().save(kFolder + "/" + name));
    }

    SimulatedDocument sim;
    QMainWindow window;
};

TEST_F(ChartPictureTest, AltitudeAgainstTheIndex) {
    ASSERT_TRUE(sim.HasPlugins());
    CChartView& chart = Open(300);
    chart.RunCommand(cmd::kChartXFit);
    chart.RunCommand(cmd::kChartYFit);
    chart.RunCommand(cmd::kChartStatistics);
    EXPECT_TRUE(chart.Axis(CChartView::kY).hasData);
    Save("chart_altitude_index.png");
}

TEST_F(ChartPictureTest, LatitudeAgainstLongitude) {
    ASSERT_TRUE(sim.HasPlugins());
    CChartView& chart = Open(300);
    chart.PickValue(CChartView::kX, chart.ValueList(CChartView::kX)->findText(QStringLiteral("Lon")));
    chart.PickValue(CChartView::kY, chart.ValueList(CChartView::kY)->findText(QStringLiteral("Lat")));
    chart.RunCommand(cmd::kChartXFit);
    chart.RunCommand(cmd::kChartYFit);
    chart.RunCommand(cmd::kChartConnectNone + 1);
    EXPECT_EQ(chart.Title(), u"Lat / Lon");
    Save("chart_latitude_longitude.png");
}

// Through the window: the view menu opens the chart, which leaves its setup in the recent list
// when another view takes its place; the list's item brings it back.
class ChartFromTheMenuTest : public GuiAppTest {};

TEST_F(ChartFromTheMenuTest, TheSetupComesBackFromTheRecentList) {
    CMainFrameMobile& frame = Start({});
    frame.CommandBar().Run(cmd::kNewChartView);
    auto* chart = dynamic_cast<CChartView*>(frame.ActiveView());
    ASSERT_NE(chart, nullptr);
    ASSERT_NE(chart->ValueList(CChartView::kY), nullptr);  // the frame made its toolbar
    chart->RunCommand(cmd::kChartYFit);
    frame.CommandBar().Run(cmd::kStatisticsView);
    ASSERT_EQ(frame.ActiveView()->ViewClass(), view_class::kStatisticView);
    QAction* recent = Item(frame, cmd::kFirstRecentChart);
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->text(), "&1 Alt (HAE) / Index");
    recent->trigger();
    chart = dynamic_cast<CChartView*>(frame.ActiveView());
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->Axis(CChartView::kY).fit);
    EXPECT_TRUE(prompts.shown.empty());
}
