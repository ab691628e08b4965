// Carry-over of a parametric drawing's list rows, matched by bridge part and number.
#include "app/core/grid/list_carry_over.h"

#include <algorithm>
#include <stdexcept>

#include "app/core/grid/list_rows.h"
#include "app/core/project/node_view.h"
#include "host/fields/field_catalogue.h"
#include "host/text/encoding.h"

namespace ds_app {

namespace {

using nlohmann::ordered_json;

/// Stored keys of the row members that `table` shows in a cell, by the catalogue.
std::vector<std::string> members_with_cells(const char* table)
{
    const std::string prefix = parametric_list_layout().list_key + "/item/";
    std::vector<std::string> keys;
    for (const field_catalogue::field& f : field_catalogue::all_fields()) {
        const std::string stored = f.stored;
        if (!stored.starts_with(prefix)) continue;
        if (std::any_of(f.places.begin(), f.places.end(), [&](const auto& p) { return std::string_view(p.table) == table; }))
            keys.push_back(stored.substr(prefix.size()));
    }
    return keys;
}

std::vector<std::string> take_members_without_cells(ordered_json& row, const ordered_json& from,
                                                    const std::vector<std::string>& with_cells)
{
    std::vector<std::string> carried;
    for (const auto& item : from.items()) {
        const std::string& key = item.key();  // a named variable: clang 14 cannot capture a structured binding
        if (key == "version" || std::find(with_cells.begin(), with_cells.end(), key) != with_cells.end()) continue;
        row[key] = item.value();
        carried.push_back(member_caption(key));
    }
    return carried;
}

/// Pairs the rows that lost their bridge part and number with the rows before
/// at their places, when the list kept its length and every matched row its
/// place; refuses when rows lost their match and the list changed otherwise.
void match_by_place(std::vector<long>& matched, const std::vector<ordered_json*>& rows,
                    const std::vector<const ordered_json*>& old_rows)
{
    std::vector<bool> old_taken(old_rows.size(), false);
    bool in_place = rows.size() == old_rows.size();
    for (std::size_t i = 0; i < matched.size(); ++i)
        if (matched[i] >= 0) {
            old_taken[std::size_t(matched[i])] = true;
            in_place = in_place && matched[i] == long(i);
        }
    const bool old_left = std::find(old_taken.begin(), old_taken.end(), false) != old_taken.end();
    for (std::size_t i = 0; i < matched.size(); ++i) {
        if (matched[i] >= 0 || !old_left) continue;
        if (!in_place)
            throw std::runtime_error(
                "list row " + std::to_string(i + 1) + " (" + row_name(*rows[i]) +
                ") has a bridge part and number no row before has, and the rows were also added, removed or "
                "reordered, so which row it was cannot be told; its type, sizes and rebar would be lost. Change "
                "numbers and the rows' order in separate steps; nothing was changed");
        matched[i] = long(i);
    }
}

}  // namespace

std::vector<carried_row> carry_over_list_rows(graph_data_base& drawing, const graph_data_base& before, const char* table)
{
    return carry_over_list_rows(drawing, stored_form(before), table);
}

std::vector<carried_row> carry_over_list_rows(graph_data_base& drawing, const ordered_json& stored_before, const char* table)
{
    ordered_json stored = stored_form(drawing);
    const std::vector<ordered_json*> rows = list_items(stored);
    const std::vector<const ordered_json*> old_rows = list_items(stored_before);
    const std::vector<const ordered_json*> const_rows(rows.begin(), rows.end());
    const std::vector<long> by_key = match_rows(const_rows, old_rows);
    std::vector<long> matched = by_key;
    match_by_place(matched, rows, old_rows);
    const std::vector<std::string> with_cells = members_with_cells(table);
    std::vector<carried_row> result;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        carried_row row;
        row.index = i;
        row.name = row_name(*rows[i]);
        if (matched[i] >= 0) {
            row.matched = true;
            if (by_key[i] < 0) row.was = row_name(*old_rows[std::size_t(matched[i])]);
            row.carried = take_members_without_cells(*rows[i], *old_rows[std::size_t(matched[i])], with_cells);
        }
        result.push_back(std::move(row));
    }
    if (!rows.empty()) read_stored_form(drawing, std::move(stored));
    return result;
}

void report_carried_rows(const std::vector<carried_row>& rows, step_report& report)
{
    std::size_t kept = 0;
    std::vector<std::string> fields;
    for (const carried_row& row : rows) {
        if (!row.matched) continue;
        ++kept;
        for (const std::string& f : row.carried)
            if (std::find(fields.begin(), fields.end(), f) == fields.end()) fields.push_back(f);
    }
    if (kept) {
        std::string list;
        for (const std::string& f : fields) list += (list.empty() ? "" : ", ") + f;
        report.line("carried over " + std::to_string(kept) + " list row(s)' fields without a cell (" + list +
                    ") from the rows before, matched by bridge part and number");
    }
    for (const carried_row& row : rows)
        if (row.matched && !row.was.empty())
            report.line("list row " + std::to_string(row.index + 1) + " (" + row.name + ") was " + row.was +
                        ": its bridge part or number changed, the rows kept their places, so it kept that row's fields without a cell");
    for (const carried_row& row : rows)
        if (!row.matched)
            report.line("list row " + std::to_string(row.index + 1) + " (" + row.name +
                        "): no list row before has this bridge part and number; its fields without a cell take the row defaults");
}

}  // namespace ds_app
