// Writing a drawing component's sheets in the formats of ds_sheet::sheet_formats()
// (SVG, DXF, PDF, and the HTML page that shows them).
#pragma once

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "app/core/project/step_report.h"
#include "host/drawing_lib/rx_component.h"
#include "host/sheet_formats/sheet_formats.h"
#include "host/sheet_model/sheet_file_name.h"

namespace ds_app {

/// Makes `folder` and the folders above it (nothing for an empty path);
/// throws std::runtime_error naming it when it cannot.
void make_folder(const std::filesystem::path& folder);

/// True when the file at `path` begins as the files of `format` this program
/// writes do: the only files a sheet may replace.
bool is_our_kind(const std::filesystem::path& path, const ds_sheet::sheet_format& format);

/// Where the sheets go.
struct sheet_folders {
    /// The folder, or the file of a format whose option names one (PDF), given
    /// for each of ds_sheet::sheet_formats(), in their order; empty: not this format.
    std::vector<std::filesystem::path> targets = std::vector<std::filesystem::path>(ds_sheet::sheet_formats().size());
    bool overwrite = false;  ///< replace sheet files that were there before this command
    bool any() const;
};

/// An option for each sheet format (--svg DIR, --dxf DIR, --pdf FILE, --html DIR) and --overwrite.
void add_sheet_options(CLI::App& command, sheet_folders& folders);

/// Writes sheets into the folders (made when missing), reporting every file.
/// Each sheet is flattened once and handed to the writer of each format. A
/// file is named after its sheet's title by ds_sheet::safe_file_stem; no two
/// sheets of one output share a name (ds_sheet::file_name_register).
/// Files already there are protected: a file this output did not write is
/// replaced only with `overwrite`, and even then only when it is a file of
/// the same kind this program writes (ds_sheet::sheet_format::recognises),
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
    /// Finishes the files of the whole set, titled `heading`, in table order (the
    /// PDF, then the HTML page of everything written so far).
    void finish(const CString& heading);

private:
    /// A whole-set format being written: its file and its writer.
    struct set_output {
        const ds_sheet::sheet_format* format;
        std::filesystem::path file;
        std::unique_ptr<ds_sheet::sheet_set_writer> writer;
    };

    /// False when `path` was written by this output already; throws when it may not be written.
    bool may_write(const std::filesystem::path& path, const CString& title, const ds_sheet::sheet_format& format);
    void write_file(const ds_sheet::flat_sheet& flat, const ds_sheet::sheet_format& format, const std::filesystem::path& folder,
                    const std::string& stem);

    sheet_folders m_folders;
    step_report& m_report;
    ds_sheet::file_name_register m_names;
    std::set<std::filesystem::path> m_paths;  ///< every file written so far
    std::vector<set_output> m_sets;           ///< in table order
};

}  // namespace ds_app
