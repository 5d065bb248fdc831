#include "statistic_view.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <cmath>

#include "host/core/intake/veltro_doc.h"
#include "host/views/command_menu.h"
#include "host/views/statistics/statistic_model.h"
#include "host/views/view_classes.h"
#include "host/views/view_registry.h"

namespace {

// The handheld asked for 8064 / dpi tenths of a point: 8.4 points at 96 dpi.
QFont ListFont(const ScreenDensity& density) {
    const double tenths = std::round(8064.0 / density.y);
    return RequestFont(u"Tahoma", static_cast<int>(std::lround(tenths / 10 * density.y / 72)));
}

}  // namespace

CStatisticView::CStatisticView() : list(new QTreeView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list->header()->setSectionsMovable(true);
    list->header()->setSectionsClickable(false);
    list->header()->setStretchLastSection(false);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, &CStatisticView::ShowContextMenu);
    auto* copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, [this] { RunCommand(cmd::kEditCopy); });
    addAction(copy);
}

CStatisticView::~CStatisticView() = default;

// The model needs the document, which the view has once it is bound.
void CStatisticView::CreateList() {
    if (model || !IsWindow()) return;
    const QPalette& palette = list->palette();
    model = new CStatisticModel(
        Document().Database(),
        {palette.color(QPalette::Disabled, QPalette::Text), palette.color(QPalette::Active, QPalette::Highlight)},
        this);
    model->SetRows(StatisticRowIds(Document().Database(), MessageMask));
    list->setModel(model);
    list->setFont(ListFont(Context().density));
    for (int column = 0; column < kStatisticColumns; ++column)
        list->header()->resizeSection(column, kStatisticColumnTable[column].width * Context().density.x / 96);
}

void CStatisticView::OnInitialUpdate() { CreateList(); }

void CStatisticView::OnUpdate(CView*, uint32_t hint, CMessageNode*) {
    if (!IsWindow()) return;
    CreateList();
    if (hint & HINT_NEW_DOCUMENT) model->SetRows(StatisticRowIds(Document().Database(), MessageMask));
    if ((hint & HINT_NEW_DOCUMENT) || ((hint & HINT_EPOCH) && (hint & HINT_REFRESH_DUE))) model->Refresh();
}

CommandState CStatisticView::QueryCommand(unsigned command) {
    CreateList();
    switch (command) {
        case cmd::kEditSelectAll:
            return CommandState::Enabled(model && model->rowCount() > 0);
        case cmd::kEditCopy:
            return CommandState::Enabled(list->selectionModel() && list->selectionModel()->hasSelection());
        default:
            return {};
    }
}

void CStatisticView::OnCommand(unsigned command) {
    if (command == cmd::kEditSelectAll) list->selectAll();
    if (command == cmd::kEditCopy) QGuiApplication::clipboard()->setText(SelectedText());
}

void CStatisticView::RunCommand(unsigned command) {
    if (QueryCommand(command).enabled) OnCommand(command);
}

void CStatisticView::ShowContextMenu(const QPoint& at) {
    QMenu menu(this);
    FillCommandMenu(menu, kEditContextMenu, *this, [this](unsigned command) { RunCommand(command); });
    menu.exec(list->viewport()->mapToGlobal(at));
}

QString CStatisticView::SelectedText() const {
    if (!model || !list->selectionModel()) return {};
    const QHeaderView& header = *list->header();
    const auto line = [&](const std::function<QString(int column)>& cell) {
        QStringList cells;
        for (int visual = 0; visual < kStatisticColumns; ++visual) cells << cell(header.logicalIndex(visual));
        return cells.join(u'\t') + u'\n';
    };
    QString text = line([](int column) { return QString::fromUtf16(kStatisticColumnTable[column].heading); });
    QModelIndexList rows = list->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& row : rows)
        text +=
            line([&](int column) { return model->data(model->index(row.row(), column), Qt::DisplayRole).toString(); });
    return text;
}

void CStatisticView::RefreshViewState() {
    CreateList();
    const QHeaderView& header = *list->header();
    StatisticViewState state;
    for (int column = 0; column < kStatisticColumns; ++column) {
        state.widths[column] = header.sectionSize(column);
        state.order[column] = header.logicalIndex(column);
    }
    state.scrollX = list->horizontalScrollBar()->value();
    state.scrollY = list->verticalScrollBar()->value();
    block = state.Encode();
}

void CStatisticView::ApplyViewState() {
    CreateList();
    const StatisticViewState state = StatisticViewState::Decode(block);
    QHeaderView& header = *list->header();
    for (int column = 0; column < kStatisticColumns; ++column) header.resizeSection(column, state.widths[column]);
    for (int visual = 0; visual < kStatisticColumns; ++visual)
        header.moveSection(header.visualIndex(state.order[visual]), visual);
    list->scrollToTop();
    list->horizontalScrollBar()->setValue(state.scrollX);
    list->verticalScrollBar()->setValue(state.scrollY);
    list->viewport()->update();
}

void RegisterStatisticViews(CViewRegistry& registry) {
    registry.Register(view_class::kStatisticView, [] { return std::make_unique<CStatisticView>(); });
}
