#pragma once
#include <ctime>
#include <string>

// The name proposed for a new recording: the open port and the local time, "COM3_240131_235959",
// or "Untitled_240131_235959" while no port is open (port 0).
std::u16string ProposeLogFileName(int port, const std::tm& localTime);
std::u16string ProposeLogFileName(int port);
