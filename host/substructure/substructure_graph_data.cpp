// Pier and abutment drawings of the host stand-in.
#include "host/substructure/substructure_graph_data.h"

#include "host/framework/serialization_guard.h"
#include "host/substructure/record_list_serialization.h"

IMPLEMENT_HOST_DYNAMIC(substructure_graph_data, xbjg_graph_data_base)
IMPLEMENT_HOST_DYNCREATE(QD_pier_graph_data, substructure_graph_data)
IMPLEMENT_HOST_DYNCREATE(QT_abutment_graph_data, substructure_graph_data)

namespace {
// Version 2 added the cover and the custom note; a version-1 drawing keeps the host defaults.
constexpr int kSubstructureVersion = 2;
}  // namespace

bool substructure_graph_data::Get_DS(std::vector<ds_gz_data>& pedestals) const
{
    pedestals = m_pedestals;
    return !pedestals.empty();
}

void substructure_graph_data::copy(const data_node_base& source, bool copy_tag)
{
    xbjg_graph_data_base::copy(source, copy_tag);
    if (auto* other = dynamic_cast<const substructure_graph_data*>(&source)) m_pedestals = other->m_pedestals;
}

void substructure_graph_data::serialize_members(member_rw_interface& stream)
{
    xbjg_graph_data_base::serialize_members(stream);

    const CString key = "substructure_graph_data";
    stream.mark(key, x_mark_object_begin);
    {
        x_object_flag_serialization_guard guard(key, stream);
        int version = kSubstructureVersion;
        stream.serialize("version", version);
        substructure_serialization::serialize_record_list(stream, "m_pedestals", m_pedestals);
        if (version >= 2) serialize_look(stream);
    }
    stream.mark(key, x_mark_object_end);
}

void substructure_graph_data::serialize_look(member_rw_interface& stream)
{
    xbjg_substructure_info info = substructure_info();
    stream.serialize("cover", info.cover);
    stream.serialize("custom_note", info.custom_note);
    set_substructure_info(info);
}

std::unique_ptr<substructure_graph_data> make_substructure_drawing(int type, const CString& type_name,
                                                                   const CString& bridge_part, int number,
                                                                   const CString& concrete_type, int scale,
                                                                   std::vector<ds_gz_data> pedestals)
{
    std::unique_ptr<substructure_graph_data> drawing;
    if (type == substructure_pier) drawing = std::make_unique<QD_pier_graph_data>();
    else drawing = std::make_unique<QT_abutment_graph_data>();
    xbjg_substructure_info info;  // cover and custom note keep the host defaults
    info.type_name = type_name;
    info.bridge_part = bridge_part;
    info.number = number;
    info.concrete_type = concrete_type;
    info.scale = scale;
    drawing->set_substructure_info(info);
    drawing->set_pedestals(std::move(pedestals));
    return drawing;
}
