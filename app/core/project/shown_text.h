// Text for people, made safe to show: in-memory text is GBK, what a person
// reads (terminal, page) is UTF-8. Names and texts come from files, so every
// function here shows control characters (ESC, NUL, CR, ...) as visible
// escapes: a name cannot steer a terminal or cut a line short. Only the line
// breaks and tabs of multi-line text stay as they are, where asked for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/afx/cstring.h"

namespace ds_app {

/// The text of a u8 literal. Plain literals are GBK in this build, so text
/// meant for a person as it stands (help texts) is written as u8"...".
inline std::string utf8_literal(const char8_t* text) { return reinterpret_cast<const char*>(text); }

/// Narrow text as UTF-8 on one line: line breaks are escaped too.
std::string shown(const CString& text);
/// UTF-8 text (a file name, a name already converted) on one line, control characters escaped.
std::string shown_utf8(std::string_view utf8);
/// "a, b, c" of narrow names, as UTF-8; "(none)" for an empty list.
std::string shown_list(const std::vector<CString>& names);
/// UTF-8 text of several lines: control characters escaped but line breaks and tabs.
std::string shown_lines(std::string_view utf8);

}  // namespace ds_app
