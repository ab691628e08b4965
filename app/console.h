// Terminal output of ds-host: in-memory text is GBK, the terminal is UTF-8.
#pragma once

#include <string>
#include <vector>

#include "host/afx/cstring.h"

namespace ds_app {

/// Prints narrow (GBK) text as UTF-8, followed by a newline.
void say(const CString& text);
/// Prints UTF-8 text as it is, followed by a newline.
void say_utf8(const std::string& text);
/// Prints each line, indented.
void say_lines(const std::vector<CString>& lines, const char* indent = "  ");
/// An error for the user on standard error (UTF-8).
void complain(const std::string& text);

}  // namespace ds_app
