// What every ds-host command shares: the module it loads and the project it
// works on. The module is loaded on first use, before any node is created.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "app/core/project/module_loader.h"
#include "app/core/project/workspace.h"

namespace ds_app {

struct app_context {
    std::filesystem::path module_file = default_module_path();
    /// --accept-damaged: write a project even when its load left entries unread, dropping them.
    bool save_damaged = false;

    /// Loads and attaches the module once.
    loaded_module& module();
    /// The project; destroyed before the module is unloaded.
    workspace& project();

    ~app_context();

private:
    std::unique_ptr<loaded_module> m_module;
    std::unique_ptr<workspace> m_project;
};

}  // namespace ds_app
