// The begin and end marks of member streams, as both directions read them.
#pragma once

#include "host/framework/member_rw_interface.h"

namespace ds_json::stream_marks {

inline bool is_begin(int kind) { return kind == x_mark_object_begin || kind == x_mark_list_begin; }
inline bool is_end(int kind) { return kind == x_mark_object_end || kind == x_mark_list_end; }
/// The begin kind that an end kind closes.
inline int begin_of(int end_kind) { return end_kind - 1; }
inline const char* name(int kind)
{
    return kind == x_mark_object_begin || kind == x_mark_object_end ? "object" : "list";
}

}  // namespace ds_json::stream_marks
