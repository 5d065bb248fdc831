#pragma once
#include <sys/types.h>

#include <string>
#include <string_view>

// Whole small files: settings and INI files are read at once and replaced at once.
namespace platform {

enum class ReadResult { Read, Missing, Failed };

// Reads a regular file of at most maxSize bytes. On failure, reason tells why in words.
ReadResult ReadFileContents(const std::string& path, size_t maxSize, std::string& contents, std::string& reason);

// Writes a temporary file beside the target, flushes it to the disk and renames it over the
// target, so that a crash leaves either the old file or the new one, never half of one. A target
// that exists keeps its permissions (and a symbolic link keeps pointing at it); a new one gets
// newFileMode, less the umask. Missing folders are created. On failure errno tells why.
bool ReplaceFileContents(const std::string& path, std::string_view contents, mode_t newFileMode);

}  // namespace platform
