// The structure reference of a single pedestal drawing: the host's reference
// facility hands it a pier or abutment drawing and selection conditions, and
// the drawing takes the selected pedestals' geometry.
#include "data/ds_ui_data.h"
#include "host/framework/common_string_tools.h"
#include "host/framework/message_output.h"
#include "host/framework/string_tools.h"
#include "host/math/vq_math.h"
#include "host/substructure/common_refrence_tools.h"
#include "reference/ds_reference_conditions.h"

namespace VQDraw_DS_UINA {

namespace {
CString condition_or_default(const std::map<CString, CString>& conditions, const char* key)
{
    const auto it = conditions.find(key);
    return it == conditions.end() ? CString("1") : it->second;
}

CString position_text(double position)
{
    if (VQPD_Base_Tools_NA::IsDoubleMin(position, 0.0)) return "小桩号侧";
    if (VQPD_Base_Tools_NA::IsDoubleMax(position, 0.0)) return "大桩号侧";
    return "";
}
}  // namespace

bool DS_ui_data::get_ref_structure_data(const drawing_graph_data_base* ref, const std::map<CString, CString>& conditions)
{
    const auto* structure = dynamic_cast<const xbjg_graph_data_base*>(ref);
    if (!structure) return false;

    common_gj_data_drawset& drawset = m_draw_data.m_drawSet.com_drawset;
    structure->transform_to_common_drawset(drawset, "");
    drawset.m_strCompType = structure->Get_Type() != 0 ? "桥台" : "桥墩";

    std::vector<ds_gz_data> pedestals;
    structure->Get_DS(pedestals);
    if (pedestals.empty()) return false;

    const CString row_text = condition_or_default(conditions, "垫石排号");
    const CString number_text = condition_or_default(conditions, "垫石编号");
    const std::vector<int> rows = common_string_tools::Get_IntVec_From_strNum(row_text);
    const std::vector<int> numbers = common_string_tools::Get_IntVec_From_strNum(number_text);
    if (rows.empty() || numbers.empty()) return false;

    single_part_gj_merge_info info;
    info.m_strRows = row_text;
    info.m_strNums = number_text;
    drawset.m_merge_infos.push_back(info);

    const auto selected = ds_select_pedestals(ds_split_pedestal_rows(pedestals, rows), rows, numbers);
    if (selected.empty()) {
        _impl_app_print_plan_info(1, 1, "不存在符合构造引用条件的垫石，请检查！");
        return false;
    }

    DS_GZ_Gen& gz = m_draw_data.m_gz;
    const ds_gz_data& first = selected.front();
    gz.m_dSlope = first.m_dAngle;
    gz.strHei = string_tools::num_to_string(first.m_dHeight, 6, false);
    gz.m_dWidth = first.m_dWidth;
    gz.m_dLenth = first.m_dLength;
    gz.m_iCount = static_cast<int>(selected.size());
    m_draw_data.m_drawSet.m_DS_number = "";
    gz.strPos = position_text(first.m_dPos);
    return true;
}

std::vector<CString> DS_ui_data::get_all_can_ref_gz_types() const
{
    // The host's type lists do not change while it runs: fetch each once.
    static const std::vector<CString> abutment_types = common_refrence_tools::Get_All_QT_Type_Names();
    static const std::vector<CString> pier_types = common_refrence_tools::Get_All_QD_Type_Names();
    std::vector<CString> types = abutment_types;
    types.insert(types.end(), pier_types.begin(), pier_types.end());
    return types;
}

void DS_ui_data::back_fill_steel_data_to_user_grid(std::map<CString, CString>& row) const
{
    const DS_GZ_Gen& gz = m_draw_data.m_gz;
    const common_gj_data_drawset& drawset = m_draw_data.m_drawSet.com_drawset;
    row["横桥向宽度"] = string_tools::num_to_string(gz.m_dWidth, 6, false);
    row["顺桥向长度"] = string_tools::num_to_string(gz.m_dLenth, 6, false);
    row["垫石高度"] = gz.strHei;
    row["侧边线夹角"] = string_tools::num_to_string(gz.m_dSlope, 6, false);
    row["墩台类型"] = drawset.m_strCompType;
    row["桥幅名称"] = drawset.m_strQF;
    row["墩台编号"] = string_tools::num_to_string(drawset.m_iPierNum);
    if (drawset.m_merge_infos.empty()) return;
    row["垫石排号"] = drawset.m_merge_infos.back().m_strRows;
    row["垫石编号"] = drawset.m_merge_infos.back().m_strNums;
}

}  // namespace VQDraw_DS_UINA
