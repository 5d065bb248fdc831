#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/views/connection_indicator.h"
#include "host/views/main_frame_base.h"
#include "host/views/view_registry.h"

class CCommandBar;
class CRecentViewList;
class QLabel;
class QSlider;
class QSystemTrayIcon;
class QToolBar;
struct RecentViewKind;

// The program's main window: menus and the main toolbar with the connection indicator, a status
// bar, one view at a time with its own toolbar, the notification-area icon where the desktop has
// one, and the About box.
class CMainFrameMobile : public CMainFrameBase, private ICommandTarget {
public:
    CMainFrameMobile(const FrameParts& parts, CViewRegistry views, const FramePrompts& prompts);
    ~CMainFrameMobile() override;

    // Shows a view of the class; the view shown stays when it already is of that class, when it
    // refuses to be left, or when the new one cannot be created.
    bool SwitchView(const std::u16string& viewClass);
    CView* ActiveView() const { return activeView; }

    // A command of another part of the program (preferences, receiver commands, services): enabled
    // while it is set, and with needsConnection only while the receiver can be sent to.
    void SetCommandHandler(unsigned command, std::function<void()> handler, bool needsConnection);

    CCommandBar& CommandBar() const { return *commandBar; }
    unsigned IndicatorButton() const { return indicator.Button(); }

    void PostCommand(unsigned command) override;

    // WM_PORT_READ, after the connection's automatic baud detection.
    void OnPortRead(uint32_t bytesRead, uint32_t errorBits) override;

protected:
    void OnWatchdogTick() override;

private:
    struct CommandHandler {
        std::function<void()> run;
        bool needsConnection;
    };

    CommandState QueryCommand(unsigned command) override;
    void OnCommand(unsigned command) override;
    std::optional<CommandState> QueryFrameCommand(unsigned command);
    bool ExecuteFrameCommand(unsigned command);

    void CreateStatusBar();
    void CreateTrayIcon();
    void ShowFirstView();
    void ReplaceView(std::unique_ptr<CView> view);
    void AddCommandLists();
    std::vector<CommandListItem> RecentViewItems(const RecentViewKind& kind) const;
    void OpenRecentView(const RecentViewKind& kind, unsigned command);
    void ToggleViewToolBar();
    void About();
    // After a command or a second: toolbar, indicator and status bar show what is now true.
    void RefreshFrame();
    void ShowIndicator();
    void ShowLogStatus();
    void CreateReplaySlider();
    void ShowReplayPosition();

    CViewRegistry views;
    const ScreenDensity density;
    CCommandBar* commandBar;
    QSystemTrayIcon* trayIcon = nullptr;
    CView* activeView = nullptr;
    QToolBar* viewToolBar = nullptr;
    CConnectionIndicator indicator;
    unsigned shownIndicator = 0;
    std::u16string shownConnection;
    QLabel* connectionLabel = nullptr;
    QLabel* receivedLabel = nullptr;
    QLabel* logLabel = nullptr;
    // Where the replay is, in thousandths of the log; dragging it seeks.
    QSlider* replaySlider = nullptr;
    std::map<unsigned, CommandHandler> handlers;
};
