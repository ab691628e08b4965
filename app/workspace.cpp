#include "app/workspace.h"

#include <stdexcept>

#include "host/framework/data_center.h"
#include "host/framework/project_file.h"

namespace ds_app {

workspace::~workspace() { unregister_all(); }

void workspace::unregister_all()
{
    for (const auto& node : m_nodes) data_center::unregister_node(node->get_node_tag());
}

data_node_base& workspace::create(const char* class_name, const CString& name)
{
    CRuntimeClass* cls = CRuntimeClass::FromName(class_name);
    if (!cls) throw std::runtime_error(std::string("no class named ") + class_name + " is registered");
    std::unique_ptr<CObject> object(cls->CreateObject());
    auto* node = dynamic_cast<data_node_base*>(object.get());
    if (!node) throw std::runtime_error(std::string("class ") + class_name + " is not a data node");
    object.release();
    node->set_node_name(name);
    return adopt(std::unique_ptr<data_node_base>(node));
}

data_node_base& workspace::adopt(std::unique_ptr<data_node_base> node)
{
    if (node->get_node_tag().IsEmpty() || data_center::get_data_node(node->get_node_tag()))
        node->set_node_tag(data_center::make_unique_tag(node->GetRuntimeClass()->m_lpszClassName));
    data_center::register_node(node->get_node_tag(), node.get());
    m_nodes.push_back(std::move(node));
    return *m_nodes.back();
}

void workspace::save(const std::filesystem::path& file) const
{
    std::vector<const data_node_base*> nodes;
    for (const auto& n : m_nodes) nodes.push_back(n.get());
    ds_project::save_project(file, nodes);
}

std::vector<stream_diagnostic> workspace::load(const std::filesystem::path& file)
{
    ds_project::loaded_project project = ds_project::load_project(file);  // throws before anything changes
    unregister_all();
    m_nodes.clear();
    for (auto& node : project.nodes) adopt(std::move(node));
    return std::move(project.warnings);
}

data_node_base* workspace::find_by_name(const CString& name) const
{
    for (const auto& n : m_nodes)
        if (n->get_node_name() == name) return n.get();
    return nullptr;
}

}  // namespace ds_app
