// Loads the pedestal module by file name at run time, as the host does, and
// runs its entry point; unloading detaches it again.
#pragma once

#include <filesystem>
#include <stdexcept>

namespace ds_app {

class module_load_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class loaded_module {
public:
    /// dlopen + "process attach"; throws module_load_error naming the file and the reason.
    explicit loaded_module(const std::filesystem::path& file);
    /// "process detach" + dlclose.
    ~loaded_module();
    loaded_module(const loaded_module&) = delete;
    loaded_module& operator=(const loaded_module&) = delete;

    const std::filesystem::path& file() const { return m_file; }

private:
    std::filesystem::path m_file;
    void* m_handle = nullptr;
    void* m_entry = nullptr;
};

/// libDS_ui.so beside the running executable.
std::filesystem::path default_module_path();

}  // namespace ds_app
