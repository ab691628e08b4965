// Paper to model space of a DXF.
#include "host/sheet_dxf/dxf_model_space.h"

#include <algorithm>

namespace ds_sheet {

model_space_mapping::model_space_mapping(const std::vector<view_frame>& views) : m_views(views)
{
    for (const view_frame& v : views) m_sheet_scale = std::max(m_sheet_scale, v.scale);
}

model_space_mapping::placement model_space_mapping::place(point anchor) const
{
    const auto m = static_cast<double>(m_sheet_scale);
    for (const view_frame& v : m_views) {
        const bool inside = anchor.x >= v.lower_left.x && anchor.x <= v.upper_right.x && anchor.y >= v.lower_left.y &&
                            anchor.y <= v.upper_right.y;
        if (!inside || v.scale < 1) continue;
        // model = origin * M + (p - origin) * n
        const auto n = static_cast<double>(v.scale);
        return {{v.paper_origin.x * (m - n), v.paper_origin.y * (m - n)}, n, v.scale};
    }
    return {{0.0, 0.0}, m, m_sheet_scale};
}

}  // namespace ds_sheet
