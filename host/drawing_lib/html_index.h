// html_index: one page that shows the sheets of a project in a browser.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "host/afx/cstring.h"

namespace ds_sheet {

/// One sheet on the page: the drawing it belongs to, its title, and its files
/// relative to the page's folder (the DXF may be empty).
struct indexed_sheet {
    CString drawing;
    CString title;
    std::string svg;
    std::string dxf;
};

/// Writes `folder`/index.html, atomically: a heading, then per drawing its
/// sheets in order, each as its picture with its title and links to its files;
/// `pdf`, when not empty, is the PDF of the whole set relative to the page,
/// linked under the heading. The page is UTF-8 throughout: its own texts are
/// ASCII or character references (the source's narrow literals are in the
/// host code page), the sheets' texts go through markup_text.
/// Returns the page's path.
std::filesystem::path write_html_index(const std::filesystem::path& folder, const CString& heading,
                                       const std::vector<indexed_sheet>& sheets, const std::string& pdf = {});

}  // namespace ds_sheet
