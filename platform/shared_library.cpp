#include "shared_library.h"

#include <algorithm>
#include <dlfcn.h>
#include <filesystem>
#include <unistd.h>

namespace platform {

ModuleHandle LoadSharedLibrary(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }

void* FindSymbol(ModuleHandle module, const char* name) { return module ? dlsym(module, name) : nullptr; }

void FreeSharedLibrary(ModuleHandle module) {
    if (module) dlclose(module);
}

std::string ExecutableFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return "./";
    return exe.parent_path().string() + "/";
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& suffix) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = item.path().filename().string();
        if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0 &&
            item.is_regular_file(error))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace platform
