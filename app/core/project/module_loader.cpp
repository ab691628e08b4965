// Loading the module by file name and running its entry point.
#include "app/core/project/module_loader.h"

#include <dlfcn.h>

#include "host/afx/windows_types.h"

namespace ds_app {

namespace {
ds_module_entry_point entry_of(void* entry) { return reinterpret_cast<ds_module_entry_point>(entry); }
}  // namespace

loaded_module::loaded_module(const std::filesystem::path& file) : m_file(file)
{
    m_handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) throw module_load_error("cannot load module " + file.string() + ": " + dlerror());
    m_entry = dlsym(m_handle, "DllMain");
    if (!m_entry) {
        dlclose(m_handle);
        throw module_load_error("module " + file.string() + " has no entry point DllMain");
    }
    if (entry_of(m_entry)(m_handle, DLL_PROCESS_ATTACH, nullptr) != TRUE) {
        dlclose(m_handle);
        throw module_load_error("module " + file.string() + " refused to attach");
    }
}

loaded_module::~loaded_module()
{
    entry_of(m_entry)(m_handle, DLL_PROCESS_DETACH, nullptr);
    dlclose(m_handle);
}

std::filesystem::path default_module_path()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (ec ? std::filesystem::path(".") : exe.parent_path()) / "libDS_ui.so";
}

}  // namespace ds_app
