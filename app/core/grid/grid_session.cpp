// Grid tables of a drawing, filled and read back by its observer, edited as the user.
#include "app/core/grid/grid_session.h"

#include <algorithm>
#include <cmath>
#include <climits>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>

#include "app/core/project/shown_text.h"
#include "app/core/grid/height_counts.h"
#include "app/core/grid/list_carry_over.h"
#include "app/core/project/node_view.h"
#include "app/core/project/runtime_objects.h"
#include "host/fields/field_catalogue.h"
#include "host/grid/grid_table_text.h"
#include "host/grid/table_templates.h"
#include "host/project/record_limits.h"
#include "host/framework/string_tools.h"

namespace ds_app {

namespace {

/// Key of the common observer's reference cell: focusing it makes the observer
/// list the drawings it may refer to.
const char* const reference_cell_key = "m_Ref_path";

/// The parametric grid's list table, whose columns are the cells of a list row.
const char* const parametric_list_table = "垫石-参数化列表";

std::string place(const table_edit& edit)
{
    std::string text = edit.origin + ": " + shown(edit.table);
    if (edit.row > 0) text += "[" + std::to_string(edit.row) + "]";
    return text + "." + shown(edit.key);
}

/// Kind of the key's cells: the property's cell, or the first filled cell of a list column.
CVQVariant::value_kind cell_kind(const CVQDataBase& table, const CString& key, int row)
{
    if (!table.is_list()) {
        const CVQVariant* cell = table.get_prop_cell(key);
        return cell ? cell->kind() : CVQVariant::value_kind::empty;
    }
    const CVQVariant* own = table.get_prop_cell(row - 1, key);
    if (own && !own->is_empty()) return own->kind();
    for (int r = 0; r < table.GetNumberRows(); ++r)
        if (const CVQVariant* cell = table.get_prop_cell(r, key); cell && !cell->is_empty()) return cell->kind();
    return CVQVariant::value_kind::empty;
}

}  // namespace

grid_session::grid_session(const char* observer_class, const CString& node_tag)
    : m_observer(create_object<graph_grid_ui_observer_base>(observer_class, "grid observer"))
{
    m_observer->set_data_node_tag(node_tag);
    m_observer->get_table_template_names(m_templates);
    for (const auto& [template_name, table_names] : m_templates)
        for (const CString& name : table_names) {
            if (m_tables.count(name)) continue;
            m_owned.emplace_back(table_templates::create_data_base(name));
            m_tables[name] = m_owned.back().get();
        }
}

grid_session::~grid_session() = default;

void grid_session::load() { m_observer->load_data_to_ui(m_tables); }

void grid_session::save()
{
    for (const auto& [name, table] : m_tables) {
        if (!table || table->is_list() || !table->has_key(reference_cell_key)) continue;
        NM_VQGRID notify{table->find_row_by_tag(reference_cell_key), 1};
        m_observer->on_cell_focus_changed(table, &notify);
    }
    for (const table_edit& edit : m_applied) check_choice(table_for(edit), edit);
    m_observer->save_data_from_ui(m_tables);
}

CVQDataBase& grid_session::table_for(const table_edit& edit) const
{
    const auto it = m_tables.find(edit.table);
    if (it == m_tables.end()) {
        std::vector<CString> names;
        for (const auto& entry : m_tables) names.push_back(entry.first);
        throw std::runtime_error(place(edit) + ": this grid has no such table; tables: " + shown_list(names));
    }
    if (!it->second) throw std::runtime_error(place(edit) + ": the host has no template for this table");
    CVQDataBase& table = *it->second;
    if (!table.has_key(edit.key))
        throw std::runtime_error(place(edit) + ": the table has no such key; keys: " + shown_list(table.get_keys()));
    if (table.is_list() && edit.row == 0)
        throw std::runtime_error(place(edit) + ": a list table; name the row as TABLE[ROW].KEY (rows 1 to " +
                                 std::to_string(table.GetNumberRows()) + ")");
    if (!table.is_list() && edit.row != 0)
        throw std::runtime_error(place(edit) + ": a property table has no rows; write TABLE.KEY=VALUE");
    return table;
}

NM_VQGRID grid_session::cell_of(CVQDataBase& table, const table_edit& edit) const
{
    if (!table.is_list()) return NM_VQGRID{table.find_row_by_tag(edit.key), table.column_of(edit.key)};
    const int rows = table.GetNumberRows();
    if (edit.row == rows + 1) table.user_append_rows(1);
    else if (edit.row > rows)
        throw std::runtime_error(place(edit) + ": the table has rows 1 to " + std::to_string(rows) + "; row " +
                                 std::to_string(rows + 1) + " appends one");
    return NM_VQGRID{table.GetFixedRowCount() + edit.row - 1, table.column_of(edit.key)};
}

void grid_session::check_choice(const CVQDataBase& table, const table_edit& edit) const
{
    const CString list = table.get_choice_list(edit.key);
    const std::vector<CString>* choices = list.IsEmpty() ? nullptr : table.get_env_variable(list);
    if (!choices || choices->empty() || edit.value.IsEmpty()) return;
    if (std::find(choices->begin(), choices->end(), edit.value) != choices->end()) return;
    throw std::runtime_error(place(edit) + ": \"" + shown(edit.value) + "\" is not a choice of list " + shown(list) +
                             "; choices: " + shown_list(*choices));
}

void grid_session::check_field(const table_edit& edit) const
{
    const field_catalogue::field* f = field_catalogue::find(edit.table, edit.key);
    if (!f) return;  // a cell the catalogue does not describe takes what its kind takes
    const auto refused = field_catalogue::check(*f, edit.value);
    if (!refused) return;
    const field_catalogue::place* shown_at = nullptr;
    for (const auto& p : f->places)
        if (edit.table == p.table && edit.key == p.key) shown_at = &p;
    throw std::runtime_error(place(edit) + " (" + shown(CString(shown_at ? shown_at->caption : "")) + "): \"" +
                             shown(edit.value) + "\" " + refused->rule +
                             (refused->hint.empty() ? std::string() : " (" + refused->hint + ")"));
}

const CVQVariant* grid_session::cell(const CString& table_name, int row, const CString& key) const
{
    const auto it = m_tables.find(table_name);
    if (it == m_tables.end() || !it->second || !it->second->has_key(key)) return nullptr;
    return row > 0 ? it->second->get_prop_cell(row - 1, key) : it->second->get_prop_cell(key);
}

std::vector<CString> grid_session::tables_with_key(const CString& key) const
{
    std::vector<CString> names;
    for (const auto& [name, table] : m_tables)
        if (table && table->has_key(key)) names.push_back(name);
    return names;
}

CVQVariant grid_session::typed_value(const CVQDataBase& table, const table_edit& edit) const
{
    const CVQVariant::value_kind kind = cell_kind(table, edit.key, edit.row);
    if (kind != CVQVariant::value_kind::real && kind != CVQVariant::value_kind::integer) {
        const field_catalogue::field* f = field_catalogue::find(edit.table, edit.key);
        return CVQVariant(f ? field_catalogue::canonical(*f, edit.value) : edit.value, false);
    }
    double number = 0.0;
    if (!grid_number_text::parse_real(edit.value, number))
        throw std::runtime_error(place(edit) + ": \"" + shown(edit.value) + "\" is not a number");
    if (kind == CVQVariant::value_kind::real) return CVQVariant(number);
    if (number != std::floor(number) || number < INT_MIN || number > INT_MAX)
        throw std::runtime_error(place(edit) + ": \"" + shown(edit.value) + "\" is not a whole number");
    return CVQVariant(static_cast<int>(number));
}

void grid_session::apply(const table_edit& edit)
{
    CVQDataBase& table = table_for(edit);
    check_field(edit);
    const CVQVariant value = typed_value(table, edit);  // before a row is appended: a bad value adds nothing
    NM_VQGRID notify = cell_of(table, edit);
    m_observer->on_cell_focus_changed(&table, &notify);
    check_choice(table, edit);
    const bool written = table.is_list() ? table.user_set_prop(edit.row - 1, edit.key, value)
                                         : table.user_set_prop(edit.key, value);
    if (!written) throw std::runtime_error(place(edit) + ": the cell cannot be written");
    m_observer->cell_value_changed(&table, &notify);
    m_applied.push_back(edit);
}

CString grid_session::render() const
{
    CString text;
    for (const auto& [template_name, table_names] : m_templates) {
        text += "模板 " + template_name + "\n";
        for (const CString& name : table_names) {
            const auto it = m_tables.find(name);
            if (it == m_tables.end() || !it->second) {
                text += "表格 " + name + " (主机无此模板)\n";
                continue;
            }
            // Edits name a table by the name the observer asked for, which a composite table may not show.
            if (it->second->get_table_name() != name) text += "(编辑时表名写作 " + name + ")\n";
            text += grid_table_text::render(*it->second);
        }
    }
    return text;
}

const char* observer_class(grid_mode mode)
{
    switch (mode) {
    case grid_mode::common: return module_class::common_grid;
    case grid_mode::advanced: return module_class::advanced_grid;
    case grid_mode::parametric: return module_class::parametric_grid;
    }
    return module_class::advanced_grid;
}

namespace {

bool same_value(const CVQVariant& typed, const CVQVariant* now)
{
    if (!now) return false;
    double a = 0, b = 0;
    if (typed.to_double(a) && now->to_double(b)) return a == b;
    return typed.text() == now->text();
}

/// Why an edit of `edit.key` may not have stayed: another table carrying the same key.
std::string why_not_kept(const grid_session& grid, const table_edit& edit)
{
    std::vector<CString> others;
    for (const CString& name : grid.tables_with_key(edit.key))
        if (name != edit.table) others.push_back(name);
    if (others.empty()) return "the observer did not keep it (the drawing's other values decide this cell)";
    return "the table " + shown_list(others) + " also carries this setting, and the observer keeps that table's value";
}

std::string bytes(const CString& text) { return std::string(text.GetString(), std::size_t(text.GetLength())); }

/// The edits whose cell does not show the typed value once the observer
/// loads the saved drawing again; the last edit of a cell counts.
std::vector<std::string> edits_without_effect(const grid_session& again, const std::vector<table_edit>& edits)
{
    // The last edit of each cell, found from the end: a pasted block holds thousands of edits.
    std::set<std::tuple<std::string, int, std::string>> seen;
    std::vector<bool> last(edits.size());
    for (std::size_t i = edits.size(); i-- > 0;)
        last[i] = seen.emplace(bytes(edits[i].table), edits[i].row, bytes(edits[i].key)).second;
    std::vector<std::string> lost;
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const table_edit& e = edits[i];
        if (!last[i]) continue;
        const CVQVariant* now = again.cell(e.table, e.row, e.key);
        if (same_value(CVQVariant(e.value, false), now)) continue;
        lost.push_back(e.origin + ": " + shown(e.table) + (e.row ? "[" + std::to_string(e.row) + "]" : "") + "." +
                       shown(e.key) + " = \"" + shown(e.value) + "\" had no effect: the cell shows \"" +
                       (now ? shown(now->text()) : std::string()) + "\" after the save; " + why_not_kept(again, e));
    }
    return lost;
}

}  // namespace

