// What a pier or abutment drawing hands to the parts that stand on it: its
// shared drawing settings, and the count of structures a merge list serves.

#include "host/framework/common_string_tools.h"
#include "host/framework/xbjg_graph_data_base.h"
#include "host/substructure/common_gj_data_drawset.h"

namespace {
/// The note a part drawing carries about its concrete, e.g. "垫石采用C40混凝土。".
custom_note_item part_concrete_note(const CString& part_name, const CString& concrete_type)
{
    return {"混凝土", part_name + "采用" + concrete_type + "混凝土。"};
}
}  // namespace

// Every shared setting of the structure goes over as it is: identity, concrete,
// scale, cover and custom note, so a part drawing built from a pier draws with
// the pier's look (a parametric drawing copies the whole set, and a cover left
// at 0 would turn the standard note into "0mm"). A named part (the pedestal
// module passes "垫石") also gets the structure's notes for that part: its
// custom note items become the one concrete note of the part, replacing what
// they held. An empty part name leaves the note items alone. The
// merge-information list is never touched: it records which structures the
// part drawing serves, and only the part drawing appends to it.
void xbjg_graph_data_base::transform_to_common_drawset(common_gj_data_drawset& drawset, const CString& part_name) const
{
    drawset.m_strCompType = Get_Type() == 0 ? "桥墩" : "桥台";
    drawset.m_strQF = m_info.bridge_part;
    drawset.m_iPierNum = m_info.number;
    drawset.m_strConcreteType = m_info.concrete_type;
    drawset.m_iScale = m_info.scale;
    drawset.m_dCover = m_info.cover;
    drawset.m_strCustomNote = m_info.custom_note;
    if (!part_name.IsEmpty()) drawset.m_custom_note_items = {part_concrete_note(part_name, m_info.concrete_type)};
}

// The abutment record carries no notes, so the part name changes nothing here.
void xbjg_graph_data_base::transform_to_common_drawset(qt_data_gj_drawset& drawset, const CString&) const
{
    drawset.m_strQTType = m_info.type_name;
    drawset.m_strQF = m_info.bridge_part;
    drawset.m_iPierNum = m_info.number;
    drawset.m_strConcreteType = m_info.concrete_type;
    drawset.m_iScale = m_info.scale;
}

// Every record counts the numbers its number text lists, repeats included, and
// the records' counts add up: a drawing serving "1~3" and "5" serves four.
int xbjg_graph_data_base::Get_Selected_Obj_Num(const std::vector<single_part_gj_merge_info>& infos)
{
    int count = 0;
    for (const single_part_gj_merge_info& info : infos)
        count += static_cast<int>(common_string_tools::Get_IntVec_From_strNum(info.m_strPierNums).size());
    return count;
}
