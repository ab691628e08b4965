// The table of project nodes by tag, unique tags, and the graph data manager
// that looks drawings up in it.
#include "host/framework/data_center.h"

#include <map>

#include "host/framework/graph_data_base.h"

namespace {
// Nodes by tag, and the tags by registration serial so that listing keeps the
// order of registration while unregistering stays logarithmic.
struct node_table {
    struct entry {
        data_node_base* node;
        long serial;
    };
    std::map<CString, entry> nodes;
    std::map<long, CString> order;
    long next_registration = 0;
    int next_serial = 1;
};

node_table& table()
{
    static node_table instance;
    return instance;
}
}  // namespace

data_node_base* data_center::get_data_node(const CString& tag)
{
    const auto it = table().nodes.find(tag);
    return it == table().nodes.end() ? nullptr : it->second.node;
}

void data_center::register_node(const CString& tag, data_node_base* node)
{
    auto& t = table();
    const auto it = t.nodes.find(tag);
    if (it != t.nodes.end()) {
        it->second.node = node;
        return;
    }
    const long serial = t.next_registration++;
    t.nodes.emplace(tag, node_table::entry{node, serial});
    t.order.emplace(serial, tag);
}

void data_center::unregister_node(const CString& tag)
{
    auto& t = table();
    const auto it = t.nodes.find(tag);
    if (it == t.nodes.end()) return;
    t.order.erase(it->second.serial);
    t.nodes.erase(it);
}

std::vector<CString> data_center::get_all_tags()
{
    std::vector<CString> tags;
    tags.reserve(table().order.size());
    for (const auto& [serial, tag] : table().order) tags.push_back(tag);
    return tags;
}

CString data_center::make_unique_tag(const CString& prefix)
{
    auto& t = table();
    for (;;) {
        CString tag;
        tag.Format("%s_%d", prefix.GetString(), t.next_serial++);
        if (!t.nodes.count(tag)) return tag;
    }
}

void data_center::clear()
{
    table().nodes.clear();
    table().order.clear();
}

graph_data_base* graph_data_manager::get_graph_data_by_tag(const CString& tag) const
{
    return dynamic_cast<graph_data_base*>(data_center::get_data_node(tag));
}

graph_data_manager* get_graph_data_manager()
{
    static graph_data_manager instance;
    return &instance;
}
