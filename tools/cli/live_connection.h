#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/core/connection/connection_control.h"
#include "host/core/frame/main_frame_core.h"
#include "host/core/connection/port_thread.h"
#include "platform/message_window.h"
#include "platform/port_map.h"
#include "platform/profile.h"
#include "tools/cli/cli_options.h"
#include "tools/cli/receiver_commands.h"

class CHeadlessHost;
class CStopSignal;

// A receiver on a serial port, read by the port thread and handed to the host's main frame core
// through a message window, with the program's watchdog reopening the port after the device went
// away. Line errors and reconnects are reported on the standard error stream.
class CLiveConnection : public IPortWriter {
public:
    // devicePath, when not empty, is the port's device, else the port number goes through the
    // user's port map.
    CLiveConnection(CHeadlessHost& host, const ConnectionOptions& options, const std::string& devicePath);
    ~CLiveConnection() override;
    CLiveConnection(const CLiveConnection&) = delete;
    CLiveConnection& operator=(const CLiveConnection&) = delete;

    // False with the reason when the port is missing, busy or cannot be opened.
    bool Open(std::string& error);
    void Send(const std::vector<ReceiverCommand>& commands);
    // Hands the stream to the host until a stop is requested.
    void Run(const CStopSignal& stop);

    int Write(const uint8_t* bytes, int length) override { return port.Write(bytes, length); }

private:
    intptr_t OnMessage(unsigned message, uintptr_t wParam, intptr_t lParam);
    void OnSecond();
    std::string PortName();

    CHeadlessHost& host;
    std::unique_ptr<platform::CProfile> profile;
    platform::CPortMap ports;
    CPortThread port;
    CConnectionControl connection;
    std::shared_ptr<platform::CMessageWindow> window;
    bool wasOpen = false;
    uint32_t reportedBaudRate = 0;
    // Of the reads since the last report.
    uint32_t lineErrors = 0;
};
