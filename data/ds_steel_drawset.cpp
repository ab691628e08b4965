// DS_steel_DrawSet: default drawing settings, their difference lines and their stored layout.
#include "data/ds_steel_drawset.h"

#include "data/ds_stream_helpers.h"
#include "host/framework/common_string_tools.h"
#include "host/framework/serialization_guard.h"

namespace VQDraw_DS_UINA {

void DS_steel_DrawSet::set_default_value()
{
    m_DS_number = "1";
    m_strMergeNum = "墩";
    com_drawset.set_default_value();
    com_drawset.m_iScale = 10;  // pedestal drawings are drawn at 1:10 whatever the shared default
}

void DS_steel_DrawSet::compare(const DS_steel_DrawSet* other, std::vector<CString>& lines) const
{
    common_string_tools::Get_Unmatched_String("垫石编号：", other->m_DS_number, m_DS_number, lines);
    common_string_tools::Get_Unmatched_String("墩台类别：", other->m_strMergeNum, m_strMergeNum, lines);
    com_drawset.compare(&other->com_drawset, lines);
}

// One layout for every version: the stored version is read but not consulted.
void DS_steel_DrawSet::serialize_members(member_rw_interface& stream)
{
    x_object_flag_serialization_guard guard("DS_steel_DrawSet", stream);
    int version = 1;
    stream.serialize("version", version);
    stream.serialize("m_DS_number", m_DS_number);
    stream.serialize("m_strMergeNum", m_strMergeNum);
    ds_serialize_nested(stream, "com_drawset", com_drawset);
}

}  // namespace VQDraw_DS_UINA
