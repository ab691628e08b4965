// Writing a drawing component's sheets as SVG, DXF and PDF files, and the
// HTML page that shows them.
#pragma once

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "app/core/step_report.h"
#include "host/drawing_lib/html_index.h"
#include "host/drawing_lib/pdf_writer.h"
#include "host/drawing_lib/rx_component.h"
#include "host/drawing_lib/sheet_file_name.h"
#include "host/drawing_lib/sheet_writer.h"

namespace ds_app {

/// Where the sheets go; an empty path means "not this format".
struct sheet_folders {
    std::filesystem::path svg;
    std::filesystem::path dxf;
    std::filesystem::path html;  ///< gets the SVG and DXF files too, and index.html
    std::filesystem::path pdf;   ///< one PDF file holding every sheet, a page each
    bool overwrite = false;      ///< replace sheet files that were there before this command
    bool any() const { return !svg.empty() || !dxf.empty() || !html.empty() || !pdf.empty(); }
};

/// Adds --svg DIR, --dxf DIR, --html DIR, --pdf FILE and --overwrite to a command.
void add_sheet_options(CLI::App& command, sheet_folders& folders);

/// Writes sheets into the folders (made when missing), reporting every file.
/// Each sheet is flattened once and handed to the writer of each format. A
/// file is named after its sheet's title by ds_sheet::safe_file_stem; no two
/// sheets of one output share a name (ds_sheet::file_name_register).
/// Files already there are protected: a file this output did not write is
/// replaced only with `overwrite`, and even then only when it is a file of
/// the same kind this program writes (an SVG, a DXF, a PDF, an HTML page),
/// never a project or anything else that happens to carry the name; a
/// folder, link or device in the way is refused. Every refusal and every
/// failed write names the sheet and the path, and throws; files written
/// before stay.
class sheet_output {
public:
    sheet_output(sheet_folders folders, step_report& report);
    ~sheet_output();

    /// Writes every sheet of `papers`, which belong to the drawing named `drawing`.
    void write(const CString& drawing, const std::vector<RXDSGNMOD::CRXPaper*>& papers);
    /// Finishes the PDF and writes the HTML page of everything written so far, titled `heading`.
    void finish(const CString& heading);

private:
    /// False when `path` was written by this output already; throws when it may not be written.
    bool may_write(const std::filesystem::path& path, const CString& title);
    void write_file(const ds_sheet::flat_sheet& flat, ds_sheet::sheet_format format, const std::filesystem::path& folder,
                    const std::string& stem);

    sheet_folders m_folders;
    step_report& m_report;
    ds_sheet::file_name_register m_names;
    std::set<std::filesystem::path> m_paths;  ///< every file written so far
    std::vector<ds_sheet::indexed_sheet> m_written;
    std::unique_ptr<ds_sheet::pdf_book> m_pdf;
};

}  // namespace ds_app
