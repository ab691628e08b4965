// Limits of stored values, checked on the members as the project file holds them.
#include "host/framework/record_limits.h"

#include <charconv>
#include <cstdio>
#include <string_view>

#include "host/framework/data_node_base.h"
#include "host/framework/input_limits.h"
#include "host/framework/json_stream.h"
#include "host/text/encoding.h"

using nlohmann::ordered_json;

namespace record_limits {
namespace {

enum class value_kind { pedestal_count, size_mm, height_text, bar_diameter, bar_count };

/// The kind of value stored under `key` in an object stored under `parent`, if it is limited.
std::optional<value_kind> kind_of(std::string_view key, std::string_view parent)
{
    if (key == "m_iCount") return value_kind::pedestal_count;
    if (key == "count" && parent == "m_pedestals") return value_kind::pedestal_count;
    for (const char* size : {"m_dWidth", "m_dLenth", "m_dLength", "m_dHeight", "m_dWid", "m_dLen", "m_dCover",
                             "m_dPos", "m_spacing"})
        if (key == size) return value_kind::size_mm;
    if (key == "strHei" || key == "m_strH") return value_kind::height_text;
    if (key == "m_diameter") return value_kind::bar_diameter;
    if (key == "m_count") return value_kind::bar_count;
    return std::nullopt;
}

std::string number_text(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

std::string limit_text(value_kind kind)
{
    switch (kind) {
    case value_kind::pedestal_count:
        return "from 0 to " + std::to_string(input_limits::max_pedestals_per_row) + " pedestals in a row";
    case value_kind::size_mm:
    case value_kind::height_text:
        return "sizes up to " + number_text(input_limits::max_size_mm) + " mm either way";
    case value_kind::bar_diameter:
        return "bar diameters from 0 to " + number_text(input_limits::max_bar_diameter_mm) + " mm";
    case value_kind::bar_count:
        return "from 0 to " + std::to_string(input_limits::max_bars_per_line) + " bars in a bar line";
    }
    return {};
}

bool number_fits(value_kind kind, double value)
{
    switch (kind) {
    case value_kind::pedestal_count: return value >= 0 && value <= input_limits::max_pedestals_per_row;
    case value_kind::size_mm:
    case value_kind::height_text: return input_limits::magnitude_in_range(value);
    case value_kind::bar_diameter: return value >= 0 && value <= input_limits::max_bar_diameter_mm;
    case value_kind::bar_count: return value >= 0 && value <= input_limits::max_bars_per_line;
    }
    return true;
}

bool is_number_char(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'; }

/// The first number in a height text that is beyond the size limit; a number
/// too large for a double counts as beyond.
std::optional<std::string> height_beyond_limit(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        if (!is_number_char(text[pos])) {
            ++pos;
            continue;
        }
        std::size_t end = pos;
        while (end < text.size() && is_number_char(text[end])) ++end;
        const std::string_view piece = text.substr(pos, end - pos);
        double value = 0;
        const auto [stop, ec] = std::from_chars(piece.data(), piece.data() + piece.size(), value);
        const bool whole = stop == piece.data() + piece.size();
        if (whole && (ec == std::errc::result_out_of_range || (ec == std::errc() && !number_fits(value_kind::height_text, value))))
            return std::string(piece);
        pos = end;
    }
    return std::nullopt;
}

std::optional<std::string> value_beyond_limit(value_kind kind, const ordered_json& value)
{
    if (kind == value_kind::height_text)
        return value.is_string() ? height_beyond_limit(value.get_ref<const std::string&>()) : std::nullopt;
    if (!value.is_number()) return std::nullopt;
    if (number_fits(kind, value.get<double>())) return std::nullopt;
    return value.dump();
}

std::optional<violation> search(const ordered_json& object, const std::string& path, std::string_view parent)
{
    for (const auto& [key, value] : object.items()) {
        const std::string field = path.empty() ? key : path + "/" + key;
        if (value.is_object()) {
            if (auto found = search(value, field, key)) return found;
            continue;
        }
        const auto kind = kind_of(key, parent);
        if (!kind) continue;
        if (auto shown = value_beyond_limit(*kind, value)) return violation{field, *shown, limit_text(*kind)};
    }
    return std::nullopt;
}

}  // namespace

std::optional<violation> find_violation(const ordered_json& members)
{
    return members.is_object() ? search(members, {}, {}) : std::nullopt;
}

std::string describe(const violation& found, const std::string& drawing_utf8)
{
    return "drawing \"" + drawing_utf8 + "\": " + found.field + " = " + found.value + " is beyond the limit (" +
           found.limit + ")";
}

json_write_stream::value_observer violation_observer(std::optional<violation>& found)
{
    // The values are looked at as they are written, in the order search()
    // would meet them in the written members, so the node is not copied.
    return [&found](const json_write_stream& written, const std::string& key, const ordered_json& value) {
        const auto kind = found ? std::nullopt : kind_of(key, written.open_key());
        if (!kind) return;
        if (auto shown = value_beyond_limit(*kind, value)) {
            const std::string path = written.open_path();
            found = violation{path.empty() ? key : path + "/" + key, *shown, limit_text(*kind)};
        }
    };
}

std::optional<violation> find_violation(const data_node_base& node)
{
    std::optional<violation> found;
    const auto stream = json_write_stream::checking(violation_observer(found));
    // serialize_members serves both directions and is therefore not const; a writing stream only reads the node.
    const_cast<data_node_base&>(node).serialize_members(*stream);
    stream->document();  // refuses what is still open, as a save would
    return found;
}

void check_node(const data_node_base& node)
{
    if (const auto found = find_violation(node))
        throw limit_error(describe(*found, ds_text::to_utf8_for_display(node.get_node_name())));
}

}  // namespace record_limits
