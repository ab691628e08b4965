// x_object_flag_serialization_guard: held by a record for the whole run of its
// serialize_members, so the stream knows which record an entry belongs to.
#pragma once

#include "host/framework/member_rw_interface.h"

class x_object_flag_serialization_guard {
public:
    x_object_flag_serialization_guard(const CString& tag, member_rw_interface& stream) : m_stream(stream)
    {
        m_stream.push_guard_tag(tag);
    }
    ~x_object_flag_serialization_guard() { m_stream.pop_guard_tag(); }
    x_object_flag_serialization_guard(const x_object_flag_serialization_guard&) = delete;
    x_object_flag_serialization_guard& operator=(const x_object_flag_serialization_guard&) = delete;

private:
    member_rw_interface& m_stream;
};
