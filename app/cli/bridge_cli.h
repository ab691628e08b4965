// What the bridge commands share on the command line: the structure table
// file given as --csv T or --xlsx T (or told by its extension).
#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <string>
#include <vector>

#include "app/core/bridge/bridge_steps.h"
#include "app/core/bridge/bridge_wording.h"
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

}  // namespace ds_app
