// Loading a project file for one command and writing it back only when it changed.
#include "app/project_session.h"

#include <stdexcept>

#include "app/app_context.h"
#include "app/console.h"

namespace ds_app {

project_session::project_session(app_context& context, std::filesystem::path file)
    : m_project(context.project()), m_file(std::move(file))
{
    std::error_code ec;
    if (!std::filesystem::exists(m_file, ec))
        throw std::runtime_error("project file " + m_file.string() + " does not exist (make one with: ds-host new " +
                                 m_file.string() + ")");
    for (const auto& warning : m_project.load(m_file)) say_utf8("load " + to_string(warning));
    m_loaded = m_project.text();
}

void project_session::finish()
{
    std::string text = m_project.text();
    if (text == m_loaded) {
        say_utf8("\nProject " + m_file.string() + " unchanged; not written.");
        return;
    }
    workspace::write(m_file, text);
    m_loaded = std::move(text);
    say_utf8("\nSaved the project to " + m_file.string() + ".");
}

}  // namespace ds_app
