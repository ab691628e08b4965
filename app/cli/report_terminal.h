// The command line's door to a step's report: each entry printed on standard
// output as it comes (UTF-8, as the steps word it), and a refusal on standard
// error naming the option that would pass it.
#pragma once

#include <string>

#include "app/core/project/step_report.h"

namespace ds_app {

/// The option that gives an override on the command line ("--force").
std::string override_option(override_id id);

/// Prints one entry on standard output.
void print_entry(const report_entry& entry);

/// A report that prints each entry on standard output as it comes.
step_report terminal_report();

/// A refusal as the command line words it, naming its override's option.
std::string refusal_text(const step_refused& refused);

/// An error for the user on standard error (UTF-8), control characters escaped.
void complain(const std::string& text);

}  // namespace ds_app
