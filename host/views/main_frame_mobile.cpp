#include "main_frame_mobile.h"

#include <QAction>
#include <QLabel>
#include <QSlider>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>

#include "host/core/app/app_identity.h"
#include "host/core/connection/port_thread.h"
#include "host/core/intake/veltro_doc.h"
#include "host/core/log/stream_file_thread.h"
#include "host/views/command_bar.h"
#include "host/views/message_box.h"
#include "host/views/qt_text.h"
#include "host/views/recent_view_list.h"
#include "host/views/toolbar_icons.h"
#include "host/views/view_classes.h"
#include "platform/file_profile.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "resources/veltro/strings.h"

// A recent-view list and the view class whose setups it keeps.
struct RecentViewKind {
    unsigned first;
    unsigned last;
    const char16_t* viewClass;
    CRecentViewList (*makeList)();
};

namespace {

// The message group that the start-up keyword "logging" enables.
constexpr uint32_t kLoggingGroup = 0x2;

struct ViewCommand {
    unsigned command;
    const char16_t* viewClass;
    bool needsConnection;
};

constexpr ViewCommand kViewCommands[] = {
    {cmd::kSvSummary, view_class::kMainFormSVInfo, false},
    {cmd::kNavSummary, view_class::kMainFormNAVInfo, false},
    {cmd::kWorldMap, view_class::kWorldView, false},
    {cmd::kPacketConsole, view_class::kPacketConsoleView, false},
    {cmd::kBinaryConsole, view_class::kBinaryConsoleView, false},
    {cmd::kTextConsole, view_class::kTextConsoleView, false},
    {cmd::kMessageView, view_class::kMessageFormView, false},
    {cmd::kStatisticsView, view_class::kStatisticView, false},
    {cmd::kDeviationMap, view_class::kDeviationMapView, false},
    {cmd::kNewChartView, view_class::kChartView, false},
    {cmd::kNewMapView, view_class::kMapView, false},
    {cmd::kOrbitpack, view_class::kOPKUpdateView, true},
    {cmd::kLogUpload, view_class::kLogReadView, true},
    {cmd::kSaveConfiguration, view_class::kConfigSaveView, true},
    {cmd::kLoadConfiguration, view_class::kConfigLoadView, true},
};

constexpr RecentViewKind kRecentViewKinds[] = {
    {cmd::kFirstRecentChart, cmd::kLastRecentChart, view_class::kChartView, &CRecentViewList::Charts},
    {cmd::kFirstRecentMap, cmd::kLastRecentMap, view_class::kMapView, &CRecentViewList::Maps},
};

const ViewCommand* FindViewCommand(unsigned command) {
    for (const ViewCommand& entry : kViewCommands)
        if (entry.command == command) return &entry;
    return nullptr;
}

const RecentViewKind* FindRecentViewKind(unsigned command) {
    for (const RecentViewKind& kind : kRecentViewKinds)
        if (command >= kind.first && command <= kind.last) return &kind;
    return nullptr;
}

std::u16string IndicatorText(unsigned button) {
    switch (button) {
        case cmd::kIndicatorReceiving:
            return kIndicatorReceivingText;
        case cmd::kIndicatorQuiet:
            return kIndicatorQuietText;
        case cmd::kIndicatorLineErrors:
            return kIndicatorLineErrorsText;
        case cmd::kIndicatorQuietAfterErrors:
            return kIndicatorQuietAfterErrorsText;
        default:
            return kIndicatorClosedText;
    }
}

std::u16string LogStatus(const CStreamFileThread& log) {
    switch (log.State()) {
        case LogState::None:
            return {};
        case LogState::Recording:
            return platform::FormatW(log.IsPaused() ? kStatusRecordingPaused : kStatusRecording,
                                     static_cast<long long>(log.Position()));
        default:
            return platform::FormatW(kStatusReplay, static_cast<long long>(log.Position()),
                                     static_cast<long long>(log.Length()));
    }
}

constexpr int kReplaySliderSteps = 1000;

}  // namespace

CMainFrameMobile::CMainFrameMobile(const FrameParts& parts, CViewRegistry views, const FramePrompts& prompts)
    : CMainFrameBase(parts, prompts),
      views(std::move(views)),
      density(ScreenDensity::OfPrimaryScreen()),
      commandBar(new CCommandBar(*this, *this)) {
    AddCommandLists();
    CreateStatusBar();
    CreateTrayIcon();
    ShowFirstView();
    RefreshFrame();
}

// The view goes first: it still reads the frame's colours and the document while it is destroyed.
CMainFrameMobile::~CMainFrameMobile() {
    delete activeView;
    delete viewToolBar;
    if (trayIcon) trayIcon->hide();
}

void CMainFrameMobile::AddCommandLists() {
    commandBar->AddList(kDisconnectCommand + 1, kDisconnectCommand + ConnectionSettings::kMaxPorts,
                        [this] { return Connection().PortItems(); });
    commandBar->AddList(cmd::kFirstRecentFile, cmd::kFirstRecentFile + CMainFrameLogic::kRecentFiles - 1,
                        [this] { return LogCommands().RecentFileItems(); });
    for (const RecentViewKind& kind : kRecentViewKinds)
        commandBar->AddList(kind.first, kind.last, [this, &kind] { return RecentViewItems(kind); });
}

