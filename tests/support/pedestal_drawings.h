// Single and parametric pedestal drawings registered in the data centre for
// the length of one test, as the observers, methods and strategies find their
// drawings by tag.
#pragma once

#include <memory>
#include <vector>

#include "data/ds_ui_csh_data.h"
#include "data/ds_ui_data.h"
#include "host/framework/data_center.h"

namespace ds_test {

/// Owns the drawings it registers; unregisters and deletes them at the end.
class pedestal_drawings {
public:
    pedestal_drawings() = default;
    pedestal_drawings(const pedestal_drawings&) = delete;
    pedestal_drawings& operator=(const pedestal_drawings&) = delete;
    ~pedestal_drawings()
    {
        for (const auto& node : m_nodes) data_center::unregister_node(node->get_node_tag());
    }

    /// A defaulted single drawing with pedestal number `number` and the given size.
    VQDraw_DS_UINA::DS_ui_data& single(const CString& tag, const CString& number = "1", double width = 560.0,
                                       double length = 560.0, double angle = 90.0)
    {
        auto node = std::make_unique<VQDraw_DS_UINA::DS_ui_data>();
        node->set_default_value();
        node->m_draw_data.m_drawSet.m_DS_number = number;
        node->m_draw_data.m_gz.m_dWidth = width;
        node->m_draw_data.m_gz.m_dLenth = length;
        node->m_draw_data.m_gz.m_dSlope = angle;
        return add(tag, std::move(node));
    }

    /// A parametric drawing as the host creates it (no defaults applied).
    VQDraw_DS_UINA::DS_ui_CSH_data& parametric(const CString& tag)
    {
        return add(tag, std::make_unique<VQDraw_DS_UINA::DS_ui_CSH_data>());
    }

    template <class Node>
    Node& add(const CString& tag, std::unique_ptr<Node> node)
    {
        node->set_node_tag(tag);
        data_center::register_node(tag, node.get());
        Node& kept = *node;
        m_nodes.push_back(std::move(node));
        return kept;
    }

private:
    std::vector<std::unique_ptr<data_node_base>> m_nodes;
};

}  // namespace ds_test
