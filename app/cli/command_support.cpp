// Command-line pieces shared by the project commands of ds-host.
#include "app/cli/command_support.h"

#include <stdexcept>

#include "app/cli/report_terminal.h"
#include "app/core/project/project_session.h"
#include "host/spreadsheet/spreadsheet_formats.h"

namespace ds_app {

CLI::Option* add_project_file(CLI::App& command, std::filesystem::path& file, const std::string& description,
                              bool required)
{
    CLI::Option* positional = command.add_option("project", file, description);
    if (required)
        positional->required();
    // Option callbacks run before requirements are checked: a file named with --project is
    // stored here and counted on the positional, so the one requirement covers both spellings.
    command.add_option("--project", description)->group("")->each([&file, positional](const std::string& value) {
        // Naming the file twice, by either spelling or both, is refused.
        if (positional->count() > 0)
            throw CLI::ArgumentMismatch::AtMost(positional->get_name(), 1, positional->count() + 1);
        file = value;
        positional->add_result(value);
    });
    return positional;
}

void add_project_option(CLI::App& command, std::filesystem::path& file)
{
    add_project_file(command, file, "project file", true);
}

void add_drawing_option(CLI::App& command, optional_text& drawing)
{
    drawing.option = command.add_option("-d,--drawing", drawing.text,
                                        "name of the drawing (may be left out when the project holds only one)");
}

void edit_options::add_to(CLI::App& command)
{
    command.add_option("--set", sets, "edit a cell: TABLE.KEY=VALUE, or TABLE[ROW].KEY=VALUE in a list table (repeatable)");
    file_option = command.add_option("--edits", file, "file of edits, one TABLE.KEY=VALUE per line, '#' comments")
                      ->check(CLI::ExistingFile);
}

std::vector<table_edit> edit_options::collect() const
{
    const bool has_file = file_option && file_option->count();
    return collect_table_edits(sets, has_file ? std::optional<std::filesystem::path>(file) : std::nullopt);
}

step_refused project_file_exists(const std::filesystem::path& file)
{
    const std::string reason = "project file " + file.string() + " exists already";
    return step_refused(reason, file.string(), override_id::force_replace,
                        reason + "; use " + std::string(override_slot) + " to replace it");
}

void on_project_file(app_context& context, const std::filesystem::path& file,
                     const std::function<void(workspace&, step_report&)>& step)
{
    step_report report = terminal_report();
    project_session session(context, file, report);
    step(session.project(), report);
    session.finish(report);
}

sheet_file chosen_sheet_file(const std::vector<std::filesystem::path>& files, const std::string& encoding,
                             const std::string& sheet)
{
    using ds_spreadsheet::csv_encoding;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i].empty()) continue;
        const ds_spreadsheet::spreadsheet_format& format = ds_spreadsheet::spreadsheet_formats()[i];
        const csv_encoding charset = !format.takes_charset ? csv_encoding::detect
                                   : encoding == "gbk"     ? csv_encoding::gbk
                                   : encoding == "utf-8"   ? csv_encoding::utf8
                                                           : csv_encoding::detect;
        return {files[i], &format, charset, format.workbook ? sheet : std::string()};
    }
    throw std::logic_error("no spreadsheet file given");
}

}  // namespace ds_app
