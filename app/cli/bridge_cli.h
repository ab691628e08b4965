// What the bridge commands share on the command line: the structure table
// file given as --csv T or --xlsx T (or told by its extension), and the
// wording of what the bridge steps did.
#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <string>
#include <vector>

#include "app/core/bridge/bridge_steps.h"
#include "app/core/project/step_report.h"
#include "app/core/exchange/spreadsheet_exchange.h"

namespace ds_app {

/// --csv FILE or --xlsx FILE (one option per spreadsheet format), exactly one;
/// --encoding for a CSV file read.
struct table_file_options {
    std::vector<std::filesystem::path> files = std::vector<std::filesystem::path>(ds_spreadsheet::spreadsheet_formats().size());
    std::string encoding;

    void add_to(CLI::App& command, bool reading);
    /// The one file given.
    sheet_file file() const;
};

/// The table file `path` in the format its extension names (.csv, .xlsx).
/// Throws std::runtime_error for another extension.
sheet_file table_file_by_extension(const std::filesystem::path& path);

/// Prints what an import, add, remove or new did: the file read, the
/// structures added, changed (field by field, old value first) and removed,
/// those kept, the drawings on the changed structures and whether each is
/// stale, and what a refresh changed.
void say_bridge_changes(const bridge_change_report& report, const std::filesystem::path& project, step_report& out);

/// Prints each refreshed drawing with the facility's difference lines.
void say_refreshes(const std::vector<drawing_refresh>& refreshes, step_report& out);

/// Prints, per structure, the drawings on it and their state.
void say_drawing_states(const std::vector<structure_drawings>& states, bool with_empty, step_report& out);

}  // namespace ds_app
