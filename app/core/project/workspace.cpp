// The project's nodes, owned and registered in the data centre.
#include "app/core/project/workspace.h"

#include <algorithm>
#include <stdexcept>

#include "app/core/project/runtime_objects.h"
#include "host/framework/data_center.h"
#include "host/project/project_file.h"
#include "host/framework/string_tools.h"
#include "host/substructure/sample_bridge.h"

namespace ds_app {

workspace::~workspace() { unregister_all(); }

void workspace::unregister_all()
{
    for (const auto& node : m_nodes)
        if (data_center::get_data_node(node->get_node_tag()) == node.get())
            data_center::unregister_node(node->get_node_tag());
}

data_node_base& workspace::create(const char* class_name, const CString& name)
{
    std::unique_ptr<data_node_base> node = create_object<data_node_base>(class_name, "data node");
    node->set_node_name(name);
    return adopt(std::move(node));
}

data_node_base& workspace::adopt(std::unique_ptr<data_node_base> node)
{
    const data_node_base* holder = data_center::get_data_node(node->get_node_tag());
    if (node->get_node_tag().IsEmpty() || (holder && holder != node.get()))
        node->set_node_tag(data_center::make_unique_tag(node->GetRuntimeClass()->m_lpszClassName));
    data_center::register_node(node->get_node_tag(), node.get());
    m_by_name[node->get_node_name()].push_back(node.get());
    m_nodes.push_back(std::move(node));
    return *m_nodes.back();
}

std::unique_ptr<data_node_base> workspace::remove(const data_node_base& node)
{
    const auto it = std::find_if(m_nodes.begin(), m_nodes.end(), [&](const auto& n) { return n.get() == &node; });
    if (it == m_nodes.end()) throw std::logic_error("removing a node the project does not hold");
    return take_at(it).node;
}

data_node_base& workspace::adopt_at(std::unique_ptr<data_node_base> node, std::size_t position)
{
    data_node_base& adopted = adopt(std::move(node));
    if (position + 1 < m_nodes.size()) std::rotate(m_nodes.begin() + std::ptrdiff_t(position), m_nodes.end() - 1, m_nodes.end());
    return adopted;
}

workspace::taken_node workspace::take(const CString& tag)
{
    const auto it = std::find_if(m_nodes.begin(), m_nodes.end(), [&](const auto& n) { return n->get_node_tag() == tag; });
    if (it == m_nodes.end()) return {};
    return take_at(it);
}

workspace::taken_node workspace::take_at(std::vector<std::unique_ptr<data_node_base>>::iterator it)
{
    taken_node taken{std::move(*it), std::size_t(it - m_nodes.begin())};
    m_nodes.erase(it);
    const CString tag = taken.node->get_node_tag();
    if (data_center::get_data_node(tag) == taken.node.get()) data_center::unregister_node(tag);
    auto& named = m_by_name[taken.node->get_node_name()];
    std::erase(named, taken.node.get());
    if (named.empty()) m_by_name.erase(taken.node->get_node_name());
    m_checked.erase(taken.node.get());
    return taken;
}

void workspace::add_sample_bridge()
{
    // The sample arrives registered under its own tags; adopting keeps them.
    for (auto& drawing : sample_bridge::build().release()) adopt(std::move(drawing));
}

std::vector<const data_node_base*> workspace::const_nodes() const
{
    std::vector<const data_node_base*> nodes;
    for (const auto& n : m_nodes) nodes.push_back(n.get());
    return nodes;
}

void workspace::save(const std::filesystem::path& file) const { ds_project::save_project(file, const_nodes()); }

ds_digest::digest workspace::digest() const { return ds_project::project_digest(const_nodes()); }

std::unique_ptr<ds_project::pending_save> workspace::prepare_save(const std::filesystem::path& file) const
{
    const auto checked = [this](const data_node_base& node, const ds_digest::digest& values) {
        const auto it = m_checked.find(&node);
        return it != m_checked.end() && it->second == values;
    };
    return std::make_unique<ds_project::pending_save>(file, const_nodes(), checked);
}

std::vector<stream_diagnostic> workspace::load(const std::filesystem::path& file)
{
    ds_project::loaded_project project = ds_project::load_project(file);  // throws before anything changes
    unregister_all();
    m_nodes.clear();
    m_by_name.clear();
    m_next_suffix.clear();
    // A node whose tag was empty or taken gets a new one, and then the text
    // the load's digest was made of is not what the nodes would save.
    bool retagged = false;
    m_checked.clear();
    for (std::size_t i = 0; i < project.nodes.size(); ++i) {
        const CString tag = project.nodes[i]->get_node_tag();
        data_node_base& node = adopt(std::move(project.nodes[i]));
        retagged = node.get_node_tag() != tag || retagged;
        m_checked.emplace(&node, project.node_digests[i]);
    }
    m_loaded_digest = retagged ? digest() : project.digest;
    return std::move(project.warnings);
}

data_node_base* workspace::find_by_name(const CString& name) const
{
    const auto& named = nodes_named(name);
    return named.empty() ? nullptr : named.front();
}

const std::vector<data_node_base*>& workspace::nodes_named(const CString& name) const
{
    static const std::vector<data_node_base*> none;
    const auto it = m_by_name.find(name);
    return it == m_by_name.end() ? none : it->second;
}

std::vector<CString> workspace::names_where(const std::function<bool(const data_node_base&)>& keep) const
{
    std::vector<CString> names;
    for (const auto& n : m_nodes)
        if (keep(*n)) names.push_back(n->get_node_name());
    return names;
}

CString workspace::unique_name(const CString& base)
{
    if (!find_by_name(base)) return base;
    // Every suffix below `next` is taken: start where the last call stopped.
    int& next = m_next_suffix.try_emplace(base, 2).first->second;
    for (;; ++next) {
        CString name = base + " (" + string_tools::num_to_string(next) + ")";
        if (!find_by_name(name)) return name;
    }
}

}  // namespace ds_app
