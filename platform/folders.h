#pragma once
#include <string>

namespace platform {

// A folder that file dialogs may start in and browse: it exists and lies on an ordinary file
// system, not on one of the kernel's (/proc, /sys, /dev), whose files block or never end when a
// dialog reads them to tell their type.
bool IsOrdinaryFolder(const std::string& path);
// $HOME, else the user's home from the password database, else "/".
std::string HomeFolder();
// Where the user's data goes: $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
std::string DataHomeFolder();

}  // namespace platform
