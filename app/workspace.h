// The nodes of the project that ds-host works on. It owns them and keeps them
// registered in the data centre under their tags, as the host's project does.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "host/framework/data_node_base.h"
#include "host/framework/stream_diagnostic.h"

namespace ds_app {

class workspace {
public:
    workspace() = default;
    ~workspace();
    workspace(const workspace&) = delete;
    workspace& operator=(const workspace&) = delete;

    /// Creates a node by runtime class name, gives it a new tag and `name`, and
    /// registers it. Throws std::runtime_error when the class is unknown or is not a node.
    data_node_base& create(const char* class_name, const CString& name);

    /// Takes a node over (a new tag is given when it has none) and registers it.
    data_node_base& adopt(std::unique_ptr<data_node_base> node);

    /// Saves every node, in order, atomically. Throws ds_project::project_error.
    void save(const std::filesystem::path& file) const;

    /// Replaces the nodes by those of the file. A refused load throws
    /// ds_project::project_error and leaves the workspace as it was.
    /// Returns the load's warnings.
    std::vector<stream_diagnostic> load(const std::filesystem::path& file);

    const std::vector<std::unique_ptr<data_node_base>>& nodes() const { return m_nodes; }
    /// The first node with that name, or null.
    data_node_base* find_by_name(const CString& name) const;

    /// The first node of class T, or null.
    template <class T>
    T* first_of() const
    {
        for (const auto& n : m_nodes)
            if (auto* t = dynamic_cast<T*>(n.get())) return t;
        return nullptr;
    }

private:
    void unregister_all();

    std::vector<std::unique_ptr<data_node_base>> m_nodes;
};

}  // namespace ds_app
