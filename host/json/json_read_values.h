// What a reading stream makes of a stored value: the record's int, double,
// bool or text, or the reason it cannot be one, worded for the user.
#pragma once

#include <cstddef>
#include <string>

#include "host/afx/cstring.h"
#include "host/json/json_flat_tree.h"

namespace ds_json::read_values {

/// "a string", "the number 3.7", "an object": what a reader found instead.
std::string describe(const flat_tree& tree, std::size_t i);

/// Each gives true and `out`, or false and the problem in `problem`.
bool to_int(const flat_tree& tree, std::size_t i, int& out, std::string& problem);
bool to_double(const flat_tree& tree, std::size_t i, double& out, std::string& problem);
bool to_bool(const flat_tree& tree, std::size_t i, bool& out, std::string& problem);
bool to_narrow_text(const flat_tree& tree, std::size_t i, CString& out, std::string& problem);

/// Number of distinct item indices among the members of `object`: "item_3"
/// and "item_3_key" / "item_3_value" each count as item 3.
std::size_t items_present(const flat_tree& tree, std::size_t object);

}  // namespace ds_json::read_values
