// One command's work on a project file: load it, let the command change the
// nodes, and write it back atomically only when something changed. A command
// that fails leaves the file as it was, because finish() is never reached.
#pragma once

#include <filesystem>
#include <string>

#include "app/core/project/step_report.h"
#include "app/core/project/workspace.h"

namespace ds_app {

struct app_context;

class project_session {
public:
    /// Loads `file` into the context's workspace and reports the load's warnings.
    /// Throws std::runtime_error when the file is missing, and
    /// ds_project::project_error when it is refused (nothing is changed then).
    project_session(app_context& context, std::filesystem::path file, step_report& report);

    workspace& project() { return m_project; }
    const std::filesystem::path& file() const { return m_file; }

    /// Saves the project when its text differs from the one loaded, and says
    /// which of the two happened. The texts are compared by their SHA-256,
    /// made piece by piece, so that no whole text is ever kept in memory.
    /// When the load left entries unread the save would drop them: it throws
    /// step_refused naming them instead (override_id::accept_damaged passes it),
    /// unless the context's save_damaged is set.
    void finish(step_report& report);

private:
    workspace& m_project;
    std::filesystem::path m_file;
    ds_digest::digest m_loaded;  ///< digest of the project's text right after loading (after a save: of the text saved)
    std::vector<stream_diagnostic> m_unread;
    bool m_save_damaged;
};

}  // namespace ds_app
