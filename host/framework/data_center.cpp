#include "host/framework/data_center.h"

#include <algorithm>
#include <map>

#include "host/framework/graph_data_base.h"

namespace {
struct node_table {
    std::map<CString, data_node_base*> nodes;
    std::vector<CString> order;
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
    return it == table().nodes.end() ? nullptr : it->second;
}

void data_center::register_node(const CString& tag, data_node_base* node)
{
    auto& t = table();
    if (!t.nodes.count(tag)) t.order.push_back(tag);
    t.nodes[tag] = node;
}

void data_center::unregister_node(const CString& tag)
{
    auto& t = table();
    t.nodes.erase(tag);
    t.order.erase(std::remove(t.order.begin(), t.order.end(), tag), t.order.end());
}

std::vector<CString> data_center::get_all_tags() { return table().order; }

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
