#pragma once
#include <cstdint>

// The program's message boxes: each one's text of the string table, its buttons and its icon. The
// code that raises a box names it by its constant below, so that text, buttons and icon come from
// this one table.
enum class MessageBoxButtons : uint8_t { Ok, YesNo };
enum class MessageBoxIcon : uint8_t { None, Information, Warning, Question, Stop };

struct MessageBoxResource {
    int id;
    const char16_t* text;
    MessageBoxButtons buttons;
    MessageBoxIcon icon;
};

namespace message_box {

using enum MessageBoxButtons;
using enum MessageBoxIcon;

// clang-format off
inline constexpr MessageBoxResource kTable[] = {
    {177, u"ERROR: Log file could not be created.", Ok, Stop},
    {178, u"ERROR: Log file could not be opened.", Ok, Stop},
    {179, u"ERROR: Map file could not be opened", Ok, Stop},
    {186, u"ERROR: Message could not be sent.", Ok, Stop},
    {225, u"Veltro is currently recording a log file.\n\nDo you want to exit Veltro and close the log file ?",
     YesNo, Warning},
    {228, u"You have made modifications to the GPS receiver, but you haven't saved the settings.\n\n"
          u"Would you like to switch to the save message ?", YesNo, Question},
    {229, u"The message was modified but not sent to the gps receiver.\n\nDo you wan't to send it now ?",
     YesNo, Question},
    {230, u"Process still running, closing this windows will interrupt the current process\n\nClose anyway?",
     YesNo, Question},
    // Followed by the system's reason (disk full, device gone).
    {231, u"ERROR: Log file could not be written. The recording has stopped.", Ok, Stop},
    // Followed by the file's name.
    {232, u"ERROR: Export file could not be written.", Ok, Stop},
};
// clang-format on

// Fails to compile for an id the table does not hold.
consteval MessageBoxResource Find(int id) {
    for (const MessageBoxResource& box : kTable)
        if (box.id == id) return box;
    throw "no message box with this id";
}

}  // namespace message_box

inline constexpr MessageBoxResource kLogNotCreated = message_box::Find(177);
inline constexpr MessageBoxResource kLogNotOpened = message_box::Find(178);
inline constexpr MessageBoxResource kMapNotOpened = message_box::Find(179);
inline constexpr MessageBoxResource kMessageNotSent = message_box::Find(186);
inline constexpr MessageBoxResource kExitWhileRecording = message_box::Find(225);
inline constexpr MessageBoxResource kAskSwitchToSave = message_box::Find(228);
inline constexpr MessageBoxResource kAskSendModified = message_box::Find(229);
inline constexpr MessageBoxResource kProcessStillRunning = message_box::Find(230);
inline constexpr MessageBoxResource kLogNotWritten = message_box::Find(231);
inline constexpr MessageBoxResource kExportFailed = message_box::Find(232);
