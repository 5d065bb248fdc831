// The message view as a user meets it, over the real plug-ins: picking a message polls it once,
// hold keeps the page, files are saved and loaded, a configuration sent asks to be saved, the
// CUSTOM page sends what was typed, as text or hexadecimal, and the KVB pages show what the
// simulated receiver sends.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include "host/views/color_table.h"
#include "host/views/messages/message_form_page.h"
#include "host/views/messages/message_form_view.h"
#include "platform/profile.h"
#include "platform/ticks.h"
#include "resources/veltro/dialogs.h"
#include "resources/veltro/strings.h"
#include "tests/host/core/log/test_stream_file_support.h"
#include "tests/host/views/gui_test_support.h"
#include "tests/plugins/kvb/kvb_test_frames.h"
#include "tests/tools/sim/sim_test_start.h"
#include "tools/sim/sim_receiver.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kTestId = 0x77;

// A configuration message of the test's own under the KVB class "CFG", on a page of the program's:
// it builds a poll, and sends what it shows (a frame of its own while it shows nothing).
class CTestConfigMessage : public CMessageNode {
public:
    bool Accept(const uint8_t* bytes, int length) override { return length >= 8 && bytes[3] == kTestId; }
    int BuildPoll(CDialogPage&, uint8_t* buffer, int& outLength, int capacity) override {
        return Copy(KvbTestFrame(0x06, kTestId, {}), buffer, outLength, capacity);
    }
    void ShowData(CDialogPage&, const uint8_t* bytes, int length) override { shown.assign(bytes, bytes + length); }
    bool BuildFromPage(CDialogPage&, uint8_t* buffer, int& outLength, int capacity) override {
        return Copy(shown.empty() ? KvbTestFrame(0x06, kTestId, {1, 2}) : shown, buffer, outLength, capacity) > 0;
    }
    ModuleHandle ResourceModule() const override { return nullptr; }
    int ResourceDialogId() const override { return dialog::kCustomMessage; }
    const char16_t* Label() const override { return u"TEST (Test)"; }
    const char16_t* Description() const override { return u"Test"; }
    const char16_t* Name() const override { return u"CFG-TEST"; }
    uint32_t OwnMask() const override { return MASK_ORDINARY; }

    Bytes shown;

private:
    static int Copy(const Bytes& frame, uint8_t* buffer, int& outLength, int capacity) {
        outLength = static_cast<int>(frame.size());
        if (outLength > capacity) return 0;
        std::copy(frame.begin(), frame.end(), buffer);
        return outLength;
    }
};

// A frame that writes every message to a receiver, which the test reads, and decodes it as sent.
class SendingHost : public TestViewHost {
public:
    explicit SendingHost(CVeltroDoc& document) : document(document) {}
    bool SendToReceiver(CMessageNode* node, const uint8_t* bytes, int length) override {
        sent.emplace_back(bytes, bytes + length);
        document.ProcessMessage(document.DispatchSent(node, bytes, length), true, MessageOrigin::Sent);
        return true;
    }
    bool CanSend() const override { return canSend; }

    CVeltroDoc& document;
    std::vector<Bytes> sent;
    bool canSend = true;
};

class MessageViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        CMessageNode* cfg = document.FindNodeByProtocol(u"KVB", u"CFG", nullptr);
        ASSERT_NE(cfg, nullptr);
        cfg->AddChild(testMessage, true, false);
        document.Plugins().RegisterWith(splitter);
        view = new CMessageFormView;
        view->Create(ViewContext{document, colors, profile, host, {}}, u"CMessageFormView", &window);
        window.addToolBar(view->CreateViewToolBar(&window));
        window.setCentralWidget(view);
        window.resize(640, 360);
        window.show();
        view->OnInitialUpdate();
    }

    void Pick(const QString& name) {
        const int index = view->MessageList()->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        view->PickMessage(index);
    }
    void Tick(uint32_t milliseconds = CMessageForm::kTimerMs) {
        clock.Advance(milliseconds);
        view->Form().OnTimer(platform::GetTickCount());
    }
    void Receive(const Bytes& frame) {
        FeedStream(splitter, frame.data(), frame.size(),
                   [&](const FrameRecord& r) { document.ProcessRecord(r, true); });
        document.ForceUpdate();
    }
    QString Age() const { return view->AgeField()->text(); }

    platform::ManualTickClock clock{1000};
    CVeltroDoc document{DocumentSettings{900, VELTRO_PLUGIN_DIR, nullptr}};
    CTestConfigMessage* testMessage = new CTestConfigMessage;
    CFrameSplitter splitter;
    CColorTable colors;
    platform::CMemoryProfile profile;
    SendingHost host{document};
    QMainWindow window;
    CMessageFormView* view = nullptr;
};

