// Printing step reports and refusals on the terminal.
#include "app/cli/report_terminal.h"

#include <iostream>

#include "app/core/project/shown_text.h"

namespace ds_app {

std::string override_option(override_id id)
{
    switch (id) {
    case override_id::none: return "";
    case override_id::accept_damaged: return "--accept-damaged";
    case override_id::force_convert:
    case override_id::force_import:
    case override_id::force_replace:
    case override_id::force_remove: return "--force";
    }
    return "";
}

void print_entry(const report_entry& entry)
{
    std::cout << worded(entry, override_option(entry.named));
    // A table is long: it reaches the terminal before the step goes on.
    if (entry.kind == entry_kind::block) std::cout << std::flush;
}

step_report terminal_report() { return step_report(print_entry); }

std::string refusal_text(const step_refused& refused) { return refused.worded(override_option(refused.passes())); }

void complain(const std::string& text) { std::cerr << "ds-host: " << shown_lines(text) << '\n'; }

}  // namespace ds_app
