// record_list_serialization: one writer-and-reader for the lists of the
// substructure records, so every list has the same framing on every stream.
//
// A list is framed by a list-begin and a list-end mark under its key; inside
// come "count" and one entry per element named "item_" plus its index. Reading
// resizes the list to the count the stream returns (the stream clamps counts
// to what is really there); a missing "count" keeps the current length.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "host/framework/member_rw_interface.h"

namespace substructure_serialization {

/// "item_" followed by the decimal index.
inline CString list_item_key(std::size_t index) { return "item_" + CString(std::to_string(index)); }

/// Serializes `items` under `key`; `item(stream, item_key, element)` handles one element.
template <class T, class ItemFn>
void serialize_list(member_rw_interface& stream, const CString& key, std::vector<T>& items, ItemFn item)
{
    stream.mark(key, x_mark_list_begin);
    int count = static_cast<int>(items.size());
    stream.serialize("count", count);
    if (!stream.is_storing()) items.resize(static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t i = 0; i < items.size(); ++i) item(stream, list_item_key(i), items[i]);
    stream.mark(key, x_mark_list_end);
}

/// A list of records, each nested between object marks and serialized by its own serialize_members.
template <class T>
void serialize_record_list(member_rw_interface& stream, const CString& key, std::vector<T>& items)
{
    serialize_list(stream, key, items, [](member_rw_interface& s, const CString& item_key, T& record) {
        s.mark(item_key, x_mark_object_begin);
        record.serialize_members(s);
        s.mark(item_key, x_mark_object_end);
    });
}

}  // namespace substructure_serialization
