// The served project's structure table (墩台表): the piers and abutments one
// line per pedestal row, edited cell by cell or by a pasted block, structures
// added and removed, and the drawings on them marked stale and refreshed. The
// steps are the bridge commands' own (app/core/bridge): the page checks a
// value only to spare a round trip, the table's reader decides.
#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "app/core/bridge/bridge_steps.h"
#include "app/core/bridge/bridge_wording.h"
#include "app/core/project/node_view.h"
#include "app/core/project/shown_text.h"
#include "app/serve/serve_project.h"
#include "app/serve/serve_report.h"
#include "app/serve/serve_request.h"
#include "app/serve/serve_tables.h"
#include "host/spreadsheet/cell_reference.h"
#include "host/substructure/structure_columns.h"
#include "host/text/encoding.h"

namespace ds_app {

using nlohmann::json;

namespace {

namespace st = structure_table;

/// How the page's reports point at the refresh.
const std::string refresh_hint = utf8_literal(u8"the button 刷新 Refresh of the structure table");

std::string page_text(const CString& text) { return ds_text::to_utf8_for_display(text); }

bool is_structure(const data_node_base& node) { return drawing_kind(node) == "structure"; }

/// The column's letter in a sheet of the table ("J"), as a refused cell's message names it.
std::string column_letter(std::size_t column)
{
    std::string name = ds_spreadsheet::cell_name({0, column});
    name.erase(std::find_if(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }), name.end());
    return name;
}

/// The request's "force": true lets a step remove a structure drawings refer to.
bool forced(const json& request)
{
    if (!request.contains("force")) return false;
    if (!request["force"].is_boolean()) throw api_error(400, "bad", "the request's \"force\" must be true or false");
    return request["force"].get<bool>();
}

/// The request's line (from 1) and column (a structure_table::column).
std::pair<std::size_t, std::size_t> cell_of(const json& request)
{
    return {static_cast<std::size_t>(request_number(request, "line", 1, max_request_row)),
            static_cast<std::size_t>(request_number(request, "column", 0, st::column_count - 1))};
}

}  // namespace

std::string served_project::structures_version() const
{
    // FNV-1a over each structure's tag and version: any change, addition or
    // removal gives another text, and a text keeps its digits in JavaScript.
    std::uint64_t hash = 14695981039346656037ull;
    const auto mix = [&hash](const std::string& text) {
        for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
    };
    for (const auto& node : m_session->project().nodes())
        if (is_structure(*node)) mix(ds_text::to_utf8(node->get_node_tag()) + ":" + std::to_string(version_of(node->get_node_tag())) + ";");
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

void served_project::check_structures_current(const json& request)
{
    check_disk();
    if (request_text(request, "version") != structures_version())
        throw api_error(409, "reload", "the structure table changed since the page showed it (another tab or step); "
                                       "reload it. Nothing was written.");
}

json served_project::structures()
{
    try {
        return structures_table();
    } catch (const std::runtime_error& e) {
        // A pier drawing whose pedestals one line per row cannot hold (made elsewhere): said, not failed.
        throw api_error(422, "refused", std::string("the structure table cannot be shown: ") + e.what());
    }
}

json served_project::structures_table()
{
    const workspace& project = m_session->project();
    json columns = json::array();
    for (std::size_t c = 0; c < st::column_count; ++c) {
        json column{{"column", c}, {"caption", page_text(st::column_caption(c))}, {"letter", column_letter(c)}};
        add_catalogue(column, st::column_field(c));
        if (const char* given = st::column_layout()[c].default_text) column["default"] = given;
        columns.push_back(std::move(column));
    }
    const ds_spreadsheet::table cells = bridge_table_cells(project);
    const std::vector<st::structure> list = bridge_structures(project);
    const std::vector<structure_drawings> states = bridge_drawing_states(project);  // both in project order
    json lines = json::array(), structures = json::array();
    std::size_t line = 1;
    for (std::size_t i = 0; i < list.size() && i < states.size(); ++i) {
        json drawings = json::array();
        for (const drawing_state& d : states[i].drawings)
            drawings.push_back({{"name", page_text(d.name)}, {"stale", d.stale}, {"refreshable", d.refreshable},
                                {"why_not", d.why_not}});
        structures.push_back({{"name", page_text(states[i].structure)}, {"first_line", line},
                              {"lines", list[i].rows.size()}, {"drawings", std::move(drawings)}});
        for (std::size_t row = 0; row < list[i].rows.size() && line < cells.size(); ++row, ++line) {
            json texts = json::array();
            for (const CString& cell : cells[line]) texts.push_back(page_text(cell));
            lines.push_back({{"structure", i}, {"cells", std::move(texts)}});
        }
    }
    return {{"columns", std::move(columns)}, {"lines", std::move(lines)}, {"structures", std::move(structures)},
            {"version", structures_version()}};
}

json served_project::change_structures(const json& request,
                                       const std::function<std::vector<workspace::taken_node>(step_report&)>& step)
{
    workspace& project = m_session->project();
    // What a structure step may change: the structures, and the drawings on them (a refresh).
    std::map<CString, nlohmann::ordered_json> before;
    for (const auto& node : project.nodes())
        if (is_structure(*node)) before.emplace(node->get_node_tag(), stored_form(dynamic_cast<graph_data_base&>(*node)));
    for (const drawing_reference& r : project_references(project))
        before.emplace(r.drawing->get_node_tag(), stored_form(*r.drawing));
    step_report report;
    std::vector<workspace::taken_node> taken;
    try {
        taken = step(report);
        save(report);
    } catch (const api_error&) {
        throw;
    } catch (const std::exception& e) {
        throw refused_step(e, report);  // the steps refuse before they change anything
    }
    change undo;
    for (const auto& node : project.nodes()) {
        const auto was = before.find(node->get_node_tag());
        if (was == before.end()) {
            if (is_structure(*node)) undo.added.push_back(node->get_node_tag());
        } else if (auto* d = dynamic_cast<graph_data_base*>(node.get()); d && stored_form(*d) != was->second) {
            undo.restores.push_back({was->first, std::move(was->second)});
        }
    }
    // Put back in the reverse order they were taken out, so each returns to its own place.
    for (auto it = taken.rbegin(); it != taken.rend(); ++it)
        undo.taken.push_back(std::make_shared<workspace::taken_node>(std::move(*it)));
    const bool changed = !undo.restores.empty() || !undo.added.empty() || !undo.taken.empty();
    if (changed) record(request, std::move(undo));
    json answer = report_json(report);
    answer["changed"] = changed;
    answer["structures"] = structures();
    return answer;
}

json served_project::structure_edit(const json& request)
{
    check_structures_current(request);
    const auto [line, column] = cell_of(request);
    const std::vector<structure_cell> cells{{line, column, request_narrow_text(request, "value")}};
    return change_structures(request, [&](step_report& report) {
        bridge_change_report done = run_bridge_table_edit(m_session->project(), cells, forced(request));
        say_bridge_changes(done, refresh_hint, report);
        return std::move(done.taken);
    });
}

json served_project::structure_paste(const json& request)
{
    check_structures_current(request);
    const auto [line, column] = cell_of(request);
    // Tabs and line breaks are single bytes that no GBK character holds: the narrow text splits as the typed one.
    const CString text = request_narrow_text(request, "text");
    std::vector<structure_cell> cells;
    const auto block = split_block(text.str());
    for (std::size_t r = 0; r < block.size(); ++r)
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            if (block[r][c].empty()) continue;
            if (column + c >= st::column_count)
                throw api_error(422, "refused", "pasted cell " + std::to_string(r + 1) + ":" + std::to_string(c + 1) +
                                                    " falls beyond the table's last column");
            cells.push_back({line + r, column + c, CString(block[r][c].c_str())});
            if (cells.size() > max_pasted_cells)
                throw api_error(413, "refused", "a paste may hold " + std::to_string(max_pasted_cells) + " cells at most");
        }
    if (cells.empty()) throw api_error(422, "refused", "the pasted block holds no values");
    return change_structures(request, [&](step_report& report) {
        bridge_change_report done = run_bridge_table_edit(m_session->project(), cells, forced(request));
        say_bridge_changes(done, refresh_hint, report);
        return std::move(done.taken);
    });
}

