// Behaviour of the host's node base classes. Operations that a derived drawing
// does not override do something harmless: they report "nothing here".
#include "host/framework/data_node_base.h"
#include "host/framework/ds_gz_data.h"
#include "host/framework/drawing_graph_data_base.h"
#include "host/framework/graph_data_base.h"
#include "host/framework/parameters_graph_data_base.h"
#include "host/framework/serialization_guard.h"
#include "host/framework/user_defaults.h"
#include "host/framework/xbjg_graph_data_base.h"

IMPLEMENT_HOST_DYNAMIC(data_node_base, CObject)
IMPLEMENT_HOST_DYNAMIC(graph_data_base, data_node_base)
IMPLEMENT_HOST_DYNAMIC(drawing_graph_data_base, graph_data_base)
IMPLEMENT_HOST_DYNAMIC(xbjg_graph_data_base, drawing_graph_data_base)
IMPLEMENT_HOST_DYNAMIC(parameters_graph_data_base, graph_data_base)
IMPLEMENT_HOST_DYNAMIC(xbjg_parameters_graph_data_base, parameters_graph_data_base)

// ---- data_node_base -------------------------------------------------------

void data_node_base::serialize_children(member_rw_interface&) {}
void data_node_base::set_default_value() {}

void data_node_base::copy(const data_node_base& source, bool copy_tag)
{
    m_node_name = source.m_node_name;
    if (copy_tag) m_node_tag = source.m_node_tag;
}

bool data_node_base::is_equal(const data_node_base* other) const
{
    return other && other->GetRuntimeClass() == GetRuntimeClass() && other->m_node_name == m_node_name;
}

bool data_node_base::query_property_value(const CString&, CString&) const { return false; }
bool data_node_base::invoke_property_value(const CString&, const CString&) { return false; }
int data_node_base::recycle_node_when_children_nothing_to_do_type() const { return 0; }
bool data_node_base::get_custom_prop(std::map<CString, CString>& props) const
{
    props.clear();
    return false;
}
bool data_node_base::get_experience_design_custom_data(std::map<CString, CString>& data) const
{
    data.clear();
    return false;
}

// The tag and the name travel with the project file's node entry, not here.
void data_node_base::serialize_members(member_rw_interface&) {}

// ---- graph_data_base ------------------------------------------------------

bool graph_data_base::compare_graph_data(const graph_data_base* other, std::vector<CString>&) const
{
    return other && other->GetRuntimeClass() == GetRuntimeClass();
}

void graph_data_base::copy(const data_node_base& source, bool copy_tag)
{
    data_node_base::copy(source, copy_tag);
    if (auto* graph = dynamic_cast<const graph_data_base*>(&source))
        m_external_reference_tag = graph->m_external_reference_tag;
}

void graph_data_base::serialize_members(member_rw_interface& stream)
{
    data_node_base::serialize_members(stream);
    stream.serialize("external_reference_tag", m_external_reference_tag);
}

bool graph_data_base::set_custom_default_value() { return user_defaults::apply(*this); }

CString graph_data_base::get_graph_real_type_name() const { return GetRuntimeClass()->m_lpszClassName; }

void graph_data_base::set_external_reference_tag(const CString& tag, bool) { m_external_reference_tag = tag; }

// ---- drawing_graph_data_base ----------------------------------------------

bool drawing_graph_data_base::get_steel_data_from_gz(std::vector<const steel_data*>& steels) const
{
    steels.clear();
    return false;
}
std::vector<const steel_data*> drawing_graph_data_base::get_steel_data() const { return {}; }
bool drawing_graph_data_base::get_ref_parts_parameters(std::map<CString, CString>& params) const
{
    params.clear();
    return false;
}
bool drawing_graph_data_base::get_ref_structure_data(const drawing_graph_data_base*, const std::map<CString, CString>&)
{
    return false;
}
std::vector<CString> drawing_graph_data_base::get_all_can_ref_gz_types() const { return {}; }
void drawing_graph_data_base::back_fill_steel_data_to_user_grid(std::map<CString, CString>&) const {}
void drawing_graph_data_base::get_exp_comp_graph_output_paper_list(std::vector<CString>& papers) const { papers.clear(); }

void drawing_graph_data_base::copy(const data_node_base& source, bool copy_tag)
{
    graph_data_base::copy(source, copy_tag);
    if (auto* drawing = dynamic_cast<const drawing_graph_data_base*>(&source)) m_delete_flag = drawing->m_delete_flag;
}

void drawing_graph_data_base::serialize_members(member_rw_interface& stream)
{
    graph_data_base::serialize_members(stream);
    stream.serialize("delete_flag", m_delete_flag);
}

