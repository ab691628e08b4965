// markup_text: narrow text as the character data or attribute value of an
// SVG or HTML document.
//
// One escaper for both formats. `& < > "` become entities. Characters XML 1.0
// forbids (C0 controls other than tab, line feed and carriage return, and the
// non-characters U+FFFE and U+FFFF) are replaced by U+FFFD, so a reader sees
// where something unprintable stood and the document stays well-formed; tab,
// line feed and carriage return become a space, because a sheet's text is one
// line and an attribute would otherwise normalise them anyway.
#pragma once

#include <string>
#include <string_view>

#include "host/afx/cstring.h"

namespace ds_sheet {

/// `utf8` escaped for XML/HTML text and double-quoted attributes.
std::string markup_escaped(std::string_view utf8);

/// `narrow` as one line of plain UTF-8 for a text renderer (PDF): the same
/// characters replaced as by markup_escaped, nothing escaped. Throws
/// ds_text::conversion_error when it has no UTF-8 form.
std::string plain_text(const CString& narrow);

/// Narrow (host code page) text converted to UTF-8 and escaped. Throws
/// ds_text::conversion_error when it has no UTF-8 form.
std::string markup_text(const CString& narrow);

}  // namespace ds_sheet