json served_project::structure_add(const json& request)
{
    check_disk();
    if (!request.contains("values") || !request["values"].is_array() || request["values"].size() != st::column_count)
        throw api_error(400, "bad", "the request's \"values\" must hold a text for each of the " +
                                        std::to_string(st::column_count) + " columns");
    std::vector<CString> values;
    for (std::size_t c = 0; c < st::column_count; ++c) {
        if (!request["values"][c].is_string()) throw api_error(400, "bad", "the request's \"values\" must all be texts");
        CString value = request_narrow_text(json{{"value", request["values"][c]}}, "value");
        // A column the form leaves empty takes the value a table that leaves it out would.
        if (value.IsEmpty() && st::column_layout()[c].default_text) value = st::column_layout()[c].default_text;
        values.push_back(std::move(value));
    }
    std::vector<long long> rows;
    if (!request.contains("rows")) rows = {1};
    else if (request["rows"].is_array())
        for (const auto& row : request["rows"]) rows.push_back(request_number(json{{"row", row}}, "row", 1, 2));
    if (rows.empty()) throw api_error(400, "bad", "the request's \"rows\" must name the rows to add: 1, 2 or both");
    ds_spreadsheet::table lines{st::column_captions()};
    for (long long row : rows) {
        values[st::col_row] = CString(std::to_string(row).c_str());
        lines.push_back(values);
    }
    return change_structures(request, [&](step_report& report) {
        bridge_change_report done =
            run_bridge_add(m_session->project(), lines, utf8_literal(u8"the new structure (line 2 is its first row)"));
        say_bridge_changes(done, refresh_hint, report);
        return std::move(done.taken);
    });
}

json served_project::structure_remove(const json& request)
{
    check_disk();
    const std::string name = request_text(request, "structure");
    return change_structures(request, [&](step_report& report) {
        bridge_change_report done = run_bridge_remove(m_session->project(), name, forced(request));
        say_bridge_changes(done, refresh_hint, report);
        return std::move(done.taken);
    });
}

json served_project::structure_refresh(const json& request)
{
    check_disk();
    return change_structures(request, [&](step_report& report) {
        say_refreshes(run_bridge_refresh(m_session->project()), report);
        return std::vector<workspace::taken_node>{};
    });
}

}  // namespace ds_app
