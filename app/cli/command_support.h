// What the project commands of ds-host share on the command line: the
// project file, optional names, the grid edits, and running one step on a
// project file so that it is written back only when the step changed it.
#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/core/project/app_context.h"
#include "app/core/project/step_report.h"
#include "app/core/exchange/spreadsheet_exchange.h"
#include "app/core/grid/table_edits.h"

namespace ds_app {

/// A text option that may be left out.
struct optional_text {
    std::string text;
    CLI::Option* option = nullptr;

    std::optional<std::string> get() const
    {
        return option && option->count() ? std::optional<std::string>(text) : std::nullopt;
    }
};

/// The project file, given as the first positional argument; help shows only that way.
/// --project FILE still names it, hidden, so scripts written for it keep working.
CLI::Option* add_project_file(CLI::App& command, std::filesystem::path& file, const std::string& description,
                              bool required);

/// The project file a command cannot do without.
void add_project_option(CLI::App& command, std::filesystem::path& file);

/// --drawing NAME: the drawing a command works on (optional when the project holds only one of the kind).
void add_drawing_option(CLI::App& command, optional_text& drawing);

/// --set TABLE.KEY=VALUE (repeated) and --edits FILE.
struct edit_options {
    std::vector<std::string> sets;
    std::string file;
    CLI::Option* file_option = nullptr;

    void add_to(CLI::App& command);
    std::vector<table_edit> collect() const;
};

/// The refusal to write over the project file `file` that exists already.
step_refused project_file_exists(const std::filesystem::path& file);

/// Loads the project file, runs `step` on its nodes and saves the project when
/// it changed, printing the report as it goes. When `step` throws, the file is
/// left as it was.
void on_project_file(app_context& context, const std::filesystem::path& file,
                     const std::function<void(workspace&, step_report&)>& step);

/// The one spreadsheet file of a command's --csv/--xlsx options (`files` in
/// the order of the spreadsheet formats, one of them given), read with the
/// --encoding asked for where the format takes one, and `sheet` where it is a workbook.
sheet_file chosen_sheet_file(const std::vector<std::filesystem::path>& files, const std::string& encoding,
                             const std::string& sheet);

}  // namespace ds_app