// ---- xbjg_graph_data_base -------------------------------------------------

namespace {
template <class T>
bool no_parts(std::vector<T>& parts)
{
    parts.clear();
    return false;
}
}  // namespace

int xbjg_graph_data_base::Get_Type() const { return 0; }
bool xbjg_graph_data_base::Get_DS(std::vector<ds_gz_data>& pedestals) const { return no_parts(pedestals); }
bool xbjg_graph_data_base::Get_DK(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_Mat(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_JC(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_QD_Drawset(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_QD_GL(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_QD_Pier(std::vector<pier_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_QD_Pier(std::vector<cap_beam_pier_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_QT_drawset(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_QT_info_data(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_QT_zt_data(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_QT_BQ_data(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_QT_ML_data(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_QT_QQ_data(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_QT_CQ_data(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_QT_EQ_data(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_QT_DTB_data(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Get_QT_LB(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_graph_data_base::Is_QSD() const { return false; }
bool xbjg_graph_data_base::Get_GZ_UI_Data_for_Steel(std::vector<substructure_part>& parts) const
{
    return no_parts(parts);
}

void xbjg_graph_data_base::copy(const data_node_base& source, bool copy_tag)
{
    drawing_graph_data_base::copy(source, copy_tag);
    if (auto* xbjg = dynamic_cast<const xbjg_graph_data_base*>(&source)) m_info = xbjg->m_info;
}

// The base part lives under its own key so it can never clash with a derived
// node's "version".
void xbjg_graph_data_base::serialize_members(member_rw_interface& stream)
{
    const CString key = "xbjg_graph_data_base";
    stream.mark(key, x_mark_object_begin);
    {
        x_object_flag_serialization_guard guard(key, stream);
        int version = 1;
        stream.serialize("version", version);
        drawing_graph_data_base::serialize_members(stream);
        stream.serialize("type_name", m_info.type_name);
        stream.serialize("bridge_part", m_info.bridge_part);
        stream.serialize("number", m_info.number);
        stream.serialize("concrete_type", m_info.concrete_type);
        stream.serialize("scale", m_info.scale);
    }
    stream.mark(key, x_mark_object_end);
}

// ---- parametric bases -----------------------------------------------------

bool parameters_graph_data_base::split_csh_to_single_graph(std::vector<drawing_graph_data_base*>&) const
{
    return false;
}
std::vector<std::vector<data_node_base*>> parameters_graph_data_base::set_merge_filter_datas(
    const CString&, const std::vector<data_node_base*>&) const
{
    return {};
}
void parameters_graph_data_base::set_reference_filter(const std::map<CString, CString>& filter)
{
    m_reference_filter = filter;
}
void parameters_graph_data_base::set_reference_datas(const std::vector<data_node_base*>&) {}
bool parameters_graph_data_base::Convert_OtherP0s_To_GZs() { return false; }

void parameters_graph_data_base::copy(const data_node_base& source, bool copy_tag)
{
    graph_data_base::copy(source, copy_tag);
    if (auto* params = dynamic_cast<const parameters_graph_data_base*>(&source))
        m_reference_filter = params->m_reference_filter;
}

void parameters_graph_data_base::serialize_members(member_rw_interface& stream)
{
    graph_data_base::serialize_members(stream);
}

int xbjg_parameters_graph_data_base::Get_Type() const { return 0; }
bool xbjg_parameters_graph_data_base::Get_Drawset(std::vector<substructure_part>& parts) const
{
    return no_parts(parts);
}
bool xbjg_parameters_graph_data_base::Get_GLs(std::vector<substructure_part>& parts) const { return no_parts(parts); }
bool xbjg_parameters_graph_data_base::Get_Piers(std::vector<pier_part>& parts) const { return no_parts(parts); }
bool xbjg_parameters_graph_data_base::Get_Piers(std::vector<cap_beam_pier_part>& parts) const
{
    return no_parts(parts);
}
bool xbjg_parameters_graph_data_base::Get_JCs(std::vector<substructure_part>& parts) const { return no_parts(parts); }

void xbjg_parameters_graph_data_base::copy(const data_node_base& source, bool copy_tag)
{
    parameters_graph_data_base::copy(source, copy_tag);
}

void xbjg_parameters_graph_data_base::serialize_members(member_rw_interface& stream)
{
    const CString key = "xbjg_parameters_graph_data_base";
    stream.mark(key, x_mark_object_begin);
    {
        x_object_flag_serialization_guard guard(key, stream);
        int version = 1;
        stream.serialize("version", version);
        parameters_graph_data_base::serialize_members(stream);
    }
    stream.mark(key, x_mark_object_end);
}
