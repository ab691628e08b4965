// Reading the local server's JSON requests: each field checked for its type,
// a missing or wrong one refused as a malformed request naming the field.
#pragma once

#include <limits>
#include <string>

#include <nlohmann/json.hpp>

#include "app/core/grid/grid_session.h"
#include "app/core/grid/table_edits.h"
#include "host/framework/graph_data_base.h"

namespace ds_app {

/// The text field `key` of `request`; throws api_error 400 when it is missing or no text.
std::string request_text(const nlohmann::json& request, const char* key);
/// The text field `key` as the drawings keep text (GBK); throws api_error 400
/// when it is missing, no text, or holds a character the drawings cannot keep.
CString request_narrow_text(const nlohmann::json& request, const char* key);

/// Largest row number a request may name (0 names a property table).
inline constexpr long long max_request_row = 1'000'000;

/// The whole-number field `key`, from `least` to `most`; throws api_error 400
/// when it is missing, no whole number or outside, whatever its width.
long long request_number(const nlohmann::json& request, const char* key, long long least = 0,
                         long long most = std::numeric_limits<long long>::max());
/// The array of texts `key`; throws api_error 400 otherwise.
std::vector<std::string> request_texts(const nlohmann::json& request, const char* key);

/// The cell edit a request names ("table", "row" (0 or absent for a property
/// table), "key", "value"), as `grid --set` would parse it; `origin` names it in errors.
table_edit edit_of(const nlohmann::json& request, const std::string& origin);

/// Most cells one paste may hold: a thousand list rows of every column, with room.
inline constexpr std::size_t max_pasted_cells = 20000;

/// A pasted block: tab-separated lines as Excel copies them (CR LF line ends,
/// no final empty line), split into rows of cells.
std::vector<std::vector<std::string>> split_block(const std::string& text);

/// "single", "parametric", "structure" (a pier or abutment drawing) or "other".
std::string drawing_kind(const data_node_base& node);
/// The grid a drawing is edited in: a parametric drawing's list grid, or a
/// single drawing's "common" or "advanced" one (the default).
grid_mode mode_for(const graph_data_base& drawing, const std::string& mode);

}  // namespace ds_app
