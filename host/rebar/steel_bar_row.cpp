// steel_bar_row: serialization of one bar line.
#include "host/rebar/steel_bar_row.h"

#include "host/framework/serialization_guard.h"

void steel_bar_row::serialize_members(member_rw_interface& stream)
{
    x_object_flag_serialization_guard guard("steel_bar_row", stream);
    steel_bar_fields::for_each([&](const char* key, const char*, auto member) { stream.serialize(key, this->*member); });
}