void CMainFrameMobile::CreateStatusBar() {
    connectionLabel = new QLabel(this);
    receivedLabel = new QLabel(this);
    logLabel = new QLabel(this);
    CreateReplaySlider();
    statusBar()->addPermanentWidget(replaySlider);
    statusBar()->addPermanentWidget(logLabel);
    statusBar()->addPermanentWidget(receivedLabel);
    statusBar()->addPermanentWidget(connectionLabel);
}

void CMainFrameMobile::CreateReplaySlider() {
    replaySlider = new QSlider(Qt::Horizontal, this);
    replaySlider->setRange(0, kReplaySliderSteps);
    replaySlider->setMinimumWidth(160);
    replaySlider->setToolTip(QString::fromUtf16(kReplaySliderTip));
    const auto seek = [this] {
        const int64_t length = Parts().log.Length();
        Logic().SeekReplay(length * replaySlider->sliderPosition() / kReplaySliderSteps);
        RefreshFrame();
    };
    connect(replaySlider, &QSlider::sliderReleased, this, seek);
    // Clicks beside the handle and keys move it at once; a drag seeks when it is let go.
    connect(replaySlider, &QAbstractSlider::actionTriggered, this, [this, seek](int action) {
        if (action != QAbstractSlider::SliderMove) seek();
    });
}

void CMainFrameMobile::ShowReplayPosition() {
    const CStreamFileThread& log = Parts().log;
    const bool replay = log.State() != LogState::None && log.State() != LogState::Recording;
    replaySlider->setVisible(replay);
    if (!replay || replaySlider->isSliderDown()) return;
    const int64_t length = std::max<int64_t>(log.Length(), 1);
    replaySlider->setValue(static_cast<int>(log.Position() * kReplaySliderSteps / length));
}

void CMainFrameMobile::CreateTrayIcon() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    trayIcon = new QSystemTrayIcon(ProgramIcon(), this);
    trayIcon->setToolTip(QString::fromStdU16String(AppDisplayName()));
    connect(trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason != QSystemTrayIcon::Trigger) return;
        showNormal();
        raise();
        activateWindow();
    });
    trayIcon->show();
}

// Until the start-up view exists, a placeholder keeps the window from being blank.
void CMainFrameMobile::ShowFirstView() {
    if (!SwitchView(view_class::kMainFormSVInfo)) SwitchView(view_class::kPlaceholder);
}

bool CMainFrameMobile::SwitchView(const std::u16string& viewClass) {
    if (activeView && activeView->ViewClass() == viewClass) return true;
    if (activeView && !activeView->CanLeave()) return false;
    std::unique_ptr<CView> view = views.Create(viewClass);
    if (!view) return false;
    view->Create(ViewContext{Parts().document, Colors(), Parts().profile, *this, density}, viewClass, this);
    if (!view->OnCreate()) return false;
    ReplaceView(std::move(view));
    return true;
}

// The new view and its toolbar are in place before the old ones go.
void CMainFrameMobile::ReplaceView(std::unique_ptr<CView> view) {
    QToolBar* newToolBar = view->CreateViewToolBar(this);
    const std::unique_ptr<QWidget> oldView(takeCentralWidget());
    const std::unique_ptr<QToolBar> oldToolBar(viewToolBar);
    activeView = view.release();
    setCentralWidget(activeView);
    viewToolBar = newToolBar;
    if (viewToolBar) {
        addToolBar(viewToolBar);
        viewToolBar->show();
    }
    activeView->OnInitialUpdate();
}

void CMainFrameMobile::SetCommandHandler(unsigned command, std::function<void()> handler, bool needsConnection) {
    handlers[command] = {std::move(handler), needsConnection};
}

CommandState CMainFrameMobile::QueryCommand(unsigned command) {
    if (std::optional<CommandState> state = QueryBaseCommand(command)) return *state;
    return QueryFrameCommand(command).value_or(CommandState{});
}

std::optional<CommandState> CMainFrameMobile::QueryFrameCommand(unsigned command) {
    if (const ViewCommand* entry = FindViewCommand(command)) {
        const bool shown = activeView && activeView->ViewClass() == entry->viewClass;
        CommandState state = CommandState::Enabled(
            views.IsRegistered(entry->viewClass) && (!entry->needsConnection || CanSend()), shown);
        state.removed = command == cmd::kLogUpload && !(MessageMask & kLoggingGroup);
        return state;
    }
    if (const RecentViewKind* kind = FindRecentViewKind(command))
        return CommandState::Enabled(views.IsRegistered(kind->viewClass));
    if (const auto handler = handlers.find(command); handler != handlers.end())
        return CommandState::Enabled(!handler->second.needsConnection || CanSend());
    switch (command) {
        case cmd::kRedraw:
        case cmd::kDatabaseEmpty:
        case cmd::kAbout:
        case cmd::kExit:
            return CommandState::Enabled(true);
        case cmd::kViewToolbar:
            return CommandState::Enabled(viewToolBar != nullptr, viewToolBar && viewToolBar->isVisibleTo(this));
        default:
            return {};
    }
}

