#include <QAction>
#include <QClipboard>
#include <QKeyEvent>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QToolBar>

#include "host/views/color_table.h"
#include "host/views/consoles/console_views.h"
#include "host/views/text/view_tool_bar.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "resources/veltro/command_ids.h"
#include "tests/host/views/gui_test_support.h"
#include "tests/plugins/kvb/kvb_test_frames.h"
#include "tests/plugins/nmea/nmea_test_sentences.h"

namespace {

const std::string kGga =
    NmeaTestSentence("GPGGA,120001.00,4717.11399,N,00833.91590,E,1,08,1.01,499.6,M,48.0,M,,");
const std::string kRmc =
    NmeaTestSentence("GPRMC,120001.00,A,4717.11399,N,00833.91590,E,0.004,77.52,040326,,,A");
const std::vector<uint8_t> kNavSol = KvbTestFrame(0x01, 0x06, std::vector<uint8_t>(52, 0));

// The consoles in a document that loaded the real plug-ins, fed through the real splitter.
class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(document.Plugins().RootOf(u"KVB"), nullptr);
        ASSERT_NE(document.Plugins().RootOf(u"NMEA"), nullptr);
        document.Plugins().RegisterWith(splitter);
    }

    void Open(CConsoleView& view) {
        view.Create(ViewContext{document, colors, profile, host, {}}, u"Console", nullptr);
        toolBars.emplace_back(view.CreateViewToolBar(nullptr));
        view.resize(400, 300);
        view.show();
        view.OnInitialUpdate();
    }

    void Feed(const std::vector<uint8_t>& bytes) {
        FeedStream(splitter, bytes.data(), bytes.size(),
                   [&](const FrameRecord& record) { document.ProcessRecord(record, true); });
    }
    void FeedAll() {
        Feed(Bytes(kGga));
        Feed(kNavSol);
        Feed(Bytes(kRmc));
    }

    // The lines shown after the document's forced refresh, without the empty one behind the last.
    QStringList Lines(CConsoleView& view) {
        document.ForceUpdate();
        QStringList lines = view.Edit().toPlainText().split(u'\n');
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        return lines;
    }
    static CViewToolBar& Bar(CConsoleView& view) { return static_cast<CViewToolBar&>(*view.FilterEdit()->parent()); }

    CVeltroDoc document{DocumentSettings{900, VELTRO_PLUGIN_DIR, nullptr}};
    CFrameSplitter splitter;
    CColorTable colors;
    platform::CMemoryProfile profile;
    TestViewHost host;
    std::vector<std::unique_ptr<QToolBar>> toolBars;
};

// For a person to look at; the tests check the text itself.
void SavePicture(QWidget& view, const char* name) {
    QDir().mkpath(QStringLiteral(VELTRO_SCREENSHOT_DIR));
    EXPECT_TRUE(view.grab().save(QStringLiteral(VELTRO_SCREENSHOT_DIR "/") + QLatin1String(name)));
}

QStringList Texts(const QStringList& lines) {
    QStringList texts;
    for (const QString& line : lines) texts << line.mid(10);
    return texts;
}

}  // namespace

TEST_F(ConsoleTest, ThePacketConsoleNamesEveryMessageOfBothPlugins) {
    CPacketConsoleView view;
    Open(view);
    FeedAll();
    const QStringList lines = Lines(view);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(Texts(lines), (QStringList{
                                QStringLiteral("NMEA GPGGA,  Size  %1,  'Global Positioning System Fix Data'")
                                    .arg(kGga.size()),
                                QStringLiteral("KVB NAV-SOL,  Size  60,  'Navigation Solution'"),
                                QStringLiteral("NMEA GPRMC,  Size  %1,  'Recommended Minimum Specific GNSS Data'")
                                    .arg(kRmc.size()),
                            }));
    for (const QString& line : lines)
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^(\\d\\d:\\d\\d:\\d\\d|\\?\\?:\\?\\?:\\?\\?)  ")).match(line).hasMatch())
            << line.toStdString();
    // The receiver's time stamps the entries once it is known.
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("12:00:01  "))) << lines[2].toStdString();
    SavePicture(view, "packet_console.png");

    EXPECT_TRUE(view.QueryCommand(cmd::kEditClearAll).enabled);
    view.RunCommand(cmd::kEditClearAll);
    EXPECT_TRUE(Lines(view).isEmpty());
}

TEST_F(ConsoleTest, TheFilterKeepsOnlyEntriesWithItsTextWhileSwitchedOn) {
    CPacketConsoleView view;
    Open(view);
    QLineEdit& edit = *view.FilterEdit();
    EXPECT_FALSE(edit.isEnabled());

    Bar(view).Button(cmd::kFilter)->trigger();
    EXPECT_TRUE(edit.isEnabled());
    EXPECT_TRUE(Bar(view).Button(cmd::kFilter)->isChecked());
    // Switched on, but no text taken over yet: the box shows it, and nothing is filtered.
    EXPECT_EQ(edit.palette().color(QPalette::Base), colors.Color(CColorTable::kRejectedInput));
    FeedAll();
    EXPECT_EQ(Lines(view).size(), 3);

    edit.setText(QStringLiteral("GGA"));
    EXPECT_NE(edit.palette().color(QPalette::Base), colors.Color(CColorTable::kRejectedInput));
    FeedAll();
    QStringList lines = Lines(view);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[3].mid(10).startsWith(QStringLiteral("NMEA GPGGA,")));

    Bar(view).Button(cmd::kFilter)->trigger();
    EXPECT_FALSE(edit.isEnabled());
    FeedAll();
    EXPECT_EQ(Lines(view).size(), 7);
}

