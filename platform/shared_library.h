#pragma once
#include <string>
#include <vector>

#include "platform/export.h"

// Loading plug-ins: the handheld's LoadLibrary / GetProcAddress / FreeLibrary on dlopen.
namespace platform {

using ModuleHandle = void*;

// Loaded with RTLD_NOW | RTLD_LOCAL: a plug-in resolves everything at load and exposes nothing
// to the others. Null when the file cannot be loaded.
VELTRO_EXPORT ModuleHandle LoadSharedLibrary(const std::string& path);
VELTRO_EXPORT void* FindSymbol(ModuleHandle module, const char* name);
VELTRO_EXPORT void FreeSharedLibrary(ModuleHandle module);

// Folder of the running executable, with a trailing '/'.
VELTRO_EXPORT std::string ExecutableFolder();

// Regular files in folder whose names end in suffix, sorted by name so that the load order
// does not depend on the file system.
VELTRO_EXPORT std::vector<std::string> ListFiles(const std::string& folder, const std::string& suffix);

}  // namespace platform
