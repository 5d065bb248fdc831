#include "main_frame_base.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSplashScreen>
#include <QTimer>

#include "host/core/app/app_identity.h"
#include "host/core/connection/port_thread.h"
#include "host/core/log/stream_file_thread.h"
#include "host/views/log_file_dialogs.h"
#include "host/views/message_box.h"
#include "host/views/message_file_dialogs.h"
#include "host/views/toolbar_icons.h"
#include "platform/file_profile.h"
#include "platform/text.h"
#include "resources/veltro/strings.h"

namespace {

constexpr char16_t kWindowSection[] = u"Window";
constexpr char16_t kGeometryKey[] = u"Geometry";
constexpr QSize kDefaultSize(800, 600);
// The summary forms still show every row at their smallest text.
constexpr QSize kMinimumSize(640, 480);

// Worker threads queue messages at any time; the user-interface thread handles them from its
// event loop. The application object outlives every window, and the window is held weakly, so
// a late wake-up finds nothing to do rather than a destroyed frame.
void WakeUpFromEventLoop(const std::shared_ptr<platform::CMessageWindow>& window) {
    std::weak_ptr<platform::CMessageWindow> weak = window;
    window->SetWakeUp([weak] {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [weak] {
                if (const auto target = weak.lock()) target->DispatchPending();
            },
            Qt::QueuedConnection);
    });
}

QPixmap SplashPicture() {
    QPixmap picture(360, 160);
    picture.fill(QColor(20, 40, 70));
    QPainter painter(&picture);
    ProgramIcon().paint(&painter, QRect(24, 48, 64, 64));
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(28);
    painter.setFont(font);
    painter.drawText(QRect(104, 0, 240, 160), Qt::AlignVCenter, QString::fromStdU16String(AppDisplayName()));
    return picture;
}

}  // namespace

CMainFrameBase::CMainFrameBase(const FrameParts& parts, const FramePrompts& prompts)
    : ownMessages(prompts.messages ? nullptr : std::make_unique<CQtMessageBox>(this)),
      messages(prompts.messages ? *prompts.messages : *ownMessages),
      ownFiles(prompts.files ? nullptr : std::make_unique<CQtLogFileDialogs>(this)),
      files(prompts.files ? *prompts.files : *ownFiles),
      ownMessageFiles(prompts.messageFiles ? nullptr : std::make_unique<CQtMessageFileDialogs>(this)),
      messageFiles(prompts.messageFiles ? *prompts.messageFiles : *ownMessageFiles),
      logic(parts, *this),
      connectionCommands(logic.Connection(), parts.port, parts.log),
      logCommands(logic, files, *this) {
    colors.Load(parts.profile);
    setWindowIcon(ProgramIcon());
    setMinimumSize(kMinimumSize);
    RestoreGeometry();
    WakeUpFromEventLoop(logic.Window());
    logic.SetPortReadListener([this](uint32_t bytesRead, uint32_t errorBits) {
        if (!closed) OnPortRead(bytesRead, errorBits);
    });
    StartTimers();
}

// The window closes first: a worker blocked in a hand-off is released before anything it might
// be waiting for goes away.
CMainFrameBase::~CMainFrameBase() {
    logic.Window()->Close();
    watchdogTimer.stop();
    updateTimer.stop();
    SaveGeometry();
    colors.Save(Parts().profile);
}

void CMainFrameBase::StartTimers() {
    watchdogTimer.setInterval(static_cast<int>(CMainFrameLogic::kWatchdogTimerMs));
    updateTimer.setInterval(static_cast<int>(CMainFrameLogic::kUpdateTimerMs));
    connect(&watchdogTimer, &QTimer::timeout, this, [this] {
        logic.OnWatchdogTimer();
        OnWatchdogTick();
    });
    connect(&updateTimer, &QTimer::timeout, this, [this] { logic.OnUpdateTimer(); });
    watchdogTimer.start();
    updateTimer.start();
}

void CMainFrameBase::RestoreGeometry() {
    std::vector<uint8_t> geometry;
    if (Parts().profile.GetBinary(kWindowSection, kGeometryKey, geometry) &&
        restoreGeometry(
            QByteArray(reinterpret_cast<const char*>(geometry.data()), static_cast<qsizetype>(geometry.size()))))
        return;
    resize(kDefaultSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void CMainFrameBase::SaveGeometry() {
    const QByteArray geometry = saveGeometry();
    Parts().profile.WriteBinary(kWindowSection, kGeometryKey, std::vector<uint8_t>(geometry.begin(), geometry.end()));
}

void CMainFrameBase::SetCaption(const std::u16string& caption) { setWindowTitle(QString::fromStdU16String(caption)); }

void CMainFrameBase::ShowSplash() {
    splash = std::make_unique<QSplashScreen>(SplashPicture());
    splash->show();
}

void CMainFrameBase::Show() {
    show();
    if (splash) splash->finish(this);
}

void CMainFrameBase::RunMessageLoop() {
    if (closed) return;
    QEventLoop loop;
    messageLoop = &loop;
    loop.exec();
    messageLoop = nullptr;
}

bool CMainFrameBase::SendToReceiver(CMessageNode* node, const uint8_t* bytes, int length) {
    return logic.SendToReceiver(node, bytes, length);
}

// Asked every second: the text is made again only when the port, its device or its rate changed.
std::u16string CMainFrameBase::ConnectionText() const {
    const CPortThread& port = Parts().port;
    const int n = port.CurrentPort();
    const uint32_t rate = port.BaudRate();
    const std::string& device = port.DevicePath();
    if (n == connectionShown.port && rate == connectionShown.rate && device == connectionShown.device)
        return connectionShown.text;
    connectionShown = {n, rate, device, kStatusClosed};
    if (n != 0) connectionShown.text = platform::FormatW(kStatusConnected, n, device.c_str(), rate);
    return connectionShown.text;
}

void CMainFrameBase::ReportError(const MessageBoxResource& box, const std::u16string& reason) {
    messages.Raise(box, reason);
}

std::optional<CommandState> CMainFrameBase::QueryBaseCommand(unsigned command) {
    if (std::optional<CommandState> state = connectionCommands.Query(command)) return state;
    return logCommands.Query(command);
}

bool CMainFrameBase::ExecuteBaseCommand(unsigned command) {
    return connectionCommands.Execute(command) || logCommands.Execute(command);
}

void CMainFrameBase::CloseWithoutAsking() {
    askBeforeClosing = false;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) dialog->reject();
    // The dialogs' own event loops end first.
    QTimer::singleShot(0, this, [this] { close(); });
}

bool CMainFrameBase::QueryClose() {
    if (!askBeforeClosing || Parts().log.State() != LogState::Recording) return true;
    return messages.Raise(kExitWhileRecording);
}

void CMainFrameBase::closeEvent(QCloseEvent* event) {
    if (!QueryClose()) {
        event->ignore();
        return;
    }
    closed = true;
    logic.SetComplete(false);
    Parts().log.CloseFile();
    event->accept();
    if (messageLoop) messageLoop->quit();
}
