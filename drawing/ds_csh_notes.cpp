// Drawing notes of one size group of a parametric pedestal drawing.
#include "drawing/ds_csh_notes.h"

#include <algorithm>
#include <optional>

#include "host/drawing_lib/rx_component.h"
#include "host/framework/common_string_tools.h"
#include "host/framework/string_tools.h"

namespace VQDraw_DS_UINA {

namespace {

constexpr const char* no_position = "NO";

CString applicability_note(const CString& text) { return text.IsEmpty() ? CString() : "本图适用于" + text; }

/// The note an item with an empty text stands for; none for a key that names none.
std::optional<CString> keyed_note(const CString& key, const CString& unit_note, const CString& applicability)
{
    if (key == "单位描述") return unit_note;
    if (key == "垫石顶面描述") return CString("施工时必须保证支座垫石顶面水平");
    if (key == "施工调整描述")
        return CString("墩台帽梁施工时应注意预埋支座垫石钢筋;若支座垫石钢筋与帽梁钢筋发生干扰,可适当移动支座垫石钢筋");
    if (key == "支座预埋件描述") return CString("施工时注意埋设支座预埋件，支座型号及构造详见相关设计图册");
    if (key == "适用墩台描述") return applicability;
    return std::nullopt;
}

std::vector<CString> custom_notes(const DS_CSH_LB_Data& row, const CString& unit_note, const CString& applicability)
{
    std::vector<CString> notes;
    for (const auto& [key, text] : row.m_custom_note_items) {
        if (!text.IsEmpty()) notes.push_back(text);
        else if (std::optional<CString> note = keyed_note(key, unit_note, applicability)) notes.push_back(*note);
    }
    return notes;
}

/// The first row of the group that has custom note items, or null.
const DS_CSH_LB_Data* first_row_with_items(const std::vector<DS_CSH_LB_Data>& rows,
                                           const std::vector<ds_csh_group_member>& group)
{
    for (const ds_csh_group_member& member : group)
        if (!rows[member.row].m_custom_note_items.empty()) return &rows[member.row];
    return nullptr;
}

CString position_part(const CString& position)
{
    return position.IsEmpty() || position.Find(';') >= 0 ? CString(no_position) : position;
}

std::vector<int> sorted_distinct(std::vector<int> numbers)
{
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

}  // namespace

CString ds_csh_kind_text(const std::vector<DS_CSH_LB_Data>& rows, const std::vector<ds_csh_group_member>& group)
{
    bool pier = false;
    bool abutment = false;
    for (const ds_csh_group_member& member : group) {
        pier = pier || rows[member.row].m_Type.Find("墩") >= 0;
        abutment = abutment || rows[member.row].m_Type.Find("台") >= 0;
    }
    if (!pier && !abutment) return "墩台";
    return CString(pier ? "墩" : "") + (abutment ? "台" : "");
}

ds_csh_applicability_map ds_csh_applicability_map_of(const std::vector<DS_CSH_LB_Data>& rows,
                                                     const std::vector<ds_csh_group_member>& group)
{
    ds_csh_applicability_map map;
    for (const ds_csh_group_member& member : group) {
        const DS_CSH_LB_Data& row = rows[member.row];
        map[position_part(row.m_strPos) + "," + row.m_strQF].push_back(row.m_iNum);
    }
    return map;
}

CString ds_csh_applicability_text(const ds_csh_applicability_map& map, const CString& kind)
{
    CString text;
    CString bridge_part;
    std::size_t entry = 0;
    for (auto it = map.begin(); it != map.end(); ++it, ++entry) {
        const std::vector<CString> parts = string_tools::split_string(it->first, " ,;");
        if (parts.size() != 2 || parts[1].IsEmpty()) continue;
        if (bridge_part.IsEmpty() || bridge_part != parts[1]) {
            text += parts[1];
            bridge_part = parts[1];
        }
        text += merge_number_tool::Get_Vector_Int_Merge_Num(sorted_distinct(it->second), "、");
        text += "号";
        text += kind;
        if (parts[0] != no_position) text += parts[0];
        if (entry != map.size() - 1) text += ",";
    }
    return text;
}

CString ds_csh_unit_note()
{
    return RXDSGNMOD::GetDimmeasureScaleStr(true, 0.0) == "cm" ? "本图尺寸除钢筋直径以毫米计外，余均以厘米计"
                                                              : "本图尺寸除钢筋直径以毫米计外，余均以毫米计";
}

std::vector<CString> ds_csh_group_notes(const std::vector<DS_CSH_LB_Data>& rows,
                                        const std::vector<ds_csh_group_member>& group, const CString& unit_note)
{
    const CString kind = ds_csh_kind_text(rows, group);
    const CString applicability = applicability_note(ds_csh_applicability_text(ds_csh_applicability_map_of(rows, group), kind));
    if (const DS_CSH_LB_Data* custom = first_row_with_items(rows, group))
        return custom_notes(*custom, unit_note, applicability);
    std::vector<CString> notes{unit_note};
    if (!applicability.IsEmpty()) notes.push_back(applicability);
    return notes;
}

}  // namespace VQDraw_DS_UINA
