// Writing a drawing component's sheets as SVG and DXF files, and the HTML page
// that shows them.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "host/drawing_lib/html_index.h"
#include "host/drawing_lib/rx_component.h"

namespace ds_app {

/// Folders the sheets go to; an empty path means "not this format".
struct sheet_folders {
    std::filesystem::path svg;
    std::filesystem::path dxf;
    std::filesystem::path html;  ///< gets the SVG and DXF files too, and index.html
    bool any() const { return !svg.empty() || !dxf.empty() || !html.empty(); }
};

/// Adds --svg DIR, --dxf DIR and --html DIR to a command.
void add_sheet_options(CLI::App& command, sheet_folders& folders);

/// Writes sheets into the folders (made when missing), printing every path.
/// A file is named after its sheet's title ("/" becomes "-"); when two sheets
/// written by one output share a title, the later one's name starts with its
/// drawing's name. Throws on a file that cannot be written; files written
/// before stay.
class sheet_output {
public:
    explicit sheet_output(sheet_folders folders);

    /// Writes every sheet of `papers`, which belong to the drawing named `drawing`.
    void write(const CString& drawing, const std::vector<RXDSGNMOD::CRXPaper*>& papers);
    /// Writes the HTML page of everything written so far, when an HTML folder was given.
    void finish(const CString& heading);

private:
    std::string file_stem(const CString& drawing, const CString& title);

    sheet_folders m_folders;
    std::set<std::string> m_used;
    std::vector<ds_sheet::indexed_sheet> m_written;
};

}  // namespace ds_app
