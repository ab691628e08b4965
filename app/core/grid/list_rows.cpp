// List rows of a parametric drawing in the stored form: names, matching, differences.
#include "app/core/grid/list_rows.h"

#include <algorithm>
#include <map>

#include "host/fields/field_catalogue.h"
#include "host/text/encoding.h"

namespace ds_app {

using nlohmann::ordered_json;

namespace {

/// " → " between an old and a new value, in UTF-8 whatever the narrow charset.
std::string arrow() { return reinterpret_cast<const char*>(u8"→"); }

/// "m_csh_data/item/m_strQF" -> {"m_csh_data", "m_strQF"}.
std::pair<std::string, std::string> list_and_member(const char* field_name)
{
    const std::string stored = field_catalogue::find_named(field_name)->stored;
    return {stored.substr(0, stored.find('/')), stored.substr(stored.rfind('/') + 1)};
}

template <class Json>
auto items_of(Json& stored)
{
    std::vector<Json*> items;
    const auto list = stored.find(parametric_list_layout().list_key);
    if (list == stored.end() || !list->is_object()) return items;
    for (auto& [key, value] : list->items())
        if (key.starts_with("item_") && value.is_object()) items.push_back(&value);
    return items;
}

/// A stored value as a difference line shows it: texts as they are (control characters escaped), the rest as JSON.
std::string value_text(const ordered_json& value)
{
    if (!value.is_string()) return value.dump();
    return ds_text::to_utf8_for_display(ds_text::from_utf8(value.get_ref<const std::string&>()));
}

void row_field_changes(const ordered_json& old_row, const ordered_json& new_row, const std::string& name,
                       std::vector<std::string>& lines)
{
    for (const auto& [key, value] : new_row.items()) {
        if (key == "version") continue;
        const auto old = old_row.find(key);
        if (old != old_row.end() && *old == value) continue;
        if (value.is_object())
            lines.push_back("row " + name + ": " + member_caption(key) + " changed");
        else
            lines.push_back("row " + name + ": " + member_caption(key) + " " +
                            (old == old_row.end() ? std::string("(none)") : value_text(*old)) + " " + arrow() + " " + value_text(value));
    }
}

std::string names_of(const std::vector<const ordered_json*>& rows)
{
    constexpr std::size_t most = 10;
    std::string text;
    for (std::size_t i = 0; i < rows.size() && i < most; ++i) text += (i ? ", " : "") + row_name(*rows[i]);
    if (rows.size() > most) text += ", ... (" + std::to_string(rows.size()) + " rows)";
    return text;
}

}  // namespace

std::string member_caption(const std::string& key)
{
    const field_catalogue::field* f = field_catalogue::find_stored(key, "item", parametric_list_layout().list_key);
    if (f && !f->places.empty()) return ds_text::to_utf8(std::string_view(f->places.front().caption));
    if (f && *f->label) return ds_text::to_utf8(std::string_view(f->label));
    // Records inside a row, which are no single field.
    if (key == "m_Steel_P0") return reinterpret_cast<const char*>(u8"钢筋");
    if (key == "m_custom_note_items") return reinterpret_cast<const char*>(u8"附注");
    return key;
}

const list_layout& parametric_list_layout()
{
    static const list_layout layout = [] {
        const auto [list, part] = list_and_member("row.bridge_part");
        return list_layout{list, part, list_and_member("row.structure_number").second};
    }();
    return layout;
}

std::vector<ordered_json*> list_items(ordered_json& stored) { return items_of(stored); }
std::vector<const ordered_json*> list_items(const ordered_json& stored) { return items_of(stored); }

std::string row_key(const ordered_json& row)
{
    const list_layout& l = parametric_list_layout();
    return row.value(l.part_key, ordered_json()).dump() + '\n' + row.value(l.number_key, ordered_json()).dump();
}

std::string row_name(const ordered_json& row)
{
    const list_layout& l = parametric_list_layout();
    const ordered_json part = row.value(l.part_key, ordered_json(""));
    const ordered_json number = row.value(l.number_key, ordered_json());
    return (part.is_string() ? value_text(part) : part.dump()) + " " + number.dump();
}

std::vector<long> match_rows(const std::vector<const ordered_json*>& now, const std::vector<const ordered_json*>& before)
{
    std::map<std::string, std::vector<long>> waiting;  // old rows of each name, in list order
    for (std::size_t i = before.size(); i-- > 0;) waiting[row_key(*before[i])].push_back(long(i));
    std::vector<long> matched;
    for (const ordered_json* row : now) {
        auto& left = waiting[row_key(*row)];
        if (left.empty()) {
            matched.push_back(-1);
        } else {
            matched.push_back(left.back());
            left.pop_back();
        }
    }
    return matched;
}

std::vector<std::string> list_row_changes(const ordered_json& before, const ordered_json& after)
{
    const auto old_rows = list_items(before), new_rows = list_items(after);
    const std::vector<long> matched = match_rows(new_rows, old_rows);
    std::vector<std::string> lines;
    std::vector<bool> taken(old_rows.size(), false);
    // Rows moved when the old positions of the matched rows do not ascend.
    bool moved = false;
    long last = -1;
    for (long m : matched) {
        if (m < 0) continue;
        moved = moved || m < last;
        last = m;
    }
    for (std::size_t i = 0; i < new_rows.size(); ++i) {
        if (matched[i] < 0) {
            lines.push_back("row " + row_name(*new_rows[i]) + " added (list row " + std::to_string(i + 1) + ")");
            continue;
        }
        taken[std::size_t(matched[i])] = true;
        row_field_changes(*old_rows[std::size_t(matched[i])], *new_rows[i], row_name(*new_rows[i]), lines);
    }
    for (std::size_t i = 0; i < old_rows.size(); ++i)
        if (!taken[i]) lines.push_back("row " + row_name(*old_rows[i]) + " removed (was list row " + std::to_string(i + 1) + ")");
    // Rows that only changed places are one line, however many moved.
    if (moved) lines.insert(lines.begin(), "list rows reordered: " + names_of(old_rows) + " " + arrow() + " " + names_of(new_rows));
    return lines;
}

}  // namespace ds_app
