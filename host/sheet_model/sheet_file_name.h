// sheet_file_name: file names made from sheet titles.
//
// A title is text a user typed (a pier's name, a note), so it may hold
// anything; the name made from it must stay one plain file in the chosen
// folder on Linux, Windows and macOS alike. The rules:
// - the title in UTF-8; NUL and every other control character, "/" and "\",
//   and the characters Windows forbids (: * ? " < > |) become "-";
// - leading and trailing blanks and dots are dropped (a leading dot hides a
//   file, Windows drops trailing ones); an empty result becomes "sheet";
// - a name Windows reserves for a device (CON, PRN, AUX, NUL, COM1-9, LPT1-9,
//   with or without an extension, any case) gets "sheet-" in front;
// - the name is cut to 180 bytes at a character boundary, which leaves room
//   for a drawing's name or a number and the extension within the 255 bytes
//   file systems allow;
// - two titles never get one name: a name already given by this register,
//   compared without regard to case (Windows and macOS folders ignore it),
//   is tried again as "<drawing>-<name>", then "<name> (2)", "(3)", ...
#pragma once

#include <set>
#include <string>

#include "host/afx/cstring.h"

namespace ds_sheet {

/// The longest stem safe_file_stem gives, bytes.
inline constexpr std::size_t max_file_stem = 180;

/// `title` (narrow text) as a file name stem by the rules above. Throws
/// ds_text::conversion_error when the title has no UTF-8 form.
std::string safe_file_stem(const CString& title);

/// The stems given out so far, so that no two sheets share one.
class file_name_register {
public:
    /// A stem for the sheet `title` of the drawing `drawing`, never given before.
    std::string claim(const CString& drawing, const CString& title);

private:
    bool take(const std::string& stem);
    std::set<std::string> m_taken;  ///< lower-case
};

}  // namespace ds_sheet
