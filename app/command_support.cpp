// Command-line pieces shared by the project commands of ds-host.
#include "app/command_support.h"

#include "app/project_session.h"

namespace ds_app {

void add_project_option(CLI::App& command, std::filesystem::path& file)
{
    command.add_option("project,--project", file, "project file")->required();
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

void on_project_file(app_context& context, const std::filesystem::path& file,
                     const std::function<void(workspace&)>& step)
{
    project_session session(context, file);
    step(session.project());
    session.finish();
}

}  // namespace ds_app
