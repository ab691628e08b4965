// The local server's door to a step's report: the page gets the lines as the
// command line prints them (blank ones left out), and beside them what it may
// show apart: the warnings, notes, module messages and files written. A
// refused step becomes an api_error that names the override that would pass
// it, so the page can offer it, worded the page's way, not the command line's.
#pragma once

#include <exception>

#include <nlohmann/json.hpp>

#include "app/core/project/step_report.h"
#include "app/serve/serve_project.h"

namespace ds_app {

/// The page's words for an override (what its button or box says): "convert anyway".
std::string override_label(override_id id);

/// {"lines", "warnings", "notes", "messages", "files"} of a report that kept its entries.
nlohmann::json report_json(const step_report& report);

/// Appends the arrays of `more` (a report_json) to those of `answer`.
void append_report(nlohmann::json& answer, const nlohmann::json& more);

/// The refusal (422, "refused") of a step that threw `e` after reporting
/// `report`: the reason, the report so far and, for a step_refused, its
/// "override" (override_key) and "place".
api_error refused_step(const std::exception& e, const step_report& report);

}  // namespace ds_app
