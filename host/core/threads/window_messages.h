#pragma once
#include "platform/message_window.h"

// Messages that worker threads send to the main frame.
// WM_PORT_FRAME: wParam = const FrameRecord*, lParam = 1 (redraw views when due).
constexpr unsigned WM_PORT_FRAME = platform::WM_USER + 0x65;
// WM_FILE_FRAME: a replayed frame is ready; no parameters.
constexpr unsigned WM_FILE_FRAME = platform::WM_USER + 0x66;
// WM_SEND_BYTES: wParam = a record whose second and third words are the bytes and their length.
constexpr unsigned WM_SEND_BYTES = platform::WM_USER + 0x67;
// WM_PORT_READ: wParam = bytes just read (may be 0), lParam = the line-error bits of that read.
constexpr unsigned WM_PORT_READ = platform::WM_USER + 0x68;
