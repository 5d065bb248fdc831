// The statistic view offscreen: cells as the database holds them, colours of "Current", the
// columns restored through the state block, copying rows; and a picture fed by the simulator.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QTreeView>

#include "host/views/statistics/statistic_cells.h"
#include "host/views/statistics/statistic_view.h"
#include "host/views/view_classes.h"
#include "resources/veltro/command_ids.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"
#include "tests/host/views/forms/simulated_document.h"

namespace {

class StatisticViewTest : public ::testing::Test {
protected:
    void SetUp() override { view = Open(); }
    void TearDown() override { MessageMask = 1; }

    std::unique_ptr<CStatisticView> Open() {
        auto opened = std::make_unique<CStatisticView>();
        opened->Create({document, colors, profile, host, ScreenDensity{96, 96}}, view_class::kStatisticView, nullptr);
        opened->resize(800, 400);
        opened->OnInitialUpdate();
        return opened;
    }
    int Row(const QString& title) const {
        const QAbstractItemModel& model = *view->List().model();
        for (int row = 0; row < model.rowCount(); ++row)
            if (model.index(row, 0).data().toString() == title) return row;
        return -1;
    }
    QVariant Cell(const QString& title, int column, int role = Qt::DisplayRole) const {
        return view->List().model()->index(Row(title), column).data(role);
    }
    void CloseEpoch() {
        auto snapshot = document.History().NewSnapshot(0);
        document.Database().SaveSnapshot(document.History(), *snapshot);
        document.History().Push(std::move(snapshot));
    }

    CVeltroDoc document{DocumentSettings{10, "/nonexistent/", nullptr}};
    CColorTable colors;
    platform::CMemoryProfile profile;
    TestViewHost host;
    std::unique_ptr<CStatisticView> view;
};

}  // namespace

TEST_F(StatisticViewTest, CellsFollowTheDatabaseAndCurrentIsGreyWhenNotSet) {
    EXPECT_EQ(view->List().model()->headerData(9, Qt::Horizontal).toString(), QStringLiteral("Description"));
    EXPECT_EQ(view->List().header()->sectionSize(9), 140);
    const QString alt = QStringLiteral("Alt (HAE)");
    EXPECT_EQ(Cell(alt, 1).toString(), QStringLiteral("0"));
    EXPECT_EQ(Cell(alt, 2).toString(), QString());
    EXPECT_EQ(Cell(alt, 3, Qt::ForegroundRole).value<QColor>(),
              view->List().palette().color(QPalette::Disabled, QPalette::Text));
    EXPECT_EQ(Cell(alt, 3, Qt::TextAlignmentRole).toInt() & Qt::AlignRight, Qt::AlignRight);

    auto* altitude = document.Database().FindAs<CStorageValue>(entry::kHeightAboveEllipsoid);
    altitude->SetValue(499);
    CloseEpoch();
    altitude->SetValueMarked(501);
    view->OnUpdate(nullptr, HINT_EPOCH | HINT_REFRESH_DUE, nullptr);
    EXPECT_EQ(Cell(alt, 1).toString(), QStringLiteral("2"));
    EXPECT_EQ(Cell(alt, 2).toString(), QStringLiteral("0"));
    EXPECT_EQ(Cell(alt, 3).toString(), QStringLiteral("501.00"));
    EXPECT_EQ(Cell(alt, 4).toString(), QStringLiteral("499.00"));
    EXPECT_EQ(Cell(alt, 7).toString(), QStringLiteral("1.00"));
    EXPECT_EQ(Cell(alt, 8).toString(), QStringLiteral("m"));
    EXPECT_EQ(Cell(alt, 3, Qt::ForegroundRole).value<QColor>(), view->List().palette().color(QPalette::Highlight));
    const QString mode = QStringLiteral("Nav. Mode");  // a bitmask: no statistics
    EXPECT_EQ(Cell(mode, 4).toString(), QString());
    EXPECT_LT(Row(QStringLiteral("UTC")), Row(QStringLiteral("Lat")));  // by identifier
}

TEST_F(StatisticViewTest, ColumnOrderAndWidthsComeBackThroughTheStateBlock) {
    QHeaderView& header = *view->List().header();
    header.moveSection(9, 0);  // Description first
    header.resizeSection(3, 123);
    const std::span<const uint8_t> state = view->GetViewState();
    const std::vector<uint8_t> block(state.begin(), state.end());
    ASSERT_EQ(block.size(), 88u);
    view = Open();
    EXPECT_EQ(view->List().header()->logicalIndex(0), 0);
    ASSERT_TRUE(view->SetViewState(block));
    EXPECT_EQ(view->List().header()->logicalIndex(0), 9);
    EXPECT_EQ(view->List().header()->logicalIndex(1), 0);
    EXPECT_EQ(view->List().header()->sectionSize(3), 123);

    std::vector<uint8_t> broken = block;
    broken[40] = 7;  // column 7 twice: the columns in their own order
    ASSERT_TRUE(view->SetViewState(broken));
    EXPECT_EQ(view->List().header()->logicalIndex(0), 0);
    EXPECT_FALSE(view->SetViewState(std::span<const uint8_t>(block).first(87)));
}

TEST_F(StatisticViewTest, SelectedRowsAreCopiedAsTabSeparatedText) {
    EXPECT_FALSE(view->QueryCommand(cmd::kEditCopy).enabled);
    EXPECT_FALSE(view->QueryCommand(cmd::kEditPaste).enabled);
    view->List().selectionModel()->select(view->List().model()->index(Row(QStringLiteral("PDOP")), 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->RunCommand(cmd::kEditCopy);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Title\tCount\tAge\tCurrent\tMinimum\tMaximum\tAverage\tDeviation\tUnit\tDescription\n"
                             "PDOP\t0\t\t\t\t\t\t\t\tDOP Position\n"));
    view->RunCommand(cmd::kEditSelectAll);
    EXPECT_EQ(view->List().selectionModel()->selectedRows().size(), view->List().model()->rowCount());
}

TEST_F(StatisticViewTest, WithoutEntriesOfTheEnabledGroupsOnlyTheHeadingsShow) {
    MessageMask = 0x2;
    view->OnUpdate(nullptr, HINT_NEW_DOCUMENT, nullptr);
    EXPECT_EQ(view->List().model()->rowCount(), 0);
    EXPECT_FALSE(view->QueryCommand(cmd::kEditSelectAll).enabled);
    EXPECT_EQ(view->List().model()->columnCount(), 10);
}

TEST(StatisticViewPicture, FedByTheSimulatedReceiver) {
    SimulatedDocument sim;
    ASSERT_TRUE(sim.HasPlugins());
    sim.Feed(60);
    CStatisticView view;
    view.Create(sim.Context(), view_class::kStatisticView, nullptr);
    view.resize(1000, 600);
    view.OnInitialUpdate();
    view.show();
    QDir().mkpath(QStringLiteral(VELTRO_SCREENSHOT_DIR));
    EXPECT_TRUE(Rendered(view).save(QStringLiteral(VELTRO_SCREENSHOT_DIR "/statistic_view.png")));
}
