// Pier and abutment drawings of the host stand-in.
#include "host/substructure/substructure_graph_data.h"

#include "host/framework/serialization_guard.h"
#include "host/substructure/record_list_serialization.h"

IMPLEMENT_HOST_DYNAMIC(substructure_graph_data, xbjg_graph_data_base)
IMPLEMENT_HOST_DYNCREATE(QD_pier_graph_data, substructure_graph_data)
IMPLEMENT_HOST_DYNCREATE(QT_abutment_graph_data, substructure_graph_data)

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
        int version = 1;
        stream.serialize("version", version);
        substructure_serialization::serialize_record_list(stream, "m_pedestals", m_pedestals);
    }
    stream.mark(key, x_mark_object_end);
}

std::unique_ptr<substructure_graph_data> make_substructure_drawing(int type, const CString& type_name,
                                                                   const CString& bridge_part, int number,
                                                                   const CString& concrete_type, int scale,
                                                                   std::vector<ds_gz_data> pedestals)
{
    std::unique_ptr<substructure_graph_data> drawing;
    if (type == substructure_pier) drawing = std::make_unique<QD_pier_graph_data>();
    else drawing = std::make_unique<QT_abutment_graph_data>();
    drawing->set_substructure_info({type_name, bridge_part, number, concrete_type, scale});
    drawing->set_pedestals(std::move(pedestals));
    return drawing;
}
