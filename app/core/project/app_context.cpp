// The module and the project that every ds-host command shares.
#include "app/core/project/app_context.h"

namespace ds_app {

loaded_module& app_context::module()
{
    if (!m_module) m_module = std::make_unique<loaded_module>(module_file);
    return *m_module;
}

workspace& app_context::project()
{
    module();
    if (!m_project) m_project = std::make_unique<workspace>();
    return *m_project;
}

app_context::~app_context()
{
    m_project.reset();  // the module's objects go before the module does
    m_module.reset();
}

}  // namespace ds_app
