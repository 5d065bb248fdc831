#pragma once
#include <string>
#include <string_view>

// INI files ("[section]" lines and "key=value" lines), such as the calibration files of the map
// view. A file name without a "/" names a file in the settings folder. Files are read as UTF-16
// when they begin with its byte-order mark, as UTF-8 when their bytes are UTF-8, and as ANSI
// otherwise, and are written back in the same form. Sections and keys are compared without regard
// to case. Failures are told on stderr and answered with the default or with false.

// Copies the value into buffer: at most size - 1 characters and a terminator. A null key gives the
// keys of the section instead, each terminated, plus a final terminator (both terminators end a
// list cut short by the buffer). A missing section or key gives defaultValue (empty when null).
// Returns the number of characters copied before the (final) terminator.
int GetProfileText(const char16_t* section, const char16_t* key, const char16_t* defaultValue, char16_t* buffer,
                   int size, std::string_view file);

// The decimal number at the start of the value; defaultValue when the value is missing or empty.
int GetProfileNumber(const char16_t* section, const char16_t* key, int defaultValue, std::string_view file);

// Sets key=value in the section, adding the section and the key where missing; a null value
// removes the key. The file is replaced as a whole, through a temporary file and a rename.
// A null section does nothing and succeeds. False when the file cannot be written, and for
// texts that would not read back as one key line (line breaks, a key with "=").
bool SetProfileText(const char16_t* section, const char16_t* key, const char16_t* value, std::string_view file);

// Where a file name of the store leads.
std::string ProfileStorePath(std::string_view file);
