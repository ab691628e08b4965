// The sheets command: the project's whole set of pedestal drawings, numbered
// and written in one go, with a progress line on a terminal.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>

#include "app/cli/command_support.h"
#include "app/cli/commands.h"
#include "app/core/drawing/parallel_for.h"
#include "app/core/drawing/sheet_set.h"
#include "host/sheet_formats/sheet_formats.h"
#include "host/text/encoding.h"

namespace ds_app {

namespace {

struct sheets_options {
    std::filesystem::path file;
    std::filesystem::path out;
    std::string formats;
    unsigned threads = 0;
    bool quiet = false;
    bool changed = false;
};

/// The formats named in "svg,dxf,pdf" as the request's flags; every format when `names` is empty.
std::vector<bool> formats_named(const std::string& names)
{
    std::vector<bool> chosen(ds_sheet::sheet_formats().size(), names.empty());
    std::stringstream list(names);
    for (std::string name; std::getline(list, name, ',');) {
        if (name.empty()) continue;
        const ds_sheet::sheet_format* format = nullptr;
        try {
            format = &ds_sheet::sheet_format_named(name);
        } catch (const std::out_of_range& e) {
            throw step_refused(std::string("--format: ") + e.what(), "--format");
        }
        chosen[static_cast<std::size_t>(format - ds_sheet::sheet_formats().data())] = true;
    }
    return chosen;
}

/// "drawings 12/40, sheets 30/61" over itself on standard error.
void show_progress(const set_progress& p)
{
    std::fprintf(stderr, "\rsheets: drawings %zu/%zu", p.drawings_done, p.drawings);
    if (p.sheets) std::fprintf(stderr, ", sheets written %zu/%zu", p.sheets_written, p.sheets);
    std::fflush(stderr);
}

void run_sheets(app_context& context, const sheets_options& o)
{
    set_request request;
    request.folder = o.out.empty() ? o.file.parent_path() / (o.file.stem().string() + "-sheets") : o.out;
    request.formats = formats_named(o.formats);
    request.threads = o.threads ? o.threads : available_threads();
    request.only_changed = o.changed;
    const bool shown = !o.quiet && isatty(STDERR_FILENO);
    if (shown) request.progress = show_progress;
    on_project_file(context, o.file, [&](workspace& project, step_report& report) {
        set_outcome outcome;
        try {
            outcome = write_sheet_set(project, request, report);
        } catch (...) {
            if (shown) std::fputc('\n', stderr);
            throw;
        }
        if (shown) std::fputc('\n', stderr);
        if (outcome.failed.empty()) return;
        // A bridge whose every drawing fails would make a line of thousands of names: the first ten say enough.
        constexpr std::size_t named = 10;
        std::string names;
        for (std::size_t i = 0; i < std::min(named, outcome.failed.size()); ++i)
            names += (i ? ", " : "") + ds_text::to_utf8_for_display(outcome.failed[i]);
        if (outcome.failed.size() > named) names += " and " + std::to_string(outcome.failed.size() - named) + " more";
        throw step_refused("the design check failed for " + names +
                               "; their findings sheets stand in the set in place of their drawings",
                           names);
    });
}

}  // namespace

void add_sheets_command(CLI::App& app, app_context& context)
{
    auto o = std::make_shared<sheets_options>();
    auto* cmd = app.add_subcommand("sheets", "draw every pedestal drawing of the project into one numbered set of sheets");
    add_project_option(*cmd, o->file);
    cmd->add_option("--out", o->out, "folder of the set (default: <project>-sheets beside the project)");
    cmd->add_option("--format", o->formats, "formats to write, of " + ds_sheet::sheet_format_names() + " (default: all)");
    cmd->add_option("--threads", o->threads, "threads drawing and writing sheets (default: every core)");
    cmd->add_flag("--quiet", o->quiet, "no progress line");
    cmd->add_flag("--changed", o->changed,
                  "draw again only the drawings changed since the last set in the folder; the others' sheet files stand");
    cmd->callback([&context, o] { run_sheets(context, *o); });
}

}  // namespace ds_app
