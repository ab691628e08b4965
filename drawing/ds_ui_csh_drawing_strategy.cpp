// DS_ui_CSH_drawing_strategy: the parametric drawing's component input.
#include "drawing/ds_ui_csh_drawing_strategy.h"

#include "data/ds_ui_csh_data.h"
#include "drawing/ds_component_input.h"
#include "drawing/ds_csh_groups.h"
#include "drawing/ds_csh_notes.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_CSH_drawing_strategy, graph_drawing_strategy_base)

namespace {

using VQDraw_DS_GJNA::DS_steel_pram_parameter;

// A list row may only separate its heights by commas: blanks and semicolons
// stay inside one number, as the host's converter reads it.
constexpr const char* kHeightSeparators = ",";

/// The parameter record of one group member; the count is the one the row
/// entered its group with (0 when an earlier group had already taken it).
DS_steel_pram_parameter make_parameter(const DS_CSH_LB_Data& row, int count)
{
    DS_steel_pram_parameter param;
    param.m_strSupportType = row.m_Type;
    param.m_strDSType = row.m_strType;
    param.m_strPos = row.m_strPos;
    param.m_strName = row.m_strQF;
    param.m_iPierNum = row.m_iNum;
    param.m_iCount = count;
    param.m_dWidth = row.m_dWid;
    param.m_dLength = row.m_dLen;
    param.m_vecHeights = ds_heights_for_count(row.m_strH, kHeightSeparators, count);
    param.m_dAngle = row.m_dAngle;
    param.m_custom_note_items = row.m_custom_note_items;
    param.m_pSteelGroup = ds_first_steel_group(row.m_Steel_P0);
    return param;
}

/// "" when every height of the group is the same (exactly), "h" when they vary.
/// Comparing with the first height is the same as comparing the smallest
/// with the largest, and needs no sort.
CString height_label(const std::vector<DS_steel_pram_parameter>& params)
{
    const double* first = nullptr;
    for (const DS_steel_pram_parameter& param : params) {
        for (const double& height : param.m_vecHeights) {
            if (!first) first = &height;
            else if (!(height == *first)) return "h";
        }
    }
    return "";
}

void fill_record(VQDraw_DS_GJNA::DS_draw_data& record, const DS_ui_CSH_data& graph)
{
    const std::vector<DS_CSH_LB_Data>& rows = graph.m_csh_data;
    if (rows.empty()) return;
    ds_fill_drawset_fields(record, graph.m_gz_data.m_drawSet);

    const ds_csh_groups groups = ds_group_rows_by_size(rows);
    record.m_vecParamGroups.reserve(groups.size());
    record.m_vecHeightLabels.reserve(groups.size());
    for (const std::vector<ds_csh_group_member>& group : groups) {
        std::vector<DS_steel_pram_parameter>& params = record.m_vecParamGroups.emplace_back();
        params.reserve(group.size());
        for (const ds_csh_group_member& member : group) params.push_back(make_parameter(rows[member.row], member.count));
        record.m_vecHeightLabels.push_back(height_label(params));
    }

    // The dimension unit is a setting of the whole drawing: asked once, not per group.
    const CString unit_note = ds_csh_unit_note();
    record.m_vecGroupNotes.reserve(groups.size());
    for (const std::vector<ds_csh_group_member>& group : groups)
        record.m_vecGroupNotes.push_back(ds_csh_group_notes(rows, group, unit_note));
}

}  // namespace

std::shared_ptr<RXDSGNMOD::CRXComponent> DS_ui_CSH_drawing_strategy::GetComponent()
{
    const auto* graph = dynamic_cast<const DS_ui_CSH_data*>(get_graph_data());
    if (!graph) return {};
    auto record = std::make_shared<VQDraw_DS_GJNA::DS_draw_data>();
    auto copy = std::make_shared<DS_ui_CSH_data>(*graph);
    fill_record(*record, *copy);
    return ds_make_component(*record);
}

}  // namespace VQDraw_DS_UINA