TEST_F(MessageViewTest, PickingAMessagePollsItOnceWithAutoPollAndNeverWithout) {
    Pick(QStringLiteral("KVB CFG-TEST"));
    for (int i = 0; i < 5; ++i) Tick();
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0], KvbTestFrame(0x06, kTestId, {}));
    EXPECT_EQ(view->windowTitle(), QStringLiteral("KVB CFG-TEST"));

    view->RunCommand(cmd::kAutoPoll);
    EXPECT_FALSE(view->Form().AutoPoll());
    Pick(QStringLiteral("KVB CFG-RATE"));
    Pick(QStringLiteral("KVB CFG-TEST"));
    for (int i = 0; i < 5; ++i) Tick();
    EXPECT_EQ(host.sent.size(), 1u);
    // The poll button still works by hand.
    view->RunCommand(cmd::kPollMessage);
    EXPECT_EQ(host.sent.size(), 2u);
}

TEST_F(MessageViewTest, HoldKeepsTheCopyShownWhileItsAgeCountsAndALoadedFileHasNoAge) {
    view->RunCommand(cmd::kAutoPoll);
    Pick(QStringLiteral("KVB CFG-TEST"));
    const Bytes first = KvbTestFrame(0x06, kTestId, {7});
    Receive(first);
    EXPECT_EQ(view->Form().Bytes(), first);
    Tick(2400);
    EXPECT_EQ(Age(), QStringLiteral("2 s"));

    view->RunCommand(cmd::kHoldOn);
    EXPECT_TRUE(view->Form().Held());
    Receive(KvbTestFrame(0x06, kTestId, {8}));
    Tick(3000);
    EXPECT_EQ(view->Form().Bytes(), first);
    EXPECT_EQ(Age(), QStringLiteral("5 s"));
    view->RunCommand(cmd::kHoldOff);
    EXPECT_EQ(view->Form().Bytes(), KvbTestFrame(0x06, kTestId, {8}));

    TempFolder folder;
    host.prompts.saveFile = folder.File("saved.kvb");
    view->RunCommand(cmd::kSaveMessage);
    EXPECT_EQ(host.prompts.proposedMessageName, u"KVB CFG-TEST");
    EXPECT_EQ(ReadFileBytes(*host.prompts.saveFile), KvbTestFrame(0x06, kTestId, {8}));
    const Bytes other = KvbTestFrame(0x06, kTestId, {9});
    WriteFileBytes(*host.prompts.saveFile, other);
    host.prompts.openFile = ILogFileDialogs::OpenChoice{*host.prompts.saveFile, false};
    view->RunCommand(cmd::kLoadMessage);
    Tick();
    EXPECT_EQ(Age(), QString());
    EXPECT_TRUE(view->Form().Held());
    EXPECT_EQ(testMessage->shown, other);

    // Neither a frame of another message nor a file beyond any frame's length is taken.
    for (const Bytes& bytes : {KvbTestFrame(0x06, 0x08, {}), Bytes(CMessageForm::kLargestMessageFile + 1, 0xA4)}) {
        WriteFileBytes(*host.prompts.saveFile, bytes);
        view->RunCommand(cmd::kLoadMessage);
        ASSERT_FALSE(host.prompts.shown.empty());
        EXPECT_EQ(host.prompts.shown.back(), kNotSameFormat);
    }
    EXPECT_EQ(host.prompts.shown.size(), 2u);
}

TEST_F(MessageViewTest, AConfigurationSentAsksToBeSavedBeforeTheViewIsLeft) {
    view->RunCommand(cmd::kAutoPoll);
    Pick(QStringLiteral("KVB CFG-TEST"));
    Tick();
    EXPECT_TRUE(view->CanLeave());
    view->RunCommand(cmd::kSendMessage);
    EXPECT_EQ(host.sent.back(), KvbTestFrame(0x06, kTestId, {1, 2}));
    EXPECT_TRUE(view->Form().UnsavedConfiguration());

    host.prompts.answerYes = false;
    EXPECT_TRUE(view->CanLeave());
    host.prompts.answerYes = true;
    EXPECT_FALSE(view->CanLeave());
    EXPECT_EQ(host.prompts.asked.back(), kAskSwitchToSave.text);
    EXPECT_EQ(host.prompts.askedIcons.back(), kAskSwitchToSave.icon);
    EXPECT_EQ(view->MessageList()->currentText(), QStringLiteral("KVB CFG-CFG"));
    EXPECT_TRUE(view->CanLeave()) << "the save message itself is shown";
}

