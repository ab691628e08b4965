// describe_draw_data: the record as lines of text.
#include "host/pedestal_design/ds_gj_draw_data_text.h"

#include "host/framework/common_string_tools.h"
#include "host/framework/string_tools.h"
#include "host/rebar/rx_component_steel_p0.h"

namespace VQDraw_DS_GJNA {

namespace {

using string_tools::num_to_string;

CString number_text(double value) { return num_to_string(value, 1, true); }
CString index_text(std::size_t index) { return num_to_string(static_cast<int>(index + 1)); }

CString rebar_text(const RXDSGNMOD::CRXComponentSteelP0* group)
{
    if (!group) return "无";
    return "有(" + group->GetGroupName() + "，" + num_to_string(static_cast<int>(group->GetBars().size())) + "种)";
}

CString parameter_text(const DS_steel_pram_parameter& param)
{
    CString line = "    " + param.m_strName + " 墩台号" + num_to_string(param.m_iPierNum);
    if (!param.m_strSupportType.IsEmpty()) line += " " + param.m_strSupportType;
    if (!param.m_strDSType.IsEmpty()) line += " 垫石类型" + param.m_strDSType;
    line += " 个数" + num_to_string(param.m_iCount);
    line += " 宽" + number_text(param.m_dWidth) + " 长" + number_text(param.m_dLength);
    line += " 高度[" + common_string_tools::Dbl_Vec_To_Str(param.m_vecHeights, 1) + "]";
    line += " 斜交角" + number_text(param.m_dAngle);
    if (!param.m_strPos.IsEmpty()) line += " 位置" + param.m_strPos;
    line += " 钢筋" + rebar_text(param.m_pSteelGroup) + "\n";
    return line;
}

CString group_text(const DS_draw_data& data, std::size_t g)
{
    CString text = "参数组" + index_text(g) + "：";
    // The label is shown as the strategy gave it: a single drawing gives none.
    if (g >= data.m_vecHeightLabels.size()) text += "无高度标注";
    else if (data.m_vecHeightLabels[g].IsEmpty()) text += "高度标注为空";
    else text += "高度标注" + data.m_vecHeightLabels[g];
    text += "\n";
    if (g < data.m_vecGroupNotes.size())
        for (std::size_t n = 0; n < data.m_vecGroupNotes[g].size(); ++n)
            text += "  附注" + index_text(n) + "：" + data.m_vecGroupNotes[g][n] + "\n";
    for (const DS_steel_pram_parameter& param : data.m_vecParamGroups[g]) text += parameter_text(param);
    return text;
}

}  // namespace

CString describe_draw_data(const DS_draw_data& data)
{
    CString text = "墩台名称：" + data.m_strPierName + "\n";
    text += "垫石编号：" + data.m_strDSNumber + "\n";
    text += "墩台类型：" + data.m_strSupportType + " 桥幅：" + data.m_strQF + " 墩台号：" + num_to_string(data.m_iPierNum) + "\n";
    text += "适用墩台数：" + num_to_string(data.m_iSelectedObjNum) + "\n";
    text += "比例：1:" + num_to_string(data.m_iScaleElevation) + " 1:" + num_to_string(data.m_iScalePlan) + " 1:" +
            num_to_string(data.m_iScaleDetail) + "\n";
    text += "混凝土类型：" + data.m_strConcreteType + "\n";
    text += "自定义附注：" + data.m_strCustomNote + "\n";
    text += "参数组数：" + num_to_string(static_cast<int>(data.m_vecParamGroups.size())) + "\n";
    for (std::size_t g = 0; g < data.m_vecParamGroups.size(); ++g) text += group_text(data, g);
    return text;
}

}  // namespace VQDraw_DS_GJNA
