// The nodes of the project that ds-host works on. It owns them and keeps them
// registered in the data centre under their tags, as the host's project does,
// and indexed by name, so that finding a drawing or a free name does not scan
// the project.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/framework/data_node_base.h"
#include "host/project/project_file.h"
#include "host/json/member_stream.h"
#include "host/json/text_digest.h"

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

    /// Takes a node over and registers it. The node keeps its tag when it has
    /// one that is free or already registered to the node itself; otherwise it
    /// gets a new one.
    data_node_base& adopt(std::unique_ptr<data_node_base> node);
    /// adopt() putting the node at `position` in the project's order (at the end when beyond it).
    data_node_base& adopt_at(std::unique_ptr<data_node_base> node, std::size_t position);

    /// Takes the node tagged `tag` out of the project (unregistered, no longer
    /// saved) and hands it over with the position it had, so that undoing an
    /// added drawing can put it back where it was; a null node when no node has the tag.
    struct taken_node {
        std::unique_ptr<data_node_base> node;
        std::size_t position = 0;
    };
    taken_node take(const CString& tag);

    /// Takes `node` out of the project and unregisters it; the caller deletes
    /// what it gets back. Throws std::logic_error for a node not in the project.
    std::unique_ptr<data_node_base> remove(const data_node_base& node);

    /// Adds the host's built-in sample bridge: abutment 0, piers 1 to 3 and
    /// abutment 4 of "主线", named like "主线1号墩".
    void add_sample_bridge();

    /// Saves every node, in order, atomically. Throws ds_project::project_error.
    void save(const std::filesystem::path& file) const;

    /// Replaces the nodes by those of the file. A refused load throws
    /// ds_project::project_error and leaves the workspace as it was.
    /// Returns the load's warnings.
    std::vector<stream_diagnostic> load(const std::filesystem::path& file);

    /// The digest of the values the nodes would be saved with (ds_project::project_digest).
    ds_digest::digest digest() const;
    /// digest() as it was right after the last load().
    const ds_digest::digest& loaded_digest() const { return m_loaded_digest; }
    /// A save of the nodes to `file`, written but not yet in place (ds_project::pending_save).
    std::unique_ptr<ds_project::pending_save> prepare_save(const std::filesystem::path& file) const;

    const std::vector<std::unique_ptr<data_node_base>>& nodes() const { return m_nodes; }
    /// The first node with that name, or null.
    data_node_base* find_by_name(const CString& name) const;
    /// The nodes with that name, in project order.
    const std::vector<data_node_base*>& nodes_named(const CString& name) const;
    /// Names of the nodes for which `keep` holds, in project order.
    std::vector<CString> names_where(const std::function<bool(const data_node_base&)>& keep) const;
    /// `base` when no node carries it, else the first free of "base (2)", "base (3)", ...
    /// Constant time per call when many nodes of one base name join in turn:
    /// the suffixes already found taken are not tried again.
    CString unique_name(const CString& base);

    /// The first node of class T, or null.
    template <class T>
    T* first_of() const
    {
        for (const auto& n : m_nodes)
            if (auto* t = dynamic_cast<T*>(n.get())) return t;
        return nullptr;
    }

private:
    /// Takes the node at `it` out: unregistered, its name freed, no longer checked.
    taken_node take_at(std::vector<std::unique_ptr<data_node_base>>::iterator it);

    void unregister_all();
    std::vector<const data_node_base*> const_nodes() const;

    std::vector<std::unique_ptr<data_node_base>> m_nodes;
    /// Nodes by the name they had when they joined. ds-host never renames a
    /// node after that (merged and dismantled drawings are named before they join);
    /// a node that leaves (remove) leaves its name's list.
    std::unordered_map<CString, std::vector<data_node_base*>> m_by_name;
    /// Per base name, the first suffix unique_name has not yet found taken. A
    /// node that leaves (removed, or taken out by an undone addition) frees its
    /// name, which unique_name may then pass over: the names it gives stay
    /// unique, only not always the lowest.
    std::unordered_map<CString, int> m_next_suffix;
    ds_digest::digest m_loaded_digest{};
    /// Each loaded node's digest as it was loaded, when it passed the loader's
    /// checks: a save checks again only the nodes that changed since.
    std::unordered_map<const data_node_base*, ds_digest::digest> m_checked;
};

}  // namespace ds_app
