// sheet_set_writer: the interface of a format that writes the whole set of
// sheets as one file (a PDF book, an HTML page showing them).
//
// Such a file can only be finished once every sheet is known, so its writer
// is opened before the first sheet, handed each sheet as it is made, and
// finished at the end. Formats with one file per sheet need no object: a
// function from a flattened sheet to a file is all they are (sheet_formats.h).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "host/afx/cstring.h"
#include "host/sheet_model/sheet_primitives.h"

namespace ds_sheet {

/// What a whole-set writer learns of a sheet besides the sheet itself.
struct set_sheet {
    CString drawing;                 ///< the drawing the sheet belongs to
    std::vector<std::string> files;  ///< the sheet's own files written beside the set's file, by name
    /// Non-empty on the first sheet of a drawing in a numbered set: the drawing's
    /// entry in the reader's outline, under which its sheets are listed.
    CString outline = {};
};

class sheet_set_writer {
public:
    virtual ~sheet_set_writer() = default;
    /// Takes the next sheet. Throws ds_text::conversion_error on a text with no UTF-8 form.
    virtual void add(const flat_sheet& flat, const set_sheet& sheet) = 0;
    /// Dates the file `iso_date` ("2026-12-07") instead of the clock, so the same
    /// set gives the same bytes; formats that carry no date ignore it.
    virtual void stamp_date(const std::string& iso_date) { (void)iso_date; }
    /// Titles the file `heading` and puts it in place; `others` are the files
    /// of the same set that other writers finished before this one. Returns
    /// what is worth saying of the file ("3 page(s)"), empty when nothing is.
    /// Throws ds_file::file_error; a writer not finished leaves no file.
    virtual std::string finish(const CString& heading, const std::vector<std::filesystem::path>& others) = 0;
};

}  // namespace ds_sheet
