// steel_bar_row: serialization of one bar line, and its fields' captions from the field catalogue.
#include "host/rebar/steel_bar_row.h"

#include <string>
#include <utility>
#include <vector>

#include "host/fields/field_catalogue.h"
#include "host/framework/serialization_guard.h"

void steel_bar_row::serialize_members(member_rw_interface& stream)
{
    x_object_flag_serialization_guard guard("steel_bar_row", stream);
    steel_bar_fields::for_each([&](const char* key, const char*, auto member) { stream.serialize(key, this->*member); });
}

namespace steel_bar_fields {

const char* caption_of(std::string_view key)
{
    // Read once: every bar a project stores walks these captions.
    static const std::vector<std::pair<std::string, const char*>> captions = [] {
        std::vector<std::pair<std::string, const char*>> found;
        for (const field_catalogue::field& f : field_catalogue::all_fields())
            for (const field_catalogue::place& p : f.places)
                if (std::string_view(p.table) == field_catalogue::tables::rebar) found.emplace_back(p.key, p.caption);
        return found;
    }();
    for (const auto& [k, caption] : captions)
        if (k == key) return caption;
    return field_catalogue::caption_at(field_catalogue::tables::rebar, key);  // throws: no such place
}

}  // namespace steel_bar_fields
