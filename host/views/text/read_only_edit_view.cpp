#include "read_only_edit_view.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "host/views/command_menu.h"
#include "host/views/text/view_tool_bar.h"

CReadOnlyEditView::CReadOnlyEditView() : edit(new QPlainTextEdit(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    edit->setReadOnly(true);
    edit->setUndoRedoEnabled(false);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit, &QWidget::customContextMenuRequested, this, &CReadOnlyEditView::ShowContextMenu);
    background = edit->palette().color(QPalette::Base);
}

CReadOnlyEditView::~CReadOnlyEditView() = default;

void CReadOnlyEditView::SetBackgroundColor(const QColor& color) {
    if (color == background) return;
    background = color;
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, color);
    edit->setPalette(palette);
    edit->viewport()->update();
}

void CReadOnlyEditView::ShowContextMenu(const QPoint& at) {
    QMenu menu(this);
    FillCommandMenu(menu, kEditContextMenu, *this, [this](unsigned command) { RunCommand(command); });
    menu.exec(edit->viewport()->mapToGlobal(at));
}

void CReadOnlyEditView::RunCommand(unsigned command) {
    if (!QueryCommand(command).enabled) return;
    OnCommand(command);
    UpdateToolBar();
}

CommandState CReadOnlyEditView::QueryCommand(unsigned command) {
    return CommandState::Enabled(command == cmd::kEditCopy || command == cmd::kEditSelectAll);
}

void CReadOnlyEditView::OnCommand(unsigned command) {
    if (command == cmd::kEditCopy) edit->copy();
    if (command == cmd::kEditSelectAll) edit->selectAll();
}

CViewToolBar* CReadOnlyEditView::NewToolBar(std::span<const MenuEntry> entries, QWidget* parent) {
    toolBar = new CViewToolBar(entries, *this, parent);
    return toolBar;
}

CViewToolBar* CReadOnlyEditView::ToolBar() const { return toolBar; }

void CReadOnlyEditView::UpdateToolBar() {
    if (toolBar) toolBar->UpdateButtons();
}

void CReadOnlyEditView::AddKeyCommand(unsigned command, const QKeySequence& key) {
    auto* action = new QAction(this);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
    addAction(action);
}
