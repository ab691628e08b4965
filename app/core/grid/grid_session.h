// A grid view of one drawing, as the host shows it: an observer created by
// class name, one table per name the observer asks for (built from the host's
// templates), and the user's edits applied cell by cell.
#pragma once

#include <memory>
#include <vector>

#include "app/core/project/step_report.h"
#include "app/core/grid/table_edits.h"
#include "host/framework/graph_data_base.h"
#include "host/grid/cvq_data_base.h"
#include "host/ui_base/graph_grid_ui_observer_base.h"

namespace ds_app {

class grid_session {
public:
    /// Creates the observer `observer_class` for the node tagged `node_tag` and
    /// builds the tables of its templates. A table without a host template is
    /// handed to the observer as null, as the host does.
    grid_session(const char* observer_class, const CString& node_tag);
    ~grid_session();
    grid_session(const grid_session&) = delete;
    grid_session& operator=(const grid_session&) = delete;

    /// The observer fills the tables from the drawing.
    void load();
    /// The observer reads the tables back into the drawing. Before that the
    /// host focuses the reference cell, if the tables have one, so the observer
    /// knows the referable drawings, and checks every edited cell against the
    /// choice lists published by then.
    void save();

    /// One edit as the user makes it: focus the cell (the observer may publish
    /// choices), check the value against the cell's choices and kind, write it,
    /// report the change. Throws std::runtime_error naming the edit's origin,
    /// the table and the key, with the tables, keys, rows or choices that exist.
    void apply(const table_edit& edit);

    /// Every table, template by template, as readable text.
    CString render() const;

    /// The cell of `key` in `table_name` (`row` 1-based for a list, 0 for a property); null when there is none.
    const CVQVariant* cell(const CString& table_name, int row, const CString& key) const;
    /// Tables of this grid that carry `key`.
    std::vector<CString> tables_with_key(const CString& key) const;

private:
    CVQDataBase& table_for(const table_edit& edit) const;
    /// The grid notification of a cell; appends a row for a list row one past the end.
    NM_VQGRID cell_of(CVQDataBase& table, const table_edit& edit) const;
    void check_choice(const CVQDataBase& table, const table_edit& edit) const;
    /// The field catalogue's check of the typed text; throws naming the cell, caption, value and rule.
    void check_field(const table_edit& edit) const;
    CVQVariant typed_value(const CVQDataBase& table, const table_edit& edit) const;

    std::unique_ptr<graph_grid_ui_observer_base> m_observer;
    table_template_list m_templates;
    std::vector<std::unique_ptr<CVQDataBase>> m_owned;
    table_map m_tables;
    std::vector<table_edit> m_applied;
};

/// Which observer shows a drawing.
enum class grid_mode { common, advanced, parametric };

/// Runtime class name of the observer of `mode`.
const char* observer_class(grid_mode mode);

/// Loads `drawing` into the grid of `mode` and reports the tables. With edits,
/// applies them as the user (each checked by the field catalogue first),
/// saves them through the observer, reports the changes and the tables as the
/// observer loads them afterwards. Throws record_limits::limit_error when the
/// saved drawing holds a value the loader would refuse (the caller then leaves
/// the project file as it was). An edit whose cell does not show its value once
/// the observer loads the saved drawing again (another table carrying the same
/// setting wins) is named with the reason, and throws step_refused
/// (override_id::accept_damaged passes it) unless `force`. Without
/// `show_tables` only the edits and the changes are reported. In the parametric
/// grid the list rows keep what the table has no column for (carried over by
/// bridge part and number, carry_over_list_rows), unless `as_table`.
void run_grid(graph_data_base& drawing, grid_mode mode, const std::vector<table_edit>& edits, step_report& report,
              bool show_tables = true, bool force = false, bool as_table = false);

}  // namespace ds_app
