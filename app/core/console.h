// Terminal output of ds-host: in-memory text is GBK, the terminal is UTF-8.
// Every function here shows control characters (ESC, NUL, CR, ...) as visible
// escapes, so a name from a file cannot steer the terminal or cut a line short;
// only the line breaks and tabs of multi-line output stay as they are.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/afx/cstring.h"

namespace ds_app {

/// Prints narrow (GBK) text as UTF-8, followed by a newline.
void say(const CString& text);
/// Prints narrow text that already ends in newlines (a rendered table) as UTF-8.
void say_block(const CString& text);
/// Prints UTF-8 text as it is, followed by a newline.
void say_utf8(const std::string& text);
/// Prints each line, indented.
void say_lines(const std::vector<CString>& lines, const char* indent = "  ");
/// Prints a step heading: a blank line, then "== title ==".
void say_heading(const std::string& title);
/// Prints and clears the host's message log (the plan-information window);
/// "messages: none" when the module printed nothing.
void say_messages();
/// An error for the user on standard error (UTF-8).
void complain(const std::string& text);

/// The text of a u8 literal. Plain literals are GBK in this build, so text
/// meant for the terminal as it stands (help texts) is written as u8"...".
inline std::string utf8_literal(const char8_t* text) { return reinterpret_cast<const char*>(text); }

/// Narrow text as UTF-8 for messages that are built in UTF-8 (errors, headings),
/// on one line: line breaks are escaped too.
std::string shown(const CString& text);
/// UTF-8 text (a file name, a name already converted) on one line, control characters escaped.
std::string shown_utf8(std::string_view utf8);
/// "a, b, c" of narrow names, as UTF-8; "(none)" for an empty list.
std::string shown_list(const std::vector<CString>& names);

}  // namespace ds_app
