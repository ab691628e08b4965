// A drawing's grid tables as the local server's page shows them: the tables
// the host builds from its templates, filled by the drawing's observer, as
// JSON with each cell's kind and choices, so the page can check a value
// before it sends it. Edits do not come through here: they go through
// grid_session, as `ds-host grid --set` makes them.
#pragma once

#include <nlohmann/json.hpp>

#include "app/core/grid/grid_session.h"
#include "host/framework/graph_data_base.h"

namespace ds_app {

/// The tables of `mode`'s observer for `drawing`, template by template:
///   {"mode", "templates": [{"name", "tables": [table...]}]}
/// A property table: {"name", "title", "list": false, "sections", "cells": [cell...]},
/// a cell {"key", "caption", "value", "kind", "choices"?, "unit"?}; a list table has
/// "columns" (cells without value) and "rows" (arrays of texts) instead.
/// "kind" is "text", "integer", "real" or "empty"; every text is UTF-8.
nlohmann::json grid_tables_json(graph_data_base& drawing, grid_mode mode);

}  // namespace ds_app
