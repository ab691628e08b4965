// The parametric drawing the benchmarks grow: a long list of piers and abutments.
#pragma once

#include "data/ds_ui_csh_data.h"

namespace ds_bench {

/// A parametric drawing of `rows` list rows with the default rebar, of `sizes`
/// distinct widths repeating; pier numbers run on, bridge parts and support
/// types alternate, heights are one or two numbers.
inline VQDraw_DS_UINA::DS_ui_CSH_data parametric_drawing(int rows, int sizes)
{
    VQDraw_DS_UINA::DS_ui_CSH_data drawing;
    drawing.m_gz_data.set_default_value();
    VQDraw_DS_UINA::DS_CSH_LB_Data row;
    row.set_default_value();
    row.m_Steel_P0.set_default_value();
    drawing.m_csh_data.reserve(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        row.m_iNum = i + 1;
        row.m_strQF = i % 3 ? "主线" : "匝道";
        row.m_Type = i % 7 ? "桥墩" : "桥台";
        row.m_dWid = 1000.0 + 0.5 * (i % sizes);
        row.m_strH = i % 2 ? "200" : "200,250";
        drawing.m_csh_data.push_back(row);
    }
    return drawing;
}

}  // namespace ds_bench
