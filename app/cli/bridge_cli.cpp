// The bridge commands' table files.
#include "app/cli/bridge_cli.h"

#include "app/cli/command_support.h"

#include <stdexcept>

#include "app/core/project/shown_text.h"
#include "app/core/project/step_report.h"

namespace ds_app {

void table_file_options::add_to(CLI::App& command, bool reading)
{
    const auto& formats = ds_spreadsheet::spreadsheet_formats();
    CLI::Option_group* group = command.add_option_group("table file", "exactly one of --csv and --xlsx");
    for (std::size_t i = 0; i < formats.size(); ++i) {
        CLI::Option* option = group->add_option("--" + std::string(formats[i].name), files[i],
                                                "the structure table as " + std::string(formats[i].name) + " file");
        if (reading) option->check(CLI::ExistingFile);
    }
    group->require_option(1);
    if (reading)
        command.add_option("--encoding", encoding, "charset of a CSV file (default: UTF-8, or GBK when it is not UTF-8)")
            ->check(CLI::IsMember({"utf-8", "gbk"}));
}

sheet_file table_file_options::file() const { return chosen_sheet_file(files, encoding, {}); }

sheet_file table_file_by_extension(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (const ds_spreadsheet::spreadsheet_format& format : ds_spreadsheet::spreadsheet_formats())
        if (extension == "." + std::string(format.name)) return {path, &format, ds_spreadsheet::csv_encoding::detect, {}};
    throw std::runtime_error("the table file " + shown_utf8(path.string()) + " needs the extension .csv or .xlsx");
}

}  // namespace ds_app
