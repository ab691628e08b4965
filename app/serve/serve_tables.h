// A drawing's grid tables as the local server's page shows them: the tables
// the host builds from its templates, filled by the drawing's observer, as
// JSON with each cell's kind and choices, so the page can check a value
// before it sends it. Edits do not come through here: they go through
// grid_session, as `ds-host grid --set` makes them.
#pragma once

#include <nlohmann/json.hpp>

#include "app/core/grid/grid_session.h"
#include "host/fields/field_catalogue.h"
#include "host/framework/graph_data_base.h"

namespace ds_app {

/// The tables of `mode`'s observer for `drawing`, template by template:
///   {"mode", "templates": [{"name", "tables": [table...]}]}
/// A property table: {"name", "title", "list": false, "sections", "cells": [cell...]},
/// a cell {"key", "caption", "value", "kind", "choices"?, "unit"?}; a list table has
/// "columns" (cells without value) and "rows" (arrays of texts) instead.
/// "kind" is "text", "integer", "real" or "empty"; every text is UTF-8.
/// Numbers show as the field catalogue writes them (a list row's heights
/// "200,210", not "200.000000,210.000000"). A cell whose setting another,
/// later table of the grid also carries is "read_only", with the "reason":
/// the observer keeps that table's value, so what is typed here never stays.
nlohmann::json grid_tables_json(graph_data_base& drawing, grid_mode mode);

/// Adds to `column` what the field catalogue says of field `f`, so the page
/// checks a value as the server will before sending it: "kind", "unit",
/// "range", "choices", "max_chars", "separators" and the "limits" in words.
void add_catalogue(nlohmann::json& column, const field_catalogue::field& f);

/// What changed from `before` to `after` (both grid_tables_json of one
/// drawing and grid), table by table: [{"name", "count", "rows": {"index": row}}]
/// for a list (index from 0; "count" its rows now), [{"name", "cells": {key: value}}]
/// for a property table; tables without a change are left out. Null when the
/// tables differ in more than values (other tables, columns or choices): the
/// page then takes `after` whole.
nlohmann::json tables_patch(const nlohmann::json& before, const nlohmann::json& after);

}  // namespace ds_app
