// DS_ui_data: the single pedestal drawing node's copying, defaults, comparison,
// rebar hand-out and stored layout.
#include "data/ds_ui_data.h"

#include "data/ds_stream_helpers.h"
#include "host/framework/common_string_tools.h"
#include "host/framework/serialization_guard.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_data, xbjg_graph_data_base)

DS_ui_data::DS_ui_data() : ref_Type("自定义") {}

DS_ui_data::DS_ui_data(const DS_ui_data& other)
    : xbjg_graph_data_base(other),
      ref_Type(other.ref_Type),
      refrence_graph_name(other.refrence_graph_name),
      ref_DS_Num(other.ref_DS_Num),
      m_draw_data(other.m_draw_data)
{
}

DS_ui_data& DS_ui_data::operator=(const DS_ui_data& other)
{
    if (this == &other) return *this;
    xbjg_graph_data_base::operator=(other);
    ref_Type = other.ref_Type;
    refrence_graph_name = other.refrence_graph_name;
    ref_DS_Num = other.ref_DS_Num;
    m_draw_data = other.m_draw_data;
    return *this;
}

DS_ui_data::~DS_ui_data() = default;

void DS_ui_data::set_default_value()
{
    if (set_custom_default_value()) return;
    ref_Type = "自定义";
    refrence_graph_name = "";
    ref_DS_Num = "1";
    m_draw_data.set_default_value();
}

void DS_ui_data::copy(const data_node_base& source, bool copy_tag)
{
    xbjg_graph_data_base::copy(source, copy_tag);
    const auto* other = dynamic_cast<const DS_ui_data*>(&source);
    if (!other) return;
    ref_Type = other->ref_Type;
    refrence_graph_name = other->refrence_graph_name;
    ref_DS_Num = other->ref_DS_Num;
    m_draw_data = other->m_draw_data;
}

bool DS_ui_data::compare_graph_data(const graph_data_base* other, std::vector<CString>& lines) const
{
    const auto* that = dynamic_cast<const DS_ui_data*>(other);
    if (!that) return false;
    const std::size_t before = lines.size();
    using common_string_tools::Get_Unmatched_String;
    Get_Unmatched_String("外部引用：", that->ref_Type, ref_Type, lines);
    Get_Unmatched_String("引用构件的图纸名称：", that->refrence_graph_name, refrence_graph_name, lines);
    Get_Unmatched_String("引用的垫石序号：", that->ref_DS_Num, ref_DS_Num, lines);
    m_draw_data.compare(&that->m_draw_data, lines);
    return lines.size() == before;
}

std::vector<const steel_data*> DS_ui_data::get_steel_data() const { return {&m_draw_data.m_Steel_P0}; }

void DS_ui_data::serialize_members(member_rw_interface& stream)
{
    x_object_flag_serialization_guard guard("DS_ui_data", stream);
    xbjg_graph_data_base::serialize_members(stream);
    int version = 1;
    stream.serialize("version", version);
    if (version != 1) return;  // a layout this program does not know: keep the members
    stream.serialize("ref_Type", ref_Type);
    stream.serialize("refrence_graph_name", refrence_graph_name);
    stream.serialize("ref_DS_Num", ref_DS_Num);
    ds_serialize_nested(stream, "m_draw_data", m_draw_data);
}

}  // namespace VQDraw_DS_UINA
