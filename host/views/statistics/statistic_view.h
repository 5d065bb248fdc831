#pragma once
#include <array>

#include "host/views/command_state.h"
#include "host/views/statistics/statistic_cells.h"
#include "host/views/view.h"

class CStatisticModel;
class QTreeView;

// Every database value with its running statistics, one row each, in ten columns that the user
// may widen and reorder by dragging their headings. The rows are the model's view of the
// database, read as they are drawn. Rows can be selected and copied as tab-separated text.
class CStatisticView : public CView, public ICommandTarget {
public:
    CStatisticView();
    ~CStatisticView() override;

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;

    CommandState QueryCommand(unsigned command) override;
    void OnCommand(unsigned command) override;
    void RunCommand(unsigned command);

    QTreeView& List() const { return *list; }
    // The selected rows, the columns as shown, a line each after the headings, tab-separated.
    QString SelectedText() const;

protected:
    std::span<uint8_t> ViewStateBlock() override { return block; }
    void RefreshViewState() override;
    void ApplyViewState() override;

private:
    void CreateList();
    void ShowContextMenu(const QPoint& at);
    void AddKeyCommand(unsigned command, const QKeySequence& key);

    QTreeView* list;
    CStatisticModel* model = nullptr;
    std::array<uint8_t, StatisticViewState::kSize> block{};
};

class CViewRegistry;

void RegisterStatisticViews(CViewRegistry& registry);
