// Step reports and refusals as the page receives them.
#include "app/serve/serve_report.h"

#include <sstream>

namespace ds_app {

using nlohmann::json;

namespace {

/// The report keys that hold arrays of texts.
constexpr const char* report_keys[] = {"lines", "warnings", "notes", "messages", "files"};

}  // namespace

std::string override_label(override_id id)
{
    switch (id) {
    case override_id::none: return "";
    case override_id::accept_damaged: return "accept damaged";
    case override_id::force_convert: return "convert anyway";
    case override_id::force_import: return "import anyway";
    case override_id::force_replace: return "replace";
    case override_id::force_remove: return "remove anyway";
    }
    return "";
}

json report_json(const step_report& report)
{
    json answer = json::object();
    for (const char* key : report_keys) answer[key] = json::array();
    for (const report_entry& entry : report.entries()) {
        const std::string label = override_label(entry.named);
        std::istringstream text(worded(entry, label));
        for (std::string line; std::getline(text, line);)
            if (line.find_first_not_of(' ') != std::string::npos) answer["lines"].push_back(line);
        const std::string bare = entry.named == override_id::none ? entry.text : with_override(entry.text, label);
        switch (entry.kind) {
        case entry_kind::warning: answer["warnings"].push_back(bare); break;
        case entry_kind::note: answer["notes"].push_back(bare); break;
        case entry_kind::message: answer["messages"].push_back(bare); break;
        case entry_kind::file: answer["files"].push_back(bare); break;
        default: break;
        }
    }
    return answer;
}

void append_report(json& answer, const json& more)
{
    for (const char* key : report_keys)
        if (more.contains(key))
            for (const auto& item : more[key]) answer[key].push_back(item);
}

api_error refused_step(const std::exception& e, const step_report& report)
{
    json details = report_json(report);
    json lines = details["lines"];
    details.erase("lines");
    if (const auto* refused = dynamic_cast<const step_refused*>(&e)) {
        if (refused->passes() != override_id::none) details["override"] = override_key(refused->passes());
        if (!refused->place().empty()) details["place"] = refused->place();
    }
    return api_error(422, "refused", e.what(), std::move(lines), std::move(details));
}

}  // namespace ds_app