void CMainFrameMobile::PostCommand(unsigned command) {
    QTimer::singleShot(0, this, [this, command] { commandBar->Run(command); });
}

void CMainFrameMobile::OnCommand(unsigned command) {
    if (!ExecuteBaseCommand(command)) ExecuteFrameCommand(command);
    RefreshFrame();
}

bool CMainFrameMobile::ExecuteFrameCommand(unsigned command) {
    if (const ViewCommand* entry = FindViewCommand(command)) return SwitchView(entry->viewClass);
    if (const RecentViewKind* kind = FindRecentViewKind(command)) {
        OpenRecentView(*kind, command);
        return true;
    }
    if (const auto handler = handlers.find(command); handler != handlers.end()) {
        handler->second.run();
        return true;
    }
    switch (command) {
        case cmd::kRedraw:
            Parts().document.ForceUpdate();
            break;
        case cmd::kDatabaseEmpty:
            Parts().document.OnNewDocument();
            break;
        case cmd::kAbout:
            About();
            break;
        case cmd::kExit:
            close();
            break;
        case cmd::kViewToolbar:
            ToggleViewToolBar();
            break;
        default:
            return false;
    }
    return true;
}

std::vector<CommandListItem> CMainFrameMobile::RecentViewItems(const RecentViewKind& kind) const {
    CRecentViewList list = kind.makeList();
    list.Load(Parts().profile);
    std::vector<CommandListItem> items;
    for (size_t k = 0; k < list.Capacity() && !list.At(k).title.empty(); ++k)
        items.push_back({kind.first + static_cast<unsigned>(k), NumberedMenuText(k, list.At(k).title), {}});
    return items;
}

// A setup that no longer fits the view is dropped, so that a stale entry does not survive.
void CMainFrameMobile::OpenRecentView(const RecentViewKind& kind, unsigned command) {
    if (!SwitchView(kind.viewClass) || activeView->ViewClass() != kind.viewClass) return;
    CRecentViewList list = kind.makeList();
    list.Load(Parts().profile);
    const size_t k = command - kind.first;
    if (activeView->SetViewState(list.At(k).block)) {
        list.Promote(k);
    } else {
        MessageBox().Show(kViewSetupNotRestored, IMessageBox::Icon::Warning);
        list.Remove(k);
    }
    list.Save(Parts().profile);
}

void CMainFrameMobile::ToggleViewToolBar() {
    if (viewToolBar) viewToolBar->setVisible(!viewToolBar->isVisibleTo(this));
}

void CMainFrameMobile::About() {
    MessageBox().Show(kAboutText + platform::Utf8ToWide(IsoBuildDate(__DATE__)), IMessageBox::Icon::Information);
}

void CMainFrameMobile::OnPortRead(uint32_t bytesRead, uint32_t errorBits) {
    indicator.OnPortRead(Parts().port.IsOpen(), bytesRead, errorBits, platform::GetTickCount());
    ShowIndicator();
}

void CMainFrameMobile::OnWatchdogTick() { RefreshFrame(); }

void CMainFrameMobile::RefreshFrame() {
    commandBar->UpdateToolBar();
    indicator.OnPortState(Parts().port.IsOpen());
    ShowIndicator();
    const std::u16string connection = ConnectionText();
    connectionLabel->setText(ToQString(connection));
    receivedLabel->setText(
        ToQString(platform::FormatW(kStatusReceived, static_cast<unsigned long long>(Logic().Core().ReceivedBytes()))));
    ShowLogStatus();
    // The views that show the connection learn of a change that no data brought.
    if (connection != shownConnection && activeView) activeView->OnUpdate(nullptr, HINT_FORCED, nullptr);
    shownConnection = connection;
}

// A running recording shows unmistakably: white on red.
void CMainFrameMobile::ShowLogStatus() {
    const CStreamFileThread& log = Parts().log;
    logLabel->setText(ToQString(LogStatus(log)));
    ShowReplayPosition();
    const bool recording = log.State() == LogState::Recording && !log.IsPaused();
    const QString style = recording ? QStringLiteral("QLabel { color: white; background: #c00000; padding: 0 4px; }") : QString();
    if (logLabel->styleSheet() != style) logLabel->setStyleSheet(style);
}

void CMainFrameMobile::ShowIndicator() {
    if (indicator.Button() == shownIndicator) return;
    shownIndicator = indicator.Button();
    QAction* button = commandBar->ToolBarAction(cmd::kIndicatorClosed);
    button->setIcon(CommandIcon(shownIndicator));
    button->setToolTip(ToQString(IndicatorText(shownIndicator)));
    button->setText(button->toolTip());
}
