// Loading a project file for one command and writing it back only when it changed.
#include "app/core/project_session.h"

#include <stdexcept>

#include "app/core/app_context.h"
#include "app/core/console.h"

namespace ds_app {

project_session::project_session(app_context& context, std::filesystem::path file)
    : m_project(context.project()), m_file(std::move(file)), m_save_damaged(context.save_damaged)
{
    std::error_code ec;
    if (!std::filesystem::exists(m_file, ec))
        throw std::runtime_error("project file " + m_file.string() + " does not exist (make one with: ds-host new " +
                                 m_file.string() + ")");
    const auto warnings = m_project.load(m_file);
    for (const auto& warning : warnings) say_utf8("load " + to_string(warning));
    m_unread = unread_entries(warnings);
    m_loaded = m_project.loaded_digest();
}

void project_session::finish()
{
    // One pass makes the new text's digest and writes it beside the file; it
    // takes the file's place only if it differs from the text loaded.
    const auto save = m_project.prepare_save(m_file);
    if (save->digest() == m_loaded) {
        say_utf8("\nProject " + m_file.string() + " unchanged; not written.");
        return;
    }
    if (!m_unread.empty() && !m_save_damaged) {
        std::string entries;
        for (const auto& d : m_unread) entries += "\n  " + d.path + ": " + d.message;
        throw std::runtime_error("project " + m_file.string() + " is damaged: its load left entries unread (saving "
                                 "would drop them) or found texts breaking their rules, so it was not written:" +
                                 entries + "\nRepair the file, or give --accept-damaged to save it as it is now.");
    }
    save->commit();
    m_loaded = save->digest();
    say_utf8("\nSaved the project to " + m_file.string() + ".");
}

}  // namespace ds_app
