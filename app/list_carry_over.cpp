// Carry-over of a parametric drawing's list rows through their stored form.
#include "app/list_carry_over.h"

#include <algorithm>
#include <deque>
#include <map>
#include <string>

#include "app/node_view.h"
#include "host/text/encoding.h"

namespace ds_app {

namespace {

using nlohmann::ordered_json;

/// The stored list of the parametric drawing and the members its table cells carry.
const char* const list_key = "m_csh_data";
const char* const bridge_part_key = "m_strQF";
const char* const number_key = "m_iNum";
const char* const table_members[] = {bridge_part_key, number_key, "m_iCount", "m_strH"};

/// The stored rows in list order ("item_0", "item_1", ... as written; walked,
/// not looked up, because a lookup in an ordered document is linear).
std::vector<ordered_json*> list_items(ordered_json& stored)
{
    std::vector<ordered_json*> items;
    const auto list = stored.find(list_key);
    if (list == stored.end() || !list->is_object()) return items;
    for (auto& [key, value] : list->items())
        if (key.starts_with("item_") && value.is_object()) items.push_back(&value);
    return items;
}

/// Bridge part and number of a stored row, as one key.
std::string structure_key(const ordered_json& row)
{
    return row.value(bridge_part_key, ordered_json()).dump() + '\n' + row.value(number_key, ordered_json()).dump();
}

void take_members_without_cells(ordered_json& row, const ordered_json& from)
{
    for (const auto& item : from.items()) {
        const std::string& key = item.key();  // a named variable: clang 14 cannot capture a structured binding
        if (std::none_of(std::begin(table_members), std::end(table_members), [&](const char* k) { return key == k; }))
            row[key] = item.value();
    }
}

}  // namespace

std::vector<unmatched_list_row> carry_over_list_rows(graph_data_base& drawing, const graph_data_base& before)
{
    ordered_json stored = stored_form(drawing), stored_before = stored_form(before);
    const std::vector<ordered_json*> rows = list_items(stored), old_rows = list_items(stored_before);
    // The old rows of each structure in list order; a match takes the first one left.
    std::map<std::string, std::deque<const ordered_json*>> waiting;
    for (const ordered_json* old : old_rows) waiting[structure_key(*old)].push_back(old);
    std::vector<unmatched_list_row> unmatched;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto match = waiting.find(structure_key(*rows[i]));
        if (match == waiting.end() || match->second.empty()) {
            unmatched.push_back({i, ds_text::from_utf8(rows[i]->value(bridge_part_key, std::string())),
                                 rows[i]->value(number_key, 0)});
            continue;
        }
        take_members_without_cells(*rows[i], *match->second.front());
        match->second.pop_front();
    }
    if (!rows.empty()) read_stored_form(drawing, stored);
    return unmatched;
}

}  // namespace ds_app
