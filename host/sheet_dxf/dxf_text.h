// dxf_text: sheet texts as DXF string values.
//
// A DXF file is a list of group code / value lines, so a value holding a line
// break would end early and its remainder would be read as further group
// codes: a text could inject entities. Every text therefore leaves here with
// no byte below 0x20. The rules, after the text is converted to the file's
// code page (GBK, $DWGCODEPAGE ANSI_936):
// - a one-line text (TEXT entity): tab becomes a space, every other control
//   character is dropped;
// - a text with line breaks (CR LF, CR or LF) is an MTEXT: each break becomes
//   the paragraph code \P, backslash and braces (MTEXT's own codes) are
//   escaped as \\ \{ \}, other control characters are dropped;
// - long values are cut into pieces of at most 250 bytes (MTEXT's group 3
//   pieces) never between the two bytes of a Chinese character.
// Bytes are read with GBK's rule (a byte from 0x81 starts a two-byte
// character), because the second byte of a character may be 0x5C, a
// backslash, which must not be escaped.
#pragma once

#include <string>
#include <vector>

#include "host/afx/cstring.h"

namespace ds_sheet {

/// True when `narrow` holds a line break (CR or LF).
bool has_line_break(const CString& narrow);

/// A one-line TEXT value in GBK. Throws ds_text::conversion_error when a character has no GBK form.
std::string dxf_line_text(const CString& narrow);

/// MTEXT content in GBK. Throws ds_text::conversion_error when a character has no GBK form.
std::string dxf_mtext(const CString& narrow);

/// `gbk` cut into pieces of at most `limit` bytes, whole characters each.
std::vector<std::string> dxf_pieces(const std::string& gbk, std::size_t limit = 250);

}  // namespace ds_sheet
