// The steps on the engineer's bridge: the project's piers and abutments as the
// structure table (墩台表), imported, exported, added to and removed from, and
// the pedestal drawings on them named, made and brought up to date.
//
// Each step returns what it did as data; the command line words it. A step
// that refuses throws std::runtime_error naming the file, sheet, cell, value
// and rule (or the structure and the drawings on it) before it has changed
// anything the project session would save.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/core/bridge/bridge_references.h"
#include "app/core/exchange/spreadsheet_exchange.h"
#include "app/core/project/step_report.h"
#include "app/core/project/workspace.h"
#include "host/substructure/structure_table.h"

namespace ds_app {

/// The project's structures as the table shows them, in project order.
/// Throws std::runtime_error for a structure one line per row cannot hold.
std::vector<structure_table::structure> bridge_structures(const workspace& project);

/// One drawing on a structure, and whether it is stale.
struct drawing_state {
    CString name;
    bool stale = false;
    bool refreshable = true;
    std::string why_not;  ///< UTF-8, when not refreshable
};

/// A structure a step changed or removed and the drawings that refer to it.
struct structure_drawings {
    CString structure;
    std::vector<drawing_state> drawings;
};

/// A drawing a refresh brought up to date (or could not).
struct drawing_refresh {
    CString name;
    bool refreshed = false;
    std::string why_not;               ///< UTF-8, when not refreshed
    std::vector<std::string> lines;    ///< the facility's difference lines
    std::vector<std::string> messages; ///< what the module printed
};

struct bridge_import_options {
    bool prune = false;    ///< remove structures the table does not hold
    bool refresh = false;  ///< bring the stale drawings up to date as well
    bool force = false;    ///< remove structures drawings refer to
};

/// What an import, add or remove did.
struct bridge_change_report {
    std::string source;                        ///< UTF-8: the file and sheet read
    std::vector<std::string> notes;            ///< how the file was read
    std::vector<std::string> warnings;         ///< columns not read, drawings left on removed structures
    std::vector<structure_table::structure_change> changes;
    std::vector<CString> kept;                 ///< structures the table lacks, kept without --prune
    std::vector<structure_drawings> affected;  ///< per changed or removed structure with drawings on it
    std::vector<drawing_refresh> refreshed;    ///< with refresh
    /// The removed structures' drawings with the places they had, in the
    /// order they were taken out, for a caller that may put them back (undo).
    std::vector<workspace::taken_node> taken;
};

/// Writes the project's structures to the file; returns the number of lines.
std::size_t run_bridge_export(const workspace& project, const sheet_file& file);

/// Reads the table and brings the project's structures to it: adds and
/// changes structures (in place: tag and name stay), removes those it lacks
/// only with `prune`. Removing a structure a drawing refers to is refused,
/// naming the drawings, unless `force`.
bridge_change_report run_bridge_import(workspace& project, const sheet_file& file, const bridge_import_options& options);

/// Adds one structure given as table lines (`lines` holds caption→value
/// cells, the captions of the table; `source` names where they came from).
/// Refused when the structure exists.
bridge_change_report run_bridge_add(workspace& project, const ds_spreadsheet::table& lines, const std::string& source);

/// Removes the structure named `name` (UTF-8, "右幅3号墩"); refused while
/// drawings refer to it unless `force` (they are then named, and stay).
bridge_change_report run_bridge_remove(workspace& project, const std::string& name, bool force);

/// One cell of the structure table as the page edits it: `line` counts the
/// table's lines from 1 (the first pedestal row below the captions),
/// `column` is a structure_table::column, `value` narrow text.
struct structure_cell {
    std::size_t line = 1;
    std::size_t column = 0;
    CString value;
};

/// The project's structure table as one sheet: the captions in row 1, then a
/// line per pedestal row of each structure, in project order. A refused
/// table edit names its cell as this sheet places it ("J2": line 1's width).
ds_spreadsheet::table bridge_table_cells(const workspace& project);

/// Sets `cells` in the project's structure table and brings the structures
/// to the edited table as an import does. The values are checked by nothing
/// but the table's reader (the field catalogue and the table's rules), so a
/// cell takes what a table file's cell takes and is refused in the same
/// words. A shared setting (type, concrete, scale, cover, note) set in one
/// line is the structure's: its other lines take it too, unless the same
/// edit sets theirs. A line past the last adds one (the columns a table may
/// leave out at their defaults). A structure no line holds any more (its
/// lines renumbered, say) is removed: refused, naming the
/// drawings on it, while drawings refer to it unless `force` (step_refused
/// with override_id::force_remove). Refused before anything changes.
bridge_change_report run_bridge_table_edit(workspace& project, const std::vector<structure_cell>& cells, bool force);

/// Brings every stale drawing up to date through the reference facility.
std::vector<drawing_refresh> run_bridge_refresh(workspace& project);

/// The drawings that refer to each structure, with their state, for show.
std::vector<structure_drawings> bridge_drawing_states(const workspace& project);

/// What `bridge drawings` added.
struct bridge_drawings_report {
    std::vector<CString> added;     ///< drawings added, in order
    std::size_t already = 0;        ///< structure rows (or the parametric drawing) that had one already
    std::vector<std::string> messages;
};

/// --single: for each structure row without a single drawing referring to it,
/// one named "<structure><N>排垫石" referring to all its pedestals.
bridge_drawings_report run_bridge_single_drawings(workspace& project);
/// --parametric: one parametric drawing whose list is built from all
/// structures, unless one built so is there already.
bridge_drawings_report run_bridge_parametric_drawing(workspace& project);

/// A new project's structures from a table file (for `new --bridge`).
bridge_change_report add_bridge_from_file(workspace& project, const sheet_file& file);

/// The example bridge: two carriageways, a dozen structures, skew and varying heights.
std::vector<structure_table::structure> example_bridge();

}  // namespace ds_app