void run_grid(graph_data_base& drawing, grid_mode mode, const std::vector<table_edit>& edits, step_report& report,
              bool show_tables, bool force, bool as_table)
{
    grid_session grid(observer_class(mode), drawing.get_node_tag());
    grid.load();
    if (show_tables) {
        report.line(std::string("tables of ") + observer_class(mode) + " for " + shown(drawing.get_node_name()) + ":");
        report.block(grid.render());
    }
    if (edits.empty()) return;

    const auto before = snapshot(drawing);
    // Each step below compares with the drawing as it was; a long list is written out once for all of them.
    const nlohmann::ordered_json before_form = stored_form(*before);
    for (const table_edit& edit : edits) {
        report.narrow_line("edit " + edit.table + (edit.row ? "[" + string_tools::num_to_string(edit.row) + "]" : CString()) + "." +
            edit.key + " = " + edit.value);
        grid.apply(edit);
    }
    grid.save();
    // The observer builds the list rows from the table's columns, so what a row
    // holds beyond them would fall back to the row defaults.
    if (mode == grid_mode::parametric && !as_table)
        report_carried_rows(carry_over_list_rows(drawing, before_form, parametric_list_table), report);
    // The grid takes any number the cell holds; the drawing must not carry one
    // the host refuses to load. Throwing here keeps the project file as it was.
    record_limits::check_node(drawing);
    grid_session again(observer_class(mode), drawing.get_node_tag());
    again.load();
    const std::vector<std::string> lost = edits_without_effect(again, edits);
    if (!lost.empty() && !force) {
        std::string lines;
        for (const std::string& line : lost) lines += "\n  " + line;
        const std::string reason = std::to_string(lost.size()) + " edit(s) had no effect, so nothing was saved:" + lines;
        throw step_refused(reason + "\nEdit the table the observer keeps.", shown(drawing.get_node_name()),
                           override_id::accept_damaged,
                           reason + "\nEdit the table the observer keeps, or give " + std::string(override_slot) +
                               " to save the other edits.");
    }
    for (const std::string& line : lost) report.warning(line);
    report.line("saved " + std::to_string(edits.size() - lost.size()) + " edit(s) through " + observer_class(mode) +
                (lost.empty() ? "" : "; " + std::to_string(lost.size()) + " had no effect"));
    const nlohmann::ordered_json after_form = stored_form(drawing);
    for (const std::string& line : new_height_count_mismatches(before_form, after_form)) report.note(line);
    report_changes(*before, before_form, drawing, after_form, report);
    if (!show_tables) return;

    report.line("tables as the observer loads them now:");
    report.block(again.render());
}

}  // namespace ds_app
