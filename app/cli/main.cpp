// ds-host: a headless host for the pedestal module. It loads the module by
// file name, creates its classes by runtime class name and drives them the
// way the host application does.
#include <CLI/CLI.hpp>

#include <exception>
#include <new>

#include "app/core/project/app_context.h"
#include "app/cli/commands.h"
#include "app/cli/report_terminal.h"
#include "app/core/project/shown_text.h"
#include "host/sheet_formats/sheet_formats.h"

int main(int argc, char** argv)
{
    ds_app::app_context context;
    ds_sheet::install_text_metrics();  // sheets lay texts out by the widths the writers' fonts give them
    CLI::App app{ds_app::utf8_literal(u8"ds-host: headless host of the bearing-pedestal (垫石) drawing module")};
    app.option_defaults()->always_capture_default();
    app.set_version_flag("--version", "ds-host " DS_HOST_VERSION);
    app.add_option("--module", context.module_file, "the module to load")->check(CLI::ExistingFile);
    // Given after the command as users type it ("ds-host add p.json -n X --accept-damaged"):
    // the commands pass options they do not know on to here.
    app.add_flag("--accept-damaged", context.save_damaged,
                 "write a project even when its load left entries unread (they are dropped) or found damaged texts; save grid edits though some had no effect");
    // This used to be --force, which new, road, convert and import also have with a meaning of
    // their own; one that reaches here is that old spelling, refused so that nobody drops a
    // damaged project's entries by a flag meant for something else.
    app.add_flag_callback("--force", [] {
           throw CLI::ValidationError("--force", "writing a damaged project is now --accept-damaged; "
                                                 "--force is only an option of new, road, param-road, convert and import");
       })->group("");
    app.fallthrough();
    app.require_subcommand(1);
    ds_app::add_classes_command(app, context);
    ds_app::add_demo_command(app, context);
    ds_app::add_show_command(app, context);
    ds_app::add_project_commands(app, context);
    ds_app::add_single_drawing_commands(app, context);
    ds_app::add_parametric_commands(app, context);
    ds_app::add_sheets_command(app, context);
    ds_app::add_road_commands(app, context);
    ds_app::add_bridge_commands(app, context);
    ds_app::add_serve_command(app, context);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    } catch (const ds_app::step_refused& e) {
        ds_app::complain(ds_app::refusal_text(e));
        return 1;
    } catch (const std::bad_alloc&) {
        // Every reader keeps to a memory budget; this is the last wall, and says so plainly.
        ds_app::complain("not enough memory to finish the command; no file was changed");
        return 1;
    } catch (const std::exception& e) {
        ds_app::complain(e.what());
        return 1;
    }
    return 0;
}
