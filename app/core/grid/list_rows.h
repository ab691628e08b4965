// A parametric drawing's list rows as the host sees them: in the stored form,
// named by bridge part and pier number, their fields found through the field
// catalogue. Shared by the carry-over of cell-less fields and the difference
// lines of list rows, so both match rows the same way.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/framework/graph_data_base.h"

namespace ds_app {

/// Where the list lives in the stored form and which members name a row, read
/// from the catalogue's fields "row.bridge_part" and "row.structure_number".
struct list_layout {
    std::string list_key;     ///< "m_csh_data"
    std::string part_key;     ///< "m_strQF"
    std::string number_key;   ///< "m_iNum"
};
const list_layout& parametric_list_layout();

/// The stored rows in list order ("item_0", "item_1", ... as written; walked,
/// not looked up, because a lookup in an ordered document is linear). Empty
/// when the drawing has no list.
std::vector<nlohmann::ordered_json*> list_items(nlohmann::ordered_json& stored);
std::vector<const nlohmann::ordered_json*> list_items(const nlohmann::ordered_json& stored);

/// Bridge part and number of a stored row, as one key.
std::string row_key(const nlohmann::ordered_json& row);
/// "主线 1" (UTF-8): bridge part and number, as the user reads a row's name.
std::string row_name(const nlohmann::ordered_json& row);

/// A row member as the user reads it (UTF-8): the caption of the grid column
/// showing it, the field's label, or "钢筋"/"附注" for the records a row holds.
std::string member_caption(const std::string& key);

/// For each row of `now`, the index of the row of `before` it matches: same
/// bridge part and number, the n-th such row of `now` taking the n-th of
/// `before`; -1 when none is left.
std::vector<long> match_rows(const std::vector<const nlohmann::ordered_json*>& now,
                             const std::vector<const nlohmann::ordered_json*>& before);

/// Difference lines of the list rows of `before` and `after` (stored forms),
/// old value → new value: a row changed names its bridge part and number and
/// each field by its caption; rows added or removed are named; a list whose
/// rows only moved is one line. Empty when the lists are the same.
std::vector<std::string> list_row_changes(const nlohmann::ordered_json& before, const nlohmann::ordered_json& after);

}  // namespace ds_app
