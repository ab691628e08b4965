// Rows of the parameter and quantity tables, and the notes of a sheet.
#include "host/drawing_lib/sheet_tables.h"

#include <algorithm>

#include "host/drawing_lib/rx_component.h"
#include "host/drawing_lib/text_metrics.h"
#include "host/framework/string_tools.h"

namespace VQDraw_DS_GJNA {

namespace {

using string_tools::num_to_string;
using ds_sheet::number_text;

constexpr double table_text = 2.5;
constexpr double heights_column = 24.0;
/// Start of the unit note the strategies write; a group's notes holding it need no other.
constexpr const char* unit_note_start = "本图尺寸";

CString support_number(const DS_steel_pram_parameter& param)
{
    CString text = num_to_string(param.m_iPierNum) + "号";
    if (param.m_strSupportType.Find("墩") >= 0) text += "墩";
    else if (param.m_strSupportType.Find("台") >= 0) text += "台";
    return text;
}

CString heights_text(const std::vector<double>& heights)
{
    if (heights.empty()) return "-";
    CString listed;
    for (std::size_t i = 0; i < heights.size(); ++i) {
        listed += (i ? "," : "") + number_text(heights[i]);
        if (ds_sheet::text_width(listed, table_text) > heights_column - 1.0) break;
    }
    if (ds_sheet::text_width(listed, table_text) <= heights_column - 1.0) return listed;
    const auto [least, most] = std::minmax_element(heights.begin(), heights.end());
    return number_text(*least) + "~" + number_text(*most);
}

}  // namespace

CString diameter_text(double diameter) { return "Φ" + number_text(diameter); }

table_content parameter_table(const std::vector<DS_steel_pram_parameter>& group, const CString& height_label)
{
    table_content table{"垫石参数表",
                        {24.0, 15.0, 14.0, 20.0, 11.0, 15.0, 15.0, heights_column, 17.0},
                        {"桥幅/墩台", "墩台号", "类型", "位置", "个数", "宽(mm)", "长(mm)",
                         height_label.IsEmpty() ? CString("高(mm)") : "高" + height_label + "(mm)", "斜交角(°)"},
                        {}};
    table.rows.reserve(group.size());
    for (const DS_steel_pram_parameter& p : group)
        table.rows.push_back({p.m_strName, support_number(p), p.m_strDSType.IsEmpty() ? CString("-") : p.m_strDSType,
                              p.m_strPos.IsEmpty() ? CString("-") : p.m_strPos, num_to_string(p.m_iCount),
                              number_text(p.m_dWidth), number_text(p.m_dLength), heights_text(p.m_vecHeights),
                              number_text(p.m_dAngle)});
    return table;
}

table_content quantity_table(const group_quantities& q, const CString& concrete_grade)
{
    table_content table{"工程数量表",
                        {16.0, 28.0, 24.0, 22.0, 30.0, 35.0},
                        {"编号", "规格", "单根长(mm)", "根数", "总长(m)", "重量(kg)"},
                        {}};
    for (const bar_quantity& bar : q.bars)
        table.rows.push_back({bar.mark, bar.grade + " " + diameter_text(bar.diameter), number_text(bar.one_length),
                              CString(std::to_string(bar.count)), number_text(bar.total_length, 2),
                              number_text(bar.weight, 2)});
    for (const diameter_total& total : q.totals)
        table.rows.push_back({"合计", diameter_text(total.diameter), "", "", "", number_text(total.weight, 2)});
    table.rows.push_back({"钢筋总重", "", "", "", "", number_text(q.steel_weight, 2)});
    table.rows.push_back({"混凝土", concrete_grade.IsEmpty() ? CString("-") : concrete_grade, "", "", "体积(立方米)",
                          number_text(q.concrete_volume, 3)});
    return table;
}

std::vector<CString> sheet_notes(const DS_draw_data& data, std::size_t group)
{
    std::vector<CString> notes;
    if (group < data.m_vecGroupNotes.size()) notes = data.m_vecGroupNotes[group];
    const bool stated = std::any_of(notes.begin(), notes.end(), [](const CString& n) { return n.Find(unit_note_start) == 0; });
    if (!stated) {
        const bool cm = RXDSGNMOD::GetDimmeasureScaleStr(true, 0.0) == "cm";
        notes.insert(notes.begin(), cm ? "本图尺寸除钢筋直径以毫米计外，余均以厘米计" : "本图尺寸除钢筋直径以毫米计外，余均以毫米计");
    }
    if (!data.m_strCustomNote.IsEmpty()) notes.push_back(data.m_strCustomNote);
    for (std::size_t i = 0; i < notes.size(); ++i) notes[i] = num_to_string(static_cast<int>(i + 1)) + ". " + notes[i];
    return notes;
}

}  // namespace VQDraw_DS_GJNA