TEST_F(MessageViewTest, TheCustomPageSendsWhatWasTypedAsHexadecimalOrText) {
    Pick(QStringLiteral("CUSTOM"));
    CMessageFormPage* page = view->FormPage();
    ASSERT_NE(page, nullptr);
    auto* content = qobject_cast<QPlainTextEdit*>(page->ControlWidget(dialog::kCustomContent));
    auto* hex = qobject_cast<QCheckBox*>(page->ControlWidget(dialog::kCustomHexMode));
    ASSERT_TRUE(content && hex);
    EXPECT_TRUE(hex->isChecked());

    content->setPlainText(QStringLiteral("24 47 50 0D 0A"));
    Tick();
    view->RunCommand(cmd::kSendMessage);
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0], (Bytes{'$', 'G', 'P', '\r', '\n'}));
    // The sent bytes came back as the root's copy and stand on the page as they were typed.
    EXPECT_EQ(content->toPlainText(), QStringLiteral("24 47 50 0D 0A"));

    // Switching the mode writes the same bytes the other way.
    content->setPlainText(QStringLiteral("48 69"));
    hex->click();
    EXPECT_EQ(content->toPlainText(), QStringLiteral("Hi"));
    content->setPlainText(QStringLiteral("Hello"));
    Tick();
    view->RunCommand(cmd::kSendMessage);
    EXPECT_EQ(host.sent.back(), (Bytes{'H', 'e', 'l', 'l', 'o'}));

    // Hexadecimal that does not read keeps send off and names the field.
    hex->click();
    content->setPlainText(QStringLiteral("4G"));
    Tick();
    EXPECT_FALSE(view->QueryCommand(cmd::kSendMessage).enabled);
    RunEventsUntil([&] { return !window.statusBar()->currentMessage().isEmpty(); });
    EXPECT_TRUE(window.statusBar()->currentMessage().contains(QStringLiteral("\"Message bytes, sent as they stand\"")))
        << window.statusBar()->currentMessage().toStdString();

    content->setPlainText(QStringLiteral("48 69"));
    Tick();
    EXPECT_TRUE(RunEventsUntil([&] { return window.statusBar()->currentMessage().isEmpty(); }));
    QDir().mkpath(QStringLiteral(VELTRO_SCREENSHOT_DIR));
    EXPECT_TRUE(window.grab().save(QStringLiteral(VELTRO_SCREENSHOT_DIR "/message_view_custom.png")));

    // Picking another message offers to send the one modified first.
    Pick(QStringLiteral("KVB CFG-RATE"));
    EXPECT_EQ(host.prompts.asked.back(), kAskSendModified.text);
    EXPECT_EQ(host.prompts.askedIcons.back(), kAskSendModified.icon);
    EXPECT_EQ(host.sent.back(), (Bytes{'H', 'i'}));
}

// The free NMEA sentence: typed without "$", checksum and line end, sent with them.
TEST_F(MessageViewTest, TheNmeaCustomPageSendsTheTypedSentenceWithOrWithoutItsChecksum) {
    constexpr int kAppendChecksum = 1011, kSentence = 1003;
    Pick(QStringLiteral("NMEA ?????"));
    ASSERT_EQ(std::u16string(view->Form().Selected()->Description()), u"Custom");
    CMessageFormPage* page = view->FormPage();
    ASSERT_NE(page, nullptr);
    auto* sentence = qobject_cast<QPlainTextEdit*>(page->ControlWidget(kSentence));
    auto* checksum = qobject_cast<QCheckBox*>(page->ControlWidget(kAppendChecksum));
    ASSERT_TRUE(sentence && checksum);
    EXPECT_TRUE(checksum->isChecked());
    EXPECT_FALSE(view->QueryCommand(cmd::kPollMessage).enabled);

    sentence->setPlainText(QStringLiteral("GPGGA"));
    Tick();
    view->RunCommand(cmd::kSendMessage);
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0], (Bytes{'$', 'G', 'P', 'G', 'G', 'A', '*', '5', '6', '\r', '\n'}));
    // The sent sentence came back as the node's copy and reads as it was typed.
    EXPECT_EQ(sentence->toPlainText(), QStringLiteral("GPGGA"));
    EXPECT_TRUE(checksum->isChecked());

    checksum->click();
    Tick();
    view->RunCommand(cmd::kSendMessage);
    EXPECT_EQ(host.sent.back(), (Bytes{'$', 'G', 'P', 'G', 'G', 'A', '\r', '\n'}));
    EXPECT_FALSE(checksum->isChecked());

    // What a sentence cannot carry keeps send off.
    sentence->setPlainText(QStringLiteral("GPGGA\t1"));
    Tick();
    EXPECT_FALSE(view->QueryCommand(cmd::kSendMessage).enabled);
    sentence->setPlainText(QStringLiteral("GPGGA,1"));
    Tick();
    EXPECT_TRUE(view->QueryCommand(cmd::kSendMessage).enabled);
}

