// Records whose heights and pedestal count differ in number, found through the field catalogue.
#include "app/core/grid/height_counts.h"

#include <algorithm>
#include <unordered_set>

#include "app/core/grid/list_rows.h"
#include "host/fields/field_catalogue.h"

namespace ds_app {

using nlohmann::ordered_json;

namespace {

void search(const ordered_json& object, const std::string& key, const std::string& parent, std::vector<std::string>& lines)
{
    const field_catalogue::field* heights = nullptr;
    const ordered_json* heights_value = nullptr;
    const ordered_json* count_value = nullptr;
    for (const auto& [member, value] : object.items()) {
        if (value.is_object()) {
            search(value, member, key, lines);
            continue;
        }
        const field_catalogue::field* f = field_catalogue::find_stored(member, key, parent);
        if (!f) continue;
        if (f->kind == field_catalogue::field_kind::heights && value.is_string()) heights = f, heights_value = &value;
        if (std::string_view(f->unit) == "pedestals" && value.is_number_integer()) count_value = &value;
    }
    if (!heights || !count_value) return;
    const long long count = count_value->get<long long>();
    const std::size_t read = field_catalogue::height_count(*heights, CString(heights_value->get_ref<const std::string&>()));
    if (read == 0 || count < 0 || static_cast<std::size_t>(count) == read) return;
    const std::string where = key.starts_with("item_") ? "row " + row_name(object) : std::string("the drawing");
    lines.push_back(where + ": " + std::to_string(read) + " height(s) for " + std::to_string(count) + " pedestal(s); " +
                    (static_cast<std::size_t>(count) > read ? "the last height stands for the rest"
                                                            : "heights beyond the count are not drawn"));
}

}  // namespace

std::vector<std::string> height_count_mismatches(const ordered_json& stored)
{
    std::vector<std::string> lines;
    if (stored.is_object()) search(stored, {}, {}, lines);
    return lines;
}

std::vector<std::string> new_height_count_mismatches(const ordered_json& before, const ordered_json& after)
{
    // A set: a long list may hold a mismatch on every row, before and after.
    const std::vector<std::string> old_list = height_count_mismatches(before);
    const std::unordered_set<std::string> old_lines(old_list.begin(), old_list.end());
    std::vector<std::string> lines;
    for (const std::string& line : height_count_mismatches(after))
        if (!old_lines.count(line)) lines.push_back(line);
    return lines;
}

}  // namespace ds_app
