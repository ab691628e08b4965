// Loading a project file for one command and writing it back only when it changed.
#include "app/core/project/project_session.h"

#include <stdexcept>

#include "app/core/project/app_context.h"

namespace ds_app {

project_session::project_session(app_context& context, std::filesystem::path file, step_report& report)
    : m_project(context.project()), m_file(std::move(file)), m_save_damaged(context.save_damaged)
{
    std::error_code ec;
    if (!std::filesystem::exists(m_file, ec))
        throw std::runtime_error("project file " + m_file.string() + " does not exist (make one with: ds-host new " +
                                 m_file.string() + ")");
    const auto warnings = m_project.load(m_file);
    for (const auto& warning : warnings) report.line("load " + to_string(warning));
    m_unread = unread_entries(warnings);
    m_loaded = m_project.loaded_digest();
}

void project_session::finish(step_report& report)
{
    // One pass makes the new text's digest and writes it beside the file; it
    // takes the file's place only if it differs from the text loaded.
    const auto save = m_project.prepare_save(m_file);
    if (save->digest() == m_loaded) {
        report.line("\nProject " + m_file.string() + " unchanged; not written.");
        return;
    }
    if (!m_unread.empty() && !m_save_damaged) {
        std::string entries;
        for (const auto& d : m_unread) entries += "\n  " + d.path + ": " + d.message;
        const std::string reason = "project " + m_file.string() + " is damaged: its load left entries unread (saving "
                                   "would drop them) or found texts breaking their rules, so it was not written:" +
                                   entries;
        throw step_refused(reason + "\nRepair the file.", m_file.string(), override_id::accept_damaged,
                           reason + "\nRepair the file, or give " + std::string(override_slot) +
                               " to save it as it is now.");
    }
    save->commit();
    m_loaded = save->digest();
    report.line("\nSaved the project to " + m_file.string() + ".");
}

}  // namespace ds_app
