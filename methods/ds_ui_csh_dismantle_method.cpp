// Dismantling of a parametric pedestal drawing into single drawings.
#include "methods/ds_ui_csh_dismantle_method.h"

#include "data/ds_ui_csh_data.h"
#include "data/ds_ui_data.h"
#include "host/framework/data_center.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_CSH_dismantle_method, data_mfc_object_can_copy_base)

namespace {

/// A single drawing of one row: its size, height, count, position, pedestal
/// number and structure. Notes and rebar stay behind with the list, so the
/// drawing keeps its constructor's rebar and input mode.
DS_ui_data* single_graph_from_row(const DS_CSH_LB_Data& row)
{
    auto* single = new DS_ui_data();
    DS_GZ_Gen& gz = single->m_draw_data.m_gz;
    gz.m_dWidth = row.m_dWid;
    gz.m_dLenth = row.m_dLen;
    gz.strHei = row.m_strH;
    gz.m_dSlope = row.m_dAngle;
    gz.m_iCount = row.m_iCount;
    gz.strPos = row.m_strPos;
    DS_steel_DrawSet& settings = single->m_draw_data.m_drawSet;
    settings.m_DS_number = row.m_strType;
    settings.com_drawset.m_strCompType = row.m_Type;
    settings.com_drawset.m_strQF = row.m_strQF;
    settings.com_drawset.m_iPierNum = row.m_iNum;
    single->set_node_name("[钢筋] 垫石");
    single->set_delete_flag(true);
    return single;
}

}  // namespace

method_result DS_ui_CSH_dismantle_method::dismantle_param_graph(std::vector<drawing_graph_data_base*>& graphs,
                                                                CString& param_graph)
{
    const auto* drawing = dynamic_cast<const DS_ui_CSH_data*>(data_center::get_data_node(param_graph));
    if (!drawing) return {false, "指定的参数化图纸未实例化！"};
    graphs.clear();  // the host still owns what the list held
    graphs.reserve(drawing->m_csh_data.size());
    for (const DS_CSH_LB_Data& row : drawing->m_csh_data) graphs.push_back(single_graph_from_row(row));
    return {true, CString()};
}

}  // namespace VQDraw_DS_UINA
