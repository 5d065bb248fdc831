// The receiver's whole configuration in the window, offscreen: Rx "Save Configuration..." writes
// the simulated receiver's settings into the file chosen, "Load Configuration..." sends them back
// and has the receiver save them, each a green progress view with a line a step.
#include <QDir>
#include <QPlainTextEdit>
#include <filesystem>

#include "host/views/services/configuration_view.h"
#include "resources/veltro/command_ids.h"
#include "tests/host/views/gui_test_support.h"
#include "tests/tools/simulator.h"

namespace {

const QString kFolder = QStringLiteral(VELTRO_SCREENSHOT_DIR);

class ConfigurationViewTest : public GuiAppTest {
protected:
    // The view of the command, once its procedure has ended.
    CConfigurationView* RunToEnd(CMainFrameMobile& frame, unsigned command) {
        frame.CommandBar().Run(command);
        auto* view = dynamic_cast<CConfigurationView*>(frame.ActiveView());
        if (view) RunEventsUntil([&] { return view->Running()->Ended(); }, std::chrono::milliseconds(20000));
        return view;
    }
    static std::string Log(CConfigurationView& view) {
        view.Refresh();
        return view.Edit().toPlainText().toStdString();
    }
};

TEST_F(ConfigurationViewTest, TheSettingsAreSavedToTheFileAndLoadedBack) {
    QDir().mkpath(kFolder);
    Simulator simulator;
    const std::string path = (folder / "receiver.kvb").string();
    CMainFrameMobile& frame = Start({"-port", simulator.DevicePath()});
    ASSERT_TRUE(RunEventsUntil([&] { return Enabled(frame, cmd::kSaveConfiguration); }));

    prompts.saveFile = path;
    CConfigurationView* save = RunToEnd(frame, cmd::kSaveConfiguration);
    ASSERT_NE(save, nullptr);
    EXPECT_FALSE(save->Running()->Failed()) << Log(*save);
    EXPECT_EQ(save->BackgroundColor(), QColor(192, 255, 192));
    EXPECT_NE(Log(*save).find("settings saved to " + path), std::string::npos) << Log(*save);
    EXPECT_GT(std::filesystem::file_size(path), 0u);
    EXPECT_TRUE(frame.grab().save(kFolder + "/configuration_save_view.png"));

    prompts.openFile = ILogFileDialogs::OpenChoice{path, false};
    prompts.answerYes = true;
    CConfigurationView* load = RunToEnd(frame, cmd::kLoadConfiguration);
    ASSERT_NE(load, nullptr);
    EXPECT_FALSE(load->Running()->Failed()) << Log(*load);
    EXPECT_NE(Log(*load).find("settings loaded.\nCFG-CFG"), std::string::npos) << Log(*load);
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_TRUE(frame.grab().save(kFolder + "/configuration_load_view.png"));
}

}  // namespace
