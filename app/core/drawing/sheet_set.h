// The drawing set: every pedestal drawing of a project, single and parametric,
// drawn into one numbered set of sheets — a contents sheet first, then each
// drawing's sheets in a stable order (bridge part, structure number, drawing
// name), drawing numbers and "第n张 共m张" running through the whole set —
// written as one PDF with an outline entry per drawing, a DXF and an SVG per
// sheet and the index.html page. The title blocks read the project's facts.
// The same project gives the same bytes: nothing depends on the clock when
// the facts give a date, nor on the order threads finish in.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/core/project/step_report.h"
#include "app/core/project/workspace.h"

namespace ds_app {

/// How far a set has come.
struct set_progress {
    std::size_t drawings_done = 0, drawings = 0;
    std::size_t sheets_written = 0, sheets = 0;  ///< sheets: 0 until the set is numbered
};

struct set_request {
    std::filesystem::path folder;  ///< where the files go (made when missing)
    /// Per entry of ds_sheet::sheet_formats(), in its order: write this format.
    std::vector<bool> formats;
    unsigned threads = 1;  ///< threads that build and write sheets
    /// Draw again only the drawings whose records changed since the last set
    /// written into the folder (set_record.h); the others' sheet files stand.
    bool only_changed = false;
    /// Told of progress now and then, from any thread, never from two at once.
    std::function<void(const set_progress&)> progress;
};

/// What came of a set.
struct set_outcome {
    std::size_t drawings = 0, sheets = 0;
    std::vector<CString> failed;  ///< drawings whose design check failed (their findings sheets are in the set)
};

/// The file name of the set's PDF in its folder.
inline constexpr const char* set_pdf_name = "sheets.pdf";

/// Draws and writes the set of `project` as the request says, reporting each
/// drawing's place in the set and the set's files. A file already in the folder
/// is replaced only when it is a file of its kind this program writes; anything
/// else is refused (step_refused) before a file is written. Throws
/// std::runtime_error when a file cannot be written.
set_outcome write_sheet_set(workspace& project, const set_request& request, step_report& report);

}  // namespace ds_app
