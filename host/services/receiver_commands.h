#pragma once
#include <cstdint>
#include <span>
#include <string>

class CMainFrameLogic;

// The receiver's starts, numbered as the reset before an assistance request ("RstCmd") numbers
// them; any other number is no reset.
enum class ResetKind : int32_t { None = 0, Cold = 1, Warm = 2, Hot = 3 };

ResetKind ResetKindOf(int32_t number);
// The complete CFG-RST frame (12 bytes, mode "Controlled GPS only"); empty for None.
std::span<const uint8_t> ResetFrame(ResetKind kind);
// "Coldstart", "Warmstart", "Hotstart", as the "Action" menu names them; empty for None.
std::u16string ResetName(ResetKind kind);
// The "Action" menu's commands: the frame through the send path at once, nothing waited for.
bool SendReset(CMainFrameLogic& frame, ResetKind kind);
