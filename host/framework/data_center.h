// data_center: the project's nodes by tag. It does not own them; whoever
// registers a node unregisters it before deleting it.
#pragma once

#include <vector>

#include "host/afx/cstring.h"

class data_node_base;
class graph_data_base;

class data_center {
public:
    /// The node registered under `tag`, or null.
    static data_node_base* get_data_node(const CString& tag);
    /// Registers `node` under `tag` (replacing an earlier node of that tag).
    static void register_node(const CString& tag, data_node_base* node);
    static void unregister_node(const CString& tag);
    /// Tags in registration order.
    static std::vector<CString> get_all_tags();
    /// A tag not used yet, built from `prefix`.
    static CString make_unique_tag(const CString& prefix);
    static void clear();
};

/// Resolves drawings by tag for the project's graph views; the same tags as the data centre.
class graph_data_manager {
public:
    /// The drawing with that tag, or null when the tag names no drawing.
    graph_data_base* get_graph_data_by_tag(const CString& tag) const;
};

graph_data_manager* get_graph_data_manager();
