// DS_ui_drawing_strategy: the single drawing's component input.
#include "drawing/ds_ui_drawing_strategy.h"

#include "data/ds_ui_data.h"
#include "drawing/ds_component_input.h"
#include "host/framework/string_tools.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_drawing_strategy, graph_drawing_strategy_base)

namespace {

using VQDraw_DS_GJNA::DS_steel_pram_parameter;

// Heights of a single drawing may be separated by blanks, commas or semicolons.
constexpr const char* kHeightSeparators = " ,;";

// "主线3号墩": any type text naming a pier ("墩", "桥墩", "墩台") draws as a pier,
// everything else (the empty text included) as an abutment.
CString pier_name(const common_gj_data_drawset& common)
{
    const char* suffix = common.m_strCompType.Find("墩") >= 0 ? "号墩" : "号台";
    return common.m_strQF + string_tools::num_to_string(common.m_iPierNum) + suffix;
}

DS_steel_pram_parameter make_parameter(const DS_draw_data& draw, const CString& name)
{
    const DS_GZ_Gen& gz = draw.m_gz;
    DS_steel_pram_parameter param;
    param.m_strDSType = "";
    param.m_dOffsetCross = 0.0;
    param.m_dOffsetAlong = 0.0;
    param.m_strName = name;
    param.m_iPierNum = draw.m_drawSet.com_drawset.m_iPierNum;
    param.m_iCount = gz.m_iCount;
    param.m_dWidth = gz.m_dWidth;
    param.m_dLength = gz.m_dLenth;
    param.m_vecHeights = ds_heights_for_count(gz.strHei, kHeightSeparators, gz.m_iCount);
    param.m_dAngle = gz.m_dSlope;
    param.m_pSteelGroup = ds_first_steel_group(draw.m_Steel_P0);
    return param;
}

void fill_record(VQDraw_DS_GJNA::DS_draw_data* record, const DS_ui_data* graph)
{
    if (!record || !graph) return;
    const DS_draw_data& draw = graph->m_draw_data;
    const common_gj_data_drawset& common = draw.m_drawSet.com_drawset;
    ds_fill_drawset_fields(*record, draw.m_drawSet);
    record->m_strSupportType = common.m_strCompType;
    record->m_strQF = common.m_strQF;
    record->m_iPierNum = common.m_iPierNum;
    record->m_strPierName = pier_name(common);
    record->m_iSelectedObjNum = xbjg_graph_data_base::Get_Selected_Obj_Num(common.m_merge_infos);
    record->m_vecParamGroups.push_back({make_parameter(draw, record->m_strPierName)});
}

}  // namespace

std::shared_ptr<RXDSGNMOD::CRXComponent> DS_ui_drawing_strategy::GetComponent()
{
    const auto* graph = dynamic_cast<const DS_ui_data*>(get_graph_data());
    if (!graph) return {};
    auto record = std::make_shared<VQDraw_DS_GJNA::DS_draw_data>();
    auto copy = std::make_shared<DS_ui_data>(*graph);
    fill_record(record.get(), copy.get());
    return ds_make_component(*record);
}

}  // namespace VQDraw_DS_UINA
