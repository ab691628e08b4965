// `ds-host serve PROJECT`: the local page where a project's drawings are
// edited in their grid tables beside their sheets.
#pragma once

namespace CLI {
class App;
}

namespace ds_app {

struct app_context;

void add_serve_command(CLI::App& app, app_context& context);

}  // namespace ds_app
