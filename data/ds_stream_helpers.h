// The framing of nested records and record lists on the host stream, shared
// by every record of the module so reading and writing cannot drift apart.
#pragma once

#include <vector>

#include "host/framework/member_rw_interface.h"
#include "host/framework/string_tools.h"

namespace VQDraw_DS_UINA {

/// Key of list item `index`: "item_" and the decimal index.
inline CString ds_item_key(std::size_t index)
{
    return "item_" + string_tools::num_to_string(static_cast<unsigned int>(index));
}

/// A nested record: object-begin mark, the record's own members, object-end mark.
template <class Record>
void ds_serialize_nested(member_rw_interface& stream, const CString& key, Record& record)
{
    stream.mark(key, x_mark_object_begin);
    record.serialize_members(stream);
    stream.mark(key, x_mark_object_end);
}

/// A list of records: list-begin mark, "count", each record under "item_<i>",
/// list-end mark. Reading resizes the list to the stored count first.
template <class Record>
void ds_serialize_record_list(member_rw_interface& stream, const CString& key, std::vector<Record>& records)
{
    stream.mark(key, x_mark_list_begin);
    int count = static_cast<int>(records.size());
    stream.serialize("count", count);
    if (!stream.is_storing()) records.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (std::size_t i = 0; i < records.size(); ++i) ds_serialize_nested(stream, ds_item_key(i), records[i]);
    stream.mark(key, x_mark_list_end);
}

}  // namespace VQDraw_DS_UINA
