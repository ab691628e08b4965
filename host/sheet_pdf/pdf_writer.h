// pdf_writer: the sheets of a set as one PDF, for plotting and submission.
//
// cairo writes the PDF and Pango sets the texts: a page per sheet at the
// sheet's paper size (A3 landscape), everything as vector paths and real
// text, the CJK face (Noto Sans CJK SC from fonts-noto-cjk, as the SVG files
// name first) embedded as a subset, so the file prints the same on any
// machine. Colours, pens and dashes come from the layer style table, exactly
// as in the SVG files. Texts pass through plain_text (markup_text.h). The
// reader's outline lists the pages by their sheets' titles.
// The file appears only when the book is finished: until then it is written
// to a hidden temporary file, so a failure leaves an existing PDF as it was.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "host/sheet_model/sheet_primitives.h"
#include "host/sheet_model/sheet_set_writer.h"

namespace ds_sheet {

/// Font family of PDF texts.
inline constexpr const char* pdf_font_family = "Noto Sans CJK SC";

/// The advance of `utf8` (one character, or a run) set in `family` at a size
/// of one, as Pango lays it out with the fonts of this system; 0 when it sets
/// nothing. Not for concurrent use: callers serialise it.
double font_advance_em(const char* family, const std::string& utf8);
/// The height of the capital letters of `family` ("H", inked) at a size of one.
double font_cap_height_em(const char* family);

class pdf_book {
public:
    /// Starts the book that will be `path`. Throws ds_file::file_error.
    explicit pdf_book(const std::filesystem::path& path);
    ~pdf_book();
    pdf_book(const pdf_book&) = delete;
    pdf_book& operator=(const pdf_book&) = delete;

    /// Adds `flat` as the next page, listed in the outline under its title. With
    /// an `outline` text the page opens a new entry of that name, and it and the
    /// pages after it are listed under that entry. Throws ds_text::conversion_error
    /// on a text with no UTF-8 form.
    void add(const flat_sheet& flat, const CString& outline = {});
    /// Creation date of the document, "YYYY-MM-DD"; the clock's when not given.
    void stamp_date(const std::string& iso_date);
    /// Titles the document and puts the file in place. Throws ds_file::file_error;
    /// a book not finished leaves no file.
    void finish(const CString& title);
    int pages() const { return m_pages; }

private:
    struct state;
    std::unique_ptr<state> m_state;
    int m_pages = 0;
    int m_parent = 0;  ///< outline entry the page entries go under (0: the root)
};

/// A pdf_book as the writer of a whole set: finished, it says how many pages it holds.
std::unique_ptr<sheet_set_writer> open_pdf_set(const std::filesystem::path& path);

}  // namespace ds_sheet