TEST_F(MessageViewTest, KvbPagesShowWhatTheSimulatedReceiverSent) {
    view->RunCommand(cmd::kAutoPoll);
    SimReceiverConfig config;
    config.truth.startGpsMs = TestStartGpsMs();
    config.truth.trajectory.motion = SimMotion::Drive;
    config.nmea = false;
    CSimReceiver receiver(config);
    Bytes out;
    const SimEpoch* truth = nullptr;
    for (int n = 0; n < 6; ++n, out.clear()) {
        truth = &receiver.NextEpoch(out);
        Receive(out);
    }
    receiver.Receive(KvbTestFrame(0x0A, 0x04, {}).data(), 8, out);
    Receive(out);
    QDir().mkpath(QStringLiteral(VELTRO_SCREENSHOT_DIR));
    const auto show = [&](const char* name, const char* picture) {
        Pick(QString::fromUtf8(name));
        EXPECT_TRUE(window.grab().save(QStringLiteral(VELTRO_SCREENSHOT_DIR "/") + QString::fromUtf8(picture)));
        return view->FormPage();
    };
    const auto list = [](CMessageFormPage* page) { return qobject_cast<QTreeWidget*>(page->ControlWidget(1357)); };

    QTreeWidget* solution = list(show("KVB NAV-SOL", "message_view_nav_sol.png"));
    ASSERT_NE(solution, nullptr);
    EXPECT_EQ(solution->width(), view->FormPage()->width()) << "the table fills the page";
    EXPECT_EQ(solution->columnWidth(2), solution->viewport()->width() - 360) << "and its last column the table";
    EXPECT_EQ(solution->topLevelItem(8)->text(1), QString::number(truth->UsedCount()));
    EXPECT_EQ(solution->topLevelItem(1)->text(1), QStringLiteral("3D Fix"));

    QTreeWidget* channels = list(show("KVB NAV-SVINFO", "message_view_nav_svinfo.png"));
    ASSERT_NE(channels, nullptr);
    ASSERT_EQ(channels->topLevelItemCount(), static_cast<int>(truth->satellites.size()));
    for (int row = 0; row < channels->topLevelItemCount(); ++row) {
        EXPECT_EQ(channels->topLevelItem(row)->text(1), QString::number(truth->satellites[row].svid));
        EXPECT_FALSE(channels->topLevelItem(row)->icon(0).isNull());
    }

    CMessageFormPage* version = show("KVB MON-VER", "message_view_mon_ver.png");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->GetControlText(1002), u"1.00 (Veltro)");
    EXPECT_EQ(version->ItemCount(1004), 1);
}

