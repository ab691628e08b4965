// html_index: one page that shows the sheets of a project in a browser.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/afx/cstring.h"
#include "host/sheet_model/sheet_set_writer.h"

namespace ds_sheet {

/// The page's file name in its folder.
inline constexpr const char* html_index_name = "index.html";

/// One sheet on the page: the drawing it belongs to, its title, and its files
/// relative to the page's folder (the DXF may be empty).
struct indexed_sheet {
    CString drawing;
    CString title;
    std::string svg;
    std::string dxf;
};

/// Writes `folder`/html_index_name, atomically: a heading, then per drawing its
/// sheets in order, each as its picture with its title and links to its files;
/// `pdf`, when not empty, is the PDF of the whole set relative to the page,
/// linked under the heading. The page is UTF-8 throughout: its own texts are
/// ASCII or character references (the source's narrow literals are in the
/// host code page), the sheets' texts go through markup_text.
/// Returns the page's path.
std::filesystem::path write_html_index(const std::filesystem::path& folder, const CString& heading,
                                       const std::vector<indexed_sheet>& sheets, const std::string& pdf = {});

/// The page `page` (folder/html_index_name) as the writer of a whole set:
/// each sheet is shown by its file ending ".svg" and linked by the one ending
/// ".dxf" (the files the set writes beside the page); the set's PDF, when
/// another writer finished one before, is linked under the heading.
std::unique_ptr<sheet_set_writer> open_html_set(const std::filesystem::path& page);

}  // namespace ds_sheet
