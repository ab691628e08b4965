// Fields of the local server's JSON requests, and the drawing kind and grid mode a request names.
#include "app/serve/serve_request.h"

#include <sstream>

#include "app/core/project/runtime_objects.h"
#include "app/serve/api_error.h"
#include "host/framework/xbjg_graph_data_base.h"
#include "host/text/encoding.h"

namespace ds_app {

namespace {
[[noreturn]] void malformed(const char* key, const char* wanted)
{
    throw api_error(400, "bad", std::string("the request's \"") + key + "\" must be " + wanted);
}
}  // namespace

std::string request_text(const nlohmann::json& request, const char* key)
{
    if (!request.is_object() || !request.contains(key) || !request[key].is_string()) malformed(key, "a text");
    return request[key].get<std::string>();
}

CString request_narrow_text(const nlohmann::json& request, const char* key)
{
    try {
        return ds_text::from_utf8(request_text(request, key));
    } catch (const ds_text::conversion_error& e) {
        throw api_error(400, "bad", std::string("the request's \"") + key + "\" holds text a drawing cannot keep: " + e.what());
    }
}

long long request_number(const nlohmann::json& request, const char* key, long long least, long long most)
{
    if (!request.is_object() || !request.contains(key) || !request[key].is_number_integer())
        malformed(key, "a whole number");
    // Checked at the width the parser read it in: a number past the range
    // must be refused, not cut to one inside it by a narrowing cast.
    const nlohmann::json& value = request[key];
    const bool fits = !value.is_number_unsigned() ||
                      value.get<unsigned long long>() <= static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    if (!fits || value.get<long long>() < least || value.get<long long>() > most)
        malformed(key, ("a whole number from " + std::to_string(least) + " to " + std::to_string(most)).c_str());
    return value.get<long long>();
}

std::vector<std::string> request_texts(const nlohmann::json& request, const char* key)
{
    if (!request.is_object() || !request.contains(key) || !request[key].is_array()) malformed(key, "a list of texts");
    std::vector<std::string> texts;
    for (const auto& item : request[key]) {
        if (!item.is_string()) malformed(key, "a list of texts");
        texts.push_back(item.get<std::string>());
    }
    return texts;
}

table_edit edit_of(const nlohmann::json& request, const std::string& origin)
{
    table_edit edit;
    edit.table = request_narrow_text(request, "table");
    edit.key = request_narrow_text(request, "key");
    edit.value = request_narrow_text(request, "value");
    edit.row = request.contains("row") ? static_cast<int>(request_number(request, "row", 0, max_request_row)) : 0;
    edit.origin = origin;
    return edit;
}

std::string drawing_kind(const data_node_base& node)
{
    if (is_of_class(node, module_class::single_drawing)) return "single";
    if (is_of_class(node, module_class::parametric_drawing)) return "parametric";
    if (dynamic_cast<const xbjg_graph_data_base*>(&node)) return "structure";
    return "other";
}

grid_mode mode_for(const graph_data_base& drawing, const std::string& mode)
{
    if (drawing_kind(drawing) == "parametric") return grid_mode::parametric;
    if (drawing_kind(drawing) != "single") throw api_error(400, "bad", "only pedestal drawings have grid tables");
    if (mode == "common") return grid_mode::common;
    if (mode == "advanced" || mode.empty()) return grid_mode::advanced;
    throw api_error(400, "bad", "grid mode \"" + mode + "\" is neither common nor advanced");
}

std::vector<std::vector<std::string>> split_block(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> cells;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            cells.push_back(line.substr(start, tab - start));
        cells.push_back(line.substr(start));
        rows.push_back(std::move(cells));
    }
    while (!rows.empty() && rows.back().size() == 1 && rows.back()[0].empty()) rows.pop_back();
    return rows;
}

}  // namespace ds_app