TEST_F(MessageViewTest, AnEditorPolledEditedAndSentChangesTheSimulatedReceiver) {
    SimReceiverConfig config;
    config.truth.startGpsMs = TestStartGpsMs();
    CSimReceiver receiver(config);
    // What the view sent reaches the receiver, and its answers come back.
    const auto exchange = [&] {
        Bytes out;
        for (const Bytes& frame : host.sent) receiver.Receive(frame.data(), frame.size(), out);
        host.sent.clear();
        Receive(out);
        Tick();
    };
    Pick(QStringLiteral("KVB CFG-RATE"));
    Tick();
    exchange();
    CMessageFormPage* page = view->FormPage();
    ASSERT_NE(page, nullptr);
    auto* period = qobject_cast<QLineEdit*>(page->ControlWidget(1001));
    ASSERT_NE(period, nullptr);
    EXPECT_EQ(period->text(), QStringLiteral("1000"));

    period->setText(QStringLiteral("200"));
    emit period->textEdited(period->text());
    Tick();
    ASSERT_TRUE(view->QueryCommand(cmd::kSendMessage).enabled);
    view->RunCommand(cmd::kSendMessage);
    exchange();
    EXPECT_EQ(receiver.PeriodMs(), 200u);
    ASSERT_EQ(host.sent, std::vector<Bytes>{KvbTestFrame(0x06, 0x08, {})}) << "the poll after sending";
    exchange();
    EXPECT_EQ(period->text(), QStringLiteral("200"));
    EXPECT_EQ(page->GetControlText(1004), u"5.000");
    EXPECT_TRUE(window.grab().save(QStringLiteral(VELTRO_SCREENSHOT_DIR "/message_view_cfg_rate.png")));
    Pick(QStringLiteral("KVB CFG-PRT"));
    EXPECT_TRUE(window.grab().save(QStringLiteral(VELTRO_SCREENSHOT_DIR "/message_view_cfg_prt.png")));
}

TEST_F(MessageViewTest, TheStateBlockReselectsTheMessageAndItsSwitches) {
    Pick(QStringLiteral("NMEA ?????"));
    view->RunCommand(cmd::kAutoPoll);
    const std::vector<uint8_t> block(view->GetViewState().begin(), view->GetViewState().end());
    Pick(QStringLiteral("CUSTOM"));
    view->RunCommand(cmd::kAutoPoll);
    ASSERT_TRUE(view->SetViewState(block));
    EXPECT_EQ(view->MessageList()->currentText(), QStringLiteral("NMEA ?????"));
    EXPECT_EQ(std::u16string(view->Form().Selected()->Description()), u"Custom");
    EXPECT_FALSE(view->Form().AutoPoll());
}

// ---- CFG-DAT and CFG-TDB
// The tracking-engine settings take part only when their group is enabled.
class TrackingMessageViewTest : public MessageViewTest {
protected:
    void SetUp() override {
        MessageMask |= MASK_DISABLED;
        MessageViewTest::SetUp();
    }
    void TearDown() override { MessageMask = MASK_ORDINARY; }
};

TEST_F(TrackingMessageViewTest, TheDatumAndTheTrackingDebuggerShowTheReceiversSettings) {
    SimReceiverConfig config;
    config.truth.startGpsMs = TestStartGpsMs();
    CSimReceiver receiver(config);
    const auto pickAndPoll = [&](const QString& name) {
        Pick(name);
        Tick();
        Bytes out;
        for (const Bytes& frame : host.sent) receiver.Receive(frame.data(), frame.size(), out);
        host.sent.clear();
        Receive(out);
        Tick();
        return view->FormPage();
    };
    QDir().mkpath(QStringLiteral(VELTRO_SCREENSHOT_DIR));

    CMessageFormPage* datum = pickAndPoll(QStringLiteral("KVB CFG-DAT"));
    ASSERT_NE(datum, nullptr);
    auto* list = qobject_cast<QComboBox*>(datum->ControlWidget(1001));
    auto* axis = qobject_cast<QLineEdit*>(datum->ControlWidget(1002));
    ASSERT_TRUE(list && axis);
    EXPECT_EQ(list->count(), 217);
    EXPECT_EQ(list->currentText(), QStringLiteral("0 - WGS84"));
    EXPECT_EQ(axis->text(), QStringLiteral("6378137.000"));
    EXPECT_FALSE(axis->isEnabled()) << "a predefined datum's parameters are the receiver's";
    EXPECT_TRUE(window.grab().save(QStringLiteral(VELTRO_SCREENSHOT_DIR "/message_view_cfg_dat.png")));

    CMessageFormPage* debugger = pickAndPoll(QStringLiteral("KVB CFG-TDB"));
    ASSERT_NE(debugger, nullptr);
    auto* offset = qobject_cast<QComboBox*>(debugger->ControlWidget(1057));
    ASSERT_NE(offset, nullptr);
    EXPECT_EQ(offset->count(), 132);
    EXPECT_EQ(offset->currentText(), QStringLiteral("0"));
    EXPECT_FALSE(debugger->IsChecked(1001)) << "the receiver's debugger is off";
    EXPECT_TRUE(window.grab().save(QStringLiteral(VELTRO_SCREENSHOT_DIR "/message_view_cfg_tdb.png")));
}

}  // namespace