TEST_F(ConsoleTest, APausedConsoleDropsWhatArrivesMeanwhile) {
    CTextConsoleView view;
    Open(view);
    CViewToolBar& bar = Bar(view);
    EXPECT_FALSE(bar.Button(cmd::kViewRun)->isVisible());
    bar.Button(cmd::kViewPause)->trigger();
    EXPECT_TRUE(view.Settings().paused);
    EXPECT_TRUE(bar.Button(cmd::kViewRun)->isVisible());
    EXPECT_FALSE(bar.Button(cmd::kViewPause)->isVisible());
    FeedAll();
    EXPECT_TRUE(Lines(view).isEmpty());

    view.RunCommand(cmd::kViewTogglePause);
    EXPECT_FALSE(view.Settings().paused);
    Feed(Bytes(kGga));
    // The text console shows the sentence without its line end, and nothing for binary frames.
    Feed(kNavSol);
    EXPECT_EQ(Texts(Lines(view)), QStringList{QString::fromStdString(kGga.substr(0, kGga.size() - 2))});
}

TEST_F(ConsoleTest, TheStateBlockBringsBackPauseFilterSwitchAndText) {
    CPacketConsoleView first;
    Open(first);
    first.RunCommand(cmd::kViewPause);
    first.RunCommand(cmd::kFilter);
    first.FilterEdit()->setText(QStringLiteral("NAV-SOL"));
    const std::vector<uint8_t> block(first.GetViewState().begin(), first.GetViewState().end());
    ASSERT_EQ(block.size(), 514u);

    CPacketConsoleView second;
    Open(second);
    EXPECT_FALSE(second.SetViewState(std::span(block).first(513)));
    EXPECT_FALSE(second.Settings().paused);
    ASSERT_TRUE(second.SetViewState(block));
    EXPECT_EQ(second.Settings(), first.Settings());
    EXPECT_TRUE(second.FilterApplied());
    EXPECT_EQ(second.FilterEdit()->text(), QStringLiteral("NAV-SOL"));
    EXPECT_TRUE(second.FilterEdit()->isEnabled());

    second.RunCommand(cmd::kViewRun);
    FeedAll();
    EXPECT_EQ(Texts(Lines(second)), QStringList{QStringLiteral("KVB NAV-SOL,  Size  60,  'Navigation Solution'")});
}

TEST_F(ConsoleTest, TheBinaryConsoleIndentsTheDumpsContinuationLines) {
    CBinaryConsoleView view;
    Open(view);
    const std::vector<uint8_t> frame = KvbTestFrame(0x01, 0x06, std::vector<uint8_t>(9, 0x41));
    ASSERT_EQ(frame.size(), 17u);
    Feed(frame);
    const QStringList lines = Lines(view);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].mid(10).left(54), QStringLiteral("0000  A4 51 01 06 09 00 41 41 41 41 41 41 41 41 41 %1 ")
                                               .arg(frame[15], 2, 16, QLatin1Char('0'))
                                               .toUpper());
    EXPECT_EQ(lines[1], QStringLiteral("          0010  %1 ").arg(frame[16], 2, 16, QLatin1Char('0')).toUpper() +
                            QString(46, u' ') + QChar(frame[16] < 0x20 ? 0xB7 : frame[16]));
}

TEST_F(ConsoleTest, TheBinaryConsoleDrawsADotForAControlCharacterWhileItsTextKeepsCode11) {
    CBinaryConsoleView view;
    Open(view);
    view.resize(720, 160);
    Feed(KvbTestFrame(0x01, 0x06, {0x41, 0x00, 0xB7, 0x1F, 0x7F, 0x42}));
    Feed(Bytes(kGga));
    Lines(view);
    const QString stored = QString::fromStdU16String(std::u16string(view.Buffer().Text()));
    const QString shown = view.Edit().toPlainText();
    ASSERT_EQ(shown.size(), stored.size());
    EXPECT_FALSE(shown.contains(QChar(11)));
    int standIns = 0;
    for (qsizetype i = 0; i < stored.size(); ++i) {
        EXPECT_EQ(shown[i] == QChar(0xB7), stored[i] == QChar(11) || stored[i] == QChar(0xB7)) << i;
        standIns += stored[i] == QChar(11);
    }
    // NUL, 0x1F, 0x7F and the sentence's CR LF at least.
    EXPECT_GE(standIns, 5);
    SavePicture(view, "binary_console.png");

    // A copy holds the text as stored: code 11 for the stand-ins, the byte 0xB7 as itself.
    view.RunCommand(cmd::kEditSelectAll);
    view.RunCommand(cmd::kEditCopy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), stored);
    QGuiApplication::clipboard()->clear();
    QKeyEvent copyKey(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QCoreApplication::sendEvent(&view.Edit(), &copyKey);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), stored);
}

TEST_F(ConsoleTest, FiveHundredLinesMakeRoomForTheNextEntryAtOnce) {
    CPacketConsoleView view;
    Open(view);
    for (int i = 0; i < 499; ++i) view.AddEntry(u"entry " + platform::Utf8ToWide(std::to_string(i)));
    document.ForceUpdate();
    ASSERT_EQ(view.Edit().blockCount(), 500);

    view.AddEntry(u"newest");
    QStringList lines = Lines(view);
    ASSERT_EQ(lines.size(), 474);
    EXPECT_TRUE(lines.first().endsWith(QStringLiteral("  entry 26")));
    EXPECT_TRUE(lines.last().endsWith(QStringLiteral("  newest")));
}

