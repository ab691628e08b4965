// Rows of a parametric pedestal drawing from the merge information of single drawings.
#include "methods/ds_csh_row_builder.h"

#include <climits>

#include "host/framework/common_string_tools.h"
#include "host/framework/data_center.h"

namespace VQDraw_DS_UINA {

namespace {

/// A row carrying the source's pedestal: size, height, position, pedestal
/// number as type, notes and rebar. The single drawing's own pedestal count
/// is not taken: a row counts the pedestals of its merge record.
DS_CSH_LB_Data row_from_single_graph(const DS_ui_data& source, const single_part_gj_merge_info& info)
{
    const DS_draw_data& data = source.m_draw_data;
    DS_CSH_LB_Data row;
    row.m_strType = data.m_drawSet.m_DS_number;
    row.m_strH = data.m_gz.strHei;
    row.m_dWid = data.m_gz.m_dWidth;
    row.m_dLen = data.m_gz.m_dLenth;
    row.m_dAngle = data.m_gz.m_dSlope;
    row.m_strPos = data.m_gz.strPos;
    row.m_custom_note_items = data.m_drawSet.com_drawset.m_custom_note_items;
    row.m_Steel_P0 = data.m_Steel_P0;
    row.m_Type = info.m_strType;
    row.m_strQF = info.m_strQF;
    return row;
}

/// Pedestals per pier or abutment: numbers within a row times rows. Kept
/// within int for absurdly long number texts.
int pedestal_count(const single_part_gj_merge_info& info)
{
    const auto rows = common_string_tools::Get_IntVec_From_strNum(info.m_strRows).size();
    const auto numbers = common_string_tools::Get_IntVec_From_strNum(info.m_strNums).size();
    if (rows != 0 && numbers > static_cast<std::size_t>(INT_MAX) / rows) return INT_MAX;
    return static_cast<int>(rows * numbers);
}

}  // namespace

void ds_append_rows_from_merge_info(DS_ui_CSH_data& target, const DS_ui_data& source,
                                    const single_part_gj_merge_info& info)
{
    DS_CSH_LB_Data row = row_from_single_graph(source, info);

    // With several sources the last one processed sets the drawing's look.
    const common_gj_data_drawset& from = source.m_draw_data.m_drawSet.com_drawset;
    common_gj_data_drawset& to = target.m_gz_data.m_drawSet.com_drawset;
    to.m_iScale = from.m_iScale;
    to.m_strConcreteType = from.m_strConcreteType;
    to.m_strCustomNote = from.m_strCustomNote;

    if (row.m_strQF.IsEmpty() && info.m_strPierNums.IsEmpty()) {
        row.m_iNum = 0;
        row.m_iCount = 1;
        target.m_csh_data.push_back(row);
    } else {
        row.m_iCount = pedestal_count(info);
        for (int number : common_string_tools::Get_IntVec_From_strNum(info.m_strPierNums)) {
            row.m_iNum = number;
            target.m_csh_data.push_back(row);
        }
    }
    target.m_is_merge = true;
}

void ds_append_rows_from_single_graphs(DS_ui_CSH_data& target, const std::vector<CString>& graphs)
{
    for (const CString& graph : graphs) {
        const auto* source = dynamic_cast<const DS_ui_data*>(data_center::get_data_node(graph));
        if (!source) continue;
        for (const single_part_gj_merge_info& info : source->m_draw_data.m_drawSet.com_drawset.m_merge_infos)
            ds_append_rows_from_merge_info(target, *source, info);
    }
}

}  // namespace VQDraw_DS_UINA
