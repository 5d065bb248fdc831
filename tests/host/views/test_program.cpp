// The program itself, started as a user starts it, against the simulated receiver.
#include <gtest/gtest.h>
#include <signal.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "platform/file_profile.h"

TEST(VeltroProgram, RunsAgainstTheSimulatorAndEndsCleanlyWhenAskedTo) {
    QTemporaryDir settings;
    ASSERT_TRUE(settings.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VELTRO_CONFIG_HOME", settings.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(VELTRO_PLUGIN_DIR "veltro", {"--simulate=10", "-nologo"});
    ASSERT_TRUE(program.waitForStarted(5000));
    std::this_thread::sleep_for(std::chrono::seconds(2));
    ASSERT_EQ(program.state(), QProcess::Running);

    const auto asked = std::chrono::steady_clock::now();
    kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(5));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);

    const platform::CFileProfile saved((settings.path() + "/Veltro3.ini").toStdString());
    // The simulator's terminal is gone after the run, so it is not remembered as COM1.
    EXPECT_EQ(saved.GetString(u"Ports", u"COM1", u""), u"");
    EXPECT_EQ(saved.GetInt(u"Settings", u"DoConnect", 0), 1);
    std::vector<uint8_t> geometry;
    EXPECT_TRUE(saved.GetBinary(u"Window", u"Geometry", geometry));
}

// Help needs no display: on a machine without one it is printed, not refused by Qt.
TEST(VeltroProgram, PrintsItsHelpWithoutADisplay) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(VELTRO_PLUGIN_DIR "veltro", {"--help"});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    const QString usage = QString::fromUtf8(program.readAllStandardOutput());
    EXPECT_TRUE(usage.startsWith(QStringLiteral("Usage: veltro"))) << usage.toStdString();
    EXPECT_TRUE(usage.contains(QStringLiteral("--simulate"))) << usage.toStdString();
}
