// The bridge steps: the structure table in and out of the project, and the
// pedestal drawings on its structures.
#include "app/core/bridge/bridge_steps.h"

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

#include "app/core/project/shown_text.h"
#include "app/core/project/node_lookup.h"
#include "app/core/project/runtime_objects.h"
#include "host/framework/common_string_tools.h"
#include "host/framework/parameters_graph_data_base.h"
#include "host/framework/string_tools.h"
#include "host/substructure/structure_columns.h"
#include "host/substructure/structure_table_file.h"
#include "host/text/encoding.h"

namespace ds_app {

namespace {

namespace st = structure_table;

using structure_map = std::map<st::structure_key, substructure_graph_data*>;

structure_map structure_drawings_of(const workspace& project)
{
    structure_map map;
    for (const auto& node : project.nodes())
        if (auto* s = dynamic_cast<substructure_graph_data*>(node.get())) map.emplace(st::key_of(*s), s);
    return map;
}

std::string names_text(const std::vector<CString>& names) { return shown_list(names); }

/// The drawings that refer to `structure`.
std::vector<const drawing_reference*> references_to(const std::vector<drawing_reference>& references,
                                                    const substructure_graph_data& structure)
{
    std::vector<const drawing_reference*> found;
    for (const drawing_reference& r : references)
        if (r.refers_to(structure)) found.push_back(&r);
    return found;
}

std::vector<CString> drawing_names(const std::vector<const drawing_reference*>& references)
{
    std::vector<CString> names;
    for (const drawing_reference* r : references) names.push_back(r->drawing->get_node_name());
    return names;
}

drawing_state state_of(const drawing_reference& reference)
{
    const refresh_result result = check_reference(reference);
    return {reference.drawing->get_node_name(), result.stale, result.refreshable, result.why_not};
}

/// Refuses removing structures that drawings refer to, naming them, unless forced.
void refuse_referenced_removals(const std::vector<const substructure_graph_data*>& removed,
                                const std::vector<drawing_reference>& references, bool force, const std::string& what,
                                bridge_change_report& report)
{
    for (const substructure_graph_data* s : removed) {
        const std::vector<CString> names = drawing_names(references_to(references, *s));
        if (names.empty()) continue;
        const std::string refusal =
            what + " would remove " + shown(s->get_node_name()) + ", which the drawing(s) " + names_text(names) + " refer to";
        if (!force)
            throw step_refused(refusal + "; the project is unchanged", shown(s->get_node_name()), override_id::force_remove,
                               refusal + "; give " + std::string(override_slot) +
                                   " to remove it all the same (the drawings keep what they copied); the project is unchanged");
        report.warnings.push_back("removed " + shown(s->get_node_name()) + " although the drawing(s) " + names_text(names) +
                                  " refer to it (as asked); they keep what they copied");
    }
}

/// Brings the project to `wanted`, changing in place and adding; removing only
/// the structures in `remove`. Fills the report's changes and affected drawings.
void apply_changes(workspace& project, const std::vector<st::structure>& wanted,
                   std::vector<st::structure_change> changes, const std::set<st::structure_key>& remove,
                   bridge_change_report& report)
{
    structure_map drawings = structure_drawings_of(project);
    std::map<st::structure_key, const st::structure*> by_key;
    for (const st::structure& s : wanted) by_key.emplace(s.key, &s);
    std::vector<const substructure_graph_data*> changed;
    for (const st::structure_change& change : changes) {
        if (change.what == st::structure_change::kind::added) {
            auto drawing = st::make_drawing(*by_key.at(change.key));
            drawing->set_node_name(project.unique_name(drawing->get_node_name()));
            project.adopt(std::move(drawing));
        } else if (change.what == st::structure_change::kind::changed) {
            st::apply(*by_key.at(change.key), *drawings.at(change.key));
            changed.push_back(drawings.at(change.key));
        } else if (remove.count(change.key)) {
            report.taken.push_back(project.take(drawings.at(change.key)->get_node_tag()));
        } else {
            report.kept.push_back(st::structure_name(change.key));
            continue;
        }
        report.changes.push_back(change);
    }
    const std::vector<drawing_reference> references = project_references(project);
    for (const substructure_graph_data* s : changed) {
        structure_drawings entry{s->get_node_name(), {}};
        for (const drawing_reference* r : references_to(references, *s)) entry.drawings.push_back(state_of(*r));
        if (!entry.drawings.empty()) report.affected.push_back(std::move(entry));
    }
}

/// Imports `wanted` into the project: the shared path of import, add and new.
void bring_to(workspace& project, const std::vector<st::structure>& wanted, const bridge_import_options& options,
              const std::string& what, bridge_change_report& report)
{
    const std::vector<st::structure_change> changes = st::differences(bridge_structures(project), wanted);
    const structure_map drawings = structure_drawings_of(project);
    std::set<st::structure_key> remove;
    std::vector<const substructure_graph_data*> removed;
    for (const st::structure_change& change : changes)
        if (change.what == st::structure_change::kind::removed && options.prune) {
            remove.insert(change.key);
            removed.push_back(drawings.at(change.key));
        }
    refuse_referenced_removals(removed, project_references(project), options.force, what, report);
    apply_changes(project, wanted, changes, remove, report);
    if (options.refresh) report.refreshed = run_bridge_refresh(project);
}

/// Reads a table file; a file or table that breaks a rule is refused as the command's failure.
st::file_outcome read_table(const sheet_file& file)
{
    try {
        return st::read_file(file.path, *file.format, file.encoding);
    } catch (const std::runtime_error& e) {
        throw std::runtime_error("cannot import " + std::string(e.what()) + "; the project is unchanged");
    }
}

/// The rows a single drawing's conditions select ("垫石排号"; row 1 when absent).
std::vector<int> condition_rows(const drawing_reference& reference)
{
    const auto it = reference.conditions.find("垫石排号");
    return common_string_tools::Get_IntVec_From_strNum(it == reference.conditions.end() ? CString("1") : it->second);
}

graph_data_base& new_drawing(workspace& project, const char* cls, const CString& name)
{
    auto& drawing = dynamic_cast<graph_data_base&>(project.create(cls, project.unique_name(name)));
    drawing.set_default_value();
    return drawing;
}

/// Where a table edit's messages place its cells.
std::string edited_table_name() { return utf8_literal(u8"the structure table (墩台表)"); }

/// Most lines an edit may add past the table's end at once.
constexpr std::size_t max_added_lines = 10000;

/// The columns every line of one structure shares.
bool is_shared_setting(std::size_t column)
{
    return column == st::col_type || column == st::col_concrete || column == st::col_scale || column == st::col_cover ||
           column == st::col_note;
}

/// Fills the columns a table may leave out, in a line the edit added, with their defaults.
void fill_defaults(std::vector<CString>& line)
{
    if (std::all_of(line.begin(), line.end(), [](const CString& cell) { return cell.IsEmpty(); })) return;
    for (std::size_t c = 0; c < st::column_count; ++c)
        if (line[c].IsEmpty() && st::column_layout()[c].default_text) line[c] = st::column_layout()[c].default_text;
}

}  // namespace

ds_spreadsheet::table bridge_table_cells(const workspace& project)
{
    ds_spreadsheet::table cells = st::to_cells(bridge_structures(project));
    cells.erase(cells.begin());  // the identity row names a file's table; this one is the project's own
    return cells;
}

bridge_change_report run_bridge_table_edit(workspace& project, const std::vector<structure_cell>& cells, bool force)
{
    ds_spreadsheet::table table = bridge_table_cells(project);
    // Which structure each existing line belongs to, to carry a shared setting to its other lines.
    std::vector<std::size_t> owner(1, 0);
    std::size_t index = 0;
    for (const st::structure& s : bridge_structures(project)) {
        owner.insert(owner.end(), s.rows.size(), index);
        ++index;
    }
    const std::size_t lines = table.size() - 1;
    std::set<std::pair<std::size_t, std::size_t>> set_here;
    for (const structure_cell& cell : cells) {
        if (cell.column >= st::column_count)
            throw std::runtime_error("the structure table has no column " + std::to_string(cell.column + 1));
        if (cell.line == 0 || cell.line > lines + max_added_lines)
            throw std::runtime_error("line " + std::to_string(cell.line) + " lies beyond the structure table's " +
                                     std::to_string(lines) + " lines and the " + std::to_string(max_added_lines) +
                                     " an edit may add; the project is unchanged");
        while (table.size() <= cell.line) table.emplace_back(st::column_count);
        table[cell.line][cell.column] = cell.value;
        set_here.insert({cell.line, cell.column});
    }
    for (const structure_cell& cell : cells) {
        if (cell.line > lines || !is_shared_setting(cell.column)) continue;
        for (std::size_t other = 1; other <= lines; ++other)
            if (other != cell.line && owner[other] == owner[cell.line] && !set_here.count({other, cell.column}))
                table[other][cell.column] = cell.value;
    }
    for (std::size_t line = lines + 1; line < table.size(); ++line) fill_defaults(table[line]);

    st::read_outcome read;
    try {
        read = st::from_cells(table, edited_table_name());
    } catch (const st::table_error& e) {
        throw std::runtime_error(std::string(e.what()) + "; the project is unchanged");
    }
    bridge_change_report report;
    report.warnings = std::move(read.warnings);
    bridge_import_options options;
    options.prune = true;
    options.force = force;
    bring_to(project, read.structures, options, "this edit", report);
    return report;
}

std::vector<st::structure> bridge_structures(const workspace& project)
{
    std::vector<st::structure> structures;
    for (const auto& node : project.nodes())
        if (const auto* s = dynamic_cast<const substructure_graph_data*>(node.get())) structures.push_back(st::structure_of(*s));
    return structures;
}

std::size_t run_bridge_export(const workspace& project, const sheet_file& file)
{
    const std::vector<st::structure> structures = bridge_structures(project);
    st::write_file(file.path, *file.format, structures);
    std::size_t lines = 0;
    for (const st::structure& s : structures) lines += s.rows.size();
    return lines;
}

bridge_change_report run_bridge_import(workspace& project, const sheet_file& file, const bridge_import_options& options)
{
    st::file_outcome read = read_table(file);
    bridge_change_report report;
    report.source = read.source;
    report.notes = std::move(read.notes);
    report.warnings = std::move(read.table.warnings);
    bring_to(project, read.table.structures, options, "cannot import " + read.source + ": --prune", report);
    return report;
}

bridge_change_report run_bridge_add(workspace& project, const ds_spreadsheet::table& lines, const std::string& source)
{
    st::read_outcome read;
    try {
        read = st::from_cells(lines, source);
    } catch (const st::table_error& e) {
        throw std::runtime_error("cannot add the structure: " + std::string(e.what()) + "; the project is unchanged");
    }
    if (read.structures.size() != 1) throw std::logic_error("bridge add reads one structure");
    const structure_map drawings = structure_drawings_of(project);
    if (drawings.count(read.structures.front().key))
        throw std::runtime_error("cannot add " + shown(st::structure_name(read.structures.front().key)) +
                                 ": the project holds it already (change it with `ds-host bridge import`); the project is unchanged");
    std::vector<st::structure> wanted = bridge_structures(project);
    wanted.push_back(read.structures.front());
    bridge_change_report report;
    report.source = source;
    bring_to(project, wanted, {}, "add", report);
    return report;
}

bridge_change_report run_bridge_remove(workspace& project, const std::string& name, bool force)
{
    const CString wanted = narrow_argument(name, "structure name");
    const structure_map drawings = structure_drawings_of(project);
    std::vector<CString> known;
    for (const auto& [key, drawing] : drawings) {
        known.push_back(drawing->get_node_name());
        if (drawing->get_node_name() != wanted) continue;
        bridge_change_report report;
        refuse_referenced_removals({drawing}, project_references(project), force, "cannot remove: this", report);
        report.changes.push_back({st::structure_change::kind::removed, key, {}});
        report.taken.push_back(project.take(drawing->get_node_tag()));
        return report;
    }
    throw std::runtime_error("no structure named \"" + name + "\" in the project; known: " + names_text(known));
}

std::vector<drawing_refresh> run_bridge_refresh(workspace& project)
{
    std::vector<drawing_refresh> done;
    for (const drawing_reference& reference : project_references(project)) {
        refresh_result result = check_reference(reference);
        if (!result.stale && result.refreshable) continue;
        drawing_refresh entry{reference.drawing->get_node_name(), result.stale, result.why_not, std::move(result.lines),
                              std::move(result.messages)};
        apply_refresh(reference, result);
        done.push_back(std::move(entry));
    }
    return done;
}

std::vector<structure_drawings> bridge_drawing_states(const workspace& project)
{
    const std::vector<drawing_reference> references = project_references(project);
    std::vector<structure_drawings> states;
    for (const auto& node : project.nodes()) {
        const auto* s = dynamic_cast<const substructure_graph_data*>(node.get());
        if (!s) continue;
        structure_drawings entry{s->get_node_name(), {}};
        for (const drawing_reference* r : references_to(references, *s)) entry.drawings.push_back(state_of(*r));
        states.push_back(std::move(entry));
    }
    return states;
}

bridge_drawings_report run_bridge_single_drawings(workspace& project)
{
    std::set<std::pair<const substructure_graph_data*, int>> covered;
    for (const drawing_reference& r : project_references(project))
        if (!r.parametric)
            for (int row : condition_rows(r)) covered.insert({r.structures.front(), row});
    bridge_drawings_report report;
    std::vector<substructure_graph_data*> structures;
    for (const auto& node : project.nodes())
        if (auto* s = dynamic_cast<substructure_graph_data*>(node.get())) structures.push_back(s);
    for (substructure_graph_data* s : structures) {
        for (const st::table_row& row : st::structure_of(*s).rows) {
            if (covered.count({s, row.row})) {
                ++report.already;
                continue;
            }
            const CString name = s->get_node_name() + string_tools::num_to_string(row.row) + "排垫石";
            graph_data_base& drawing = new_drawing(project, module_class::single_drawing, name);
            const CString numbers = row.count == 1 ? CString("1") : "1~" + string_tools::num_to_string(row.count);
            if (!refer_to_structure(drawing, *s, string_tools::num_to_string(row.row), numbers, report.messages))
                throw std::runtime_error("the drawing " + shown(drawing.get_node_name()) + " took nothing from " +
                                         shown(s->get_node_name()) + "; the project is unchanged");
            report.added.push_back(drawing.get_node_name());
        }
    }
    return report;
}

bridge_drawings_report run_bridge_parametric_drawing(workspace& project)
{
    const CString name = "全桥垫石参数化";
    bridge_drawings_report report;
    if (project.find_by_name(name)) {
        report.already = 1;
        return report;
    }
    std::vector<data_node_base*> structures;
    for (const auto& node : project.nodes())
        if (dynamic_cast<substructure_graph_data*>(node.get())) structures.push_back(node.get());
    if (structures.empty()) throw std::runtime_error("the project holds no structure to build a list from");
    auto& drawing = dynamic_cast<parameters_graph_data_base&>(new_drawing(project, module_class::parametric_drawing, name));
    drawing.set_reference_datas(structures);
    report.added.push_back(drawing.get_node_name());
    return report;
}

bridge_change_report add_bridge_from_file(workspace& project, const sheet_file& file)
{
    st::file_outcome read = read_table(file);
    bridge_change_report report;
    report.source = read.source;
    report.notes = std::move(read.notes);
    report.warnings = std::move(read.table.warnings);
    bring_to(project, read.table.structures, {}, "new", report);
    return report;
}

}  // namespace ds_app
