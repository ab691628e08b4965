// The parametric pedestal drawing: defaults, stored layout, difference lines,
// rows from referenced piers and abutments, and grouping of candidates by size.
#include "data/ds_ui_csh_data.h"

#include <algorithm>

#include "data/ds_csh_size_groups.h"
#include "data/ds_stream_helpers.h"
#include "host/framework/common_string_tools.h"
#include "host/framework/serialization_guard.h"
#include "host/framework/string_tools.h"
#include "host/framework/xbjg_graph_data_base.h"
#include "host/math/vq_math.h"
#include "host/substructure/common_gj_data_drawset.h"
#include "host/substructure/ds_gz_data.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_CSH_data, xbjg_parameters_graph_data_base)

DS_ui_CSH_data::DS_ui_CSH_data() = default;
DS_ui_CSH_data::DS_ui_CSH_data(const DS_ui_CSH_data& other) = default;
DS_ui_CSH_data& DS_ui_CSH_data::operator=(const DS_ui_CSH_data& other) = default;
DS_ui_CSH_data::~DS_ui_CSH_data() = default;

void DS_ui_CSH_data::set_default_value()
{
    if (set_custom_default_value()) return;
    m_gz_data.set_default_value();
    m_csh_name.set_default_value();
    DS_CSH_LB_Data row;
    row.set_default_value();
    m_csh_data.push_back(row);
    m_is_merge = false;
}

void DS_ui_CSH_data::serialize_members(member_rw_interface& stream)
{
    x_object_flag_serialization_guard guard("DS_ui_CSH_data", stream);
    xbjg_parameters_graph_data_base::serialize_members(stream);
    int version = 1;
    stream.serialize("version", version);
    if (version != 1) return;  // a layout this program does not know: keep the members
    ds_serialize_nested(stream, "m_gz_data", m_gz_data);
    ds_serialize_nested(stream, "m_csh_name", m_csh_name);
    ds_serialize_record_list(stream, "m_csh_data", m_csh_data);
    stream.serialize("m_is_merge", m_is_merge);
}

bool DS_ui_CSH_data::compare_graph_data(const graph_data_base* other, std::vector<CString>& lines) const
{
    const auto* that = dynamic_cast<const DS_ui_CSH_data*>(other);
    if (!that) return false;
    const std::size_t before = lines.size();
    m_gz_data.compare(&that->m_gz_data, lines);
    m_csh_name.compare(&that->m_csh_name, lines);
    const std::size_t rows = std::min(m_csh_data.size(), that->m_csh_data.size());
    for (std::size_t i = 0; i < rows; ++i) m_csh_data[i].compare(&that->m_csh_data[i], lines);
    common_string_tools::Get_Unmatched_String("是否为合并成的数据：", that->m_is_merge, m_is_merge, lines, 0);
    return lines.size() == before;
}

namespace {

/// "墩" when every referenced structure was a pier, "台" when every one was
/// an abutment, "墩台" otherwise. Only neighbouring repeats collapse, so a
/// pier, an abutment and a pier again count as mixed.
CString support_kind_text(std::vector<int> kinds)
{
    kinds.erase(std::unique(kinds.begin(), kinds.end()), kinds.end());
    if (kinds.size() != 1) return "墩台";
    return kinds.front() == 0 ? "墩" : "台";
}

/// One number when every pedestal has the same height, else the list of heights.
CString height_text(const std::vector<ds_gz_data>& pedestals)
{
    std::vector<double> heights;
    for (const ds_gz_data& pedestal : pedestals) heights.push_back(pedestal.m_dHeight);
    const bool uniform = std::all_of(heights.begin(), heights.end(),
                                     [&](double h) { return VQMATH::IsDoubleEqual(h, heights.front()); });
    if (uniform) heights.resize(1);
    return common_string_tools::Dbl_Vec_To_Str(heights, 1);
}

/// The row of one referenced structure. A pier hands over its whole shared
/// settings; an abutment's settings are of another kind, so only its concrete
/// type is taken. Either way the drawing stays at the pedestal scale. Size,
/// angle, position, type, notes and rebar of the row stay the constructor's.
DS_CSH_LB_Data reference_row(const xbjg_graph_data_base& structure, const std::vector<ds_gz_data>& pedestals,
                             common_gj_data_drawset& drawset)
{
    DS_CSH_LB_Data row;
    if (structure.Get_Type() == 0) {
        common_gj_data_drawset pier;
        structure.transform_to_common_drawset(pier, "垫石");
        row.m_strQF = pier.m_strQF;
        row.m_iNum = pier.m_iPierNum;
        drawset = pier;
    } else {
        qt_data_gj_drawset abutment;
        structure.transform_to_common_drawset(abutment, "垫石");
        row.m_strQF = abutment.m_strQF;
        row.m_iNum = abutment.m_iPierNum;
        drawset.m_strConcreteType = abutment.m_strConcreteType;
    }
    drawset.m_iScale = 10;
    row.m_iCount = static_cast<int>(pedestals.size());
    row.m_strH = height_text(pedestals);
    return row;
}

}  // namespace

void DS_ui_CSH_data::set_reference_datas(const std::vector<data_node_base*>& nodes)
{
    if (nodes.empty()) return;
    m_csh_data.clear();
    std::vector<int> kinds;
    ds_gz_data first_pedestal;
    bool first_taken = false;

    for (data_node_base* node : nodes) {
        const auto* structure = dynamic_cast<const xbjg_graph_data_base*>(node);
        if (!structure) continue;
        std::vector<ds_gz_data> pedestals;
        structure->Get_DS(pedestals);
        if (pedestals.empty()) continue;
        if (!first_taken) {
            first_pedestal = pedestals.front();
            first_taken = true;
        }
        kinds.push_back(structure->Get_Type());
        m_csh_data.push_back(reference_row(*structure, pedestals, m_gz_data.m_drawSet.com_drawset));
    }

    // The shared size is the first pedestal's, or an empty pedestal's when none was found.
    DS_GZ_Gen& gz = m_gz_data.m_gz;
    gz.m_dWidth = first_pedestal.m_dWidth;
    gz.m_dLenth = first_pedestal.m_dLength;
    gz.strHei = string_tools::num_to_string(first_pedestal.m_dHeight, 6, false);
    gz.m_dSlope = first_pedestal.m_dAngle;
    m_gz_data.m_drawSet.m_strMergeNum = support_kind_text(std::move(kinds));
}

std::vector<std::vector<data_node_base*>> DS_ui_CSH_data::set_merge_filter_datas(
    const CString& /*filter*/, const std::vector<data_node_base*>& nodes) const
{
    if (nodes.empty()) return {};
    return ds_group_by_first_pedestal_size(ds_collect_size_candidates(nodes));
}

}  // namespace VQDraw_DS_UINA
