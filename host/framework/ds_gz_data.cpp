// Serialization of the host pedestal record.
#include "host/framework/ds_gz_data.h"

#include "host/framework/serialization_guard.h"

void ds_gz_data::serialize_members(member_rw_interface& stream)
{
    x_object_flag_serialization_guard guard("ds_gz_data", stream);
    int version = 1;
    stream.serialize("version", version);
    stream.serialize("m_dPos", m_dPos);
    stream.serialize("m_dAngle", m_dAngle);
    stream.serialize("m_dWidth", m_dWidth);
    stream.serialize("m_dLength", m_dLength);
    stream.serialize("m_dHeight", m_dHeight);
}
