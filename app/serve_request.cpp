// Fields of the local server's JSON requests.
#include "app/serve_request.h"

#include "app/serve_project.h"
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

long request_number(const nlohmann::json& request, const char* key)
{
    if (!request.is_object() || !request.contains(key) || !request[key].is_number_integer())
        malformed(key, "a whole number");
    return request[key].get<long>();
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
    edit.table = ds_text::from_utf8(request_text(request, "table"));
    edit.key = ds_text::from_utf8(request_text(request, "key"));
    edit.value = ds_text::from_utf8(request_text(request, "value"));
    edit.row = request.contains("row") ? static_cast<int>(request_number(request, "row")) : 0;
    if (edit.row < 0 || edit.row > 1000000) malformed("row", "a row number from 1 (0 for a property table)");
    edit.origin = origin;
    return edit;
}

}  // namespace ds_app
