// The served project's steps beyond single cell edits: adding drawings,
// pasting blocks of cells, setting one value in many drawings, the structure
// reference, and the merge, convert and dismantle methods.
#include "app/core/drawing/drawing_setup.h"
#include "app/core/project/node_lookup.h"
#include "app/core/methods/parametric_methods.h"
#include "app/core/methods/reference_facility.h"
#include "app/core/project/shown_text.h"
#include "app/serve/serve_sheets.h"
#include "app/serve/serve_project.h"
#include "app/serve/serve_report.h"
#include "app/serve/serve_request.h"
#include "app/serve/serve_tables.h"
#include "host/text/encoding.h"

namespace ds_app {

using nlohmann::json;

namespace {

/// The keys of the table named `table` in `tables` (grid_tables_json), in grid order.
std::vector<std::string> keys_of(const json& tables, const std::string& table)
{
    for (const auto& group : tables["templates"])
        for (const auto& t : group["tables"]) {
            if (t["name"] != table) continue;
            std::vector<std::string> keys;
            for (const auto& c : t[t["list"].get<bool>() ? "columns" : "cells"]) keys.push_back(c["key"]);
            return keys;
        }
    throw api_error(422, "refused", "the grid has no table \"" + table + "\"");
}

/// The project table's columns: what the bridge suites' users set for many piers at once.
/// Concrete and cover are shown in two tables of the advanced grid; the
/// observer keeps the drawing settings' one, so that is the one edited here.
struct project_column {
    const char8_t* table;
    const char* key;
};
constexpr project_column project_columns[] = {
    {u8"通用绘图设置", "m_iPierNum"},      {u8"垫石-构造属性", "m_iCount"},  {u8"垫石-构造属性", "m_dWidth"},
    {u8"垫石-构造属性", "m_dLenth"},       {u8"垫石-构造属性", "m_dHeight"}, {u8"垫石-绘图设置", "m_strConcreteType"},
    {u8"垫石-绘图设置", "m_dCover"},
};

/// The cell of `tables` at table/key: {"caption", "value", "choices"...}, or null.
json find_cell(const json& tables, const std::string& table, const std::string& key)
{
    for (const auto& group : tables["templates"])
        for (const auto& t : group["tables"])
            if (t["name"] == table && !t["list"].get<bool>())
                for (const auto& c : t["cells"])
                    if (c["key"] == key) return c;
    return nullptr;
}

}  // namespace

json served_project::add_drawing(const json& request)
{
    check_disk();
    step_report report;
    graph_data_base* added = nullptr;
    try {
        const bool for_structure = request.contains("structure");
        // A drawing for a pier or abutment is named after it unless a name is given.
        const std::string name = for_structure && !request.contains("name")
                                     ? request_text(request, "structure") + utf8_literal(u8"垫石")
                                     : request_text(request, "name");
        added = &add_pedestal_drawing(m_session->project(), name, !for_structure && request.value("parametric", false),
                                      report);
        save(report);
    } catch (const api_error&) {
        throw;
    } catch (const std::exception& e) {
        throw refused_step(e, report);
    }
    change undo;
    undo.added.push_back(added->get_node_tag());
    record(request, std::move(undo));
    json answer = report_json(report);
    answer["tag"] = ds_text::to_utf8(added->get_node_tag());
    if (!request.contains("structure")) return answer;
    // Then it refers to the structure with the drawing's default rows and numbers, as a separate, undoable step.
    json refer{{"tag", answer["tag"]}, {"version", version_of(added->get_node_tag())}, {"structure", request["structure"]},
               {"tab", request.value("tab", "")}};
    try {
        append_report(answer, reference(refer));
    } catch (const api_error& e) {
        answer["lines"].push_back(std::string("the reference was refused: ") + e.what());
        answer["warnings"].push_back(std::string("the reference was refused: ") + e.what());
    }
    return answer;
}

json served_project::paste(const json& request)
{
    graph_data_base& d = find(request_text(request, "tag"));
    check_current(d, request);
    const grid_mode mode = mode_for(d, request.value("mode", ""));
    const std::string table = request_text(request, "table");
    const std::vector<std::string> keys = keys_of(grid_tables_json(d, mode), table);
    const std::string first_key = request_text(request, "key");
    const auto first = std::find(keys.begin(), keys.end(), first_key);
    if (first == keys.end()) throw api_error(422, "refused", "the table \"" + table + "\" has no key \"" + first_key + "\"");
    const long first_row = request.contains("row") ? static_cast<long>(request_number(request, "row", 0, max_request_row)) : 0;
    const auto block = split_block(request_text(request, "text"));

    std::vector<table_edit> edits;
    for (std::size_t r = 0; r < block.size(); ++r)
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            if (block[r][c].empty()) continue;
            // A list takes the block as it stands; a property table takes a column of values downwards.
            const std::size_t column = (first - keys.begin()) + (first_row > 0 ? c : r + c);
            if (column >= keys.size())
                throw api_error(422, "refused", "pasted cell " + std::to_string(r + 1) + ":" + std::to_string(c + 1) +
                                                    " falls beyond the table's last column");
            json cell{{"table", table}, {"key", keys[column]}, {"value", block[r][c]},
                      {"row", first_row > 0 ? first_row + static_cast<long>(r) : 0}};
            edits.push_back(edit_of(cell, "pasted cell " + std::to_string(r + 1) + ":" + std::to_string(c + 1)));
            if (edits.size() > max_pasted_cells)
                throw api_error(413, "refused", "a paste may hold " + std::to_string(max_pasted_cells) + " cells at most");
        }
    if (edits.empty()) throw api_error(422, "refused", "the pasted block holds no values");
    step_report report;
    json answer = change_drawing(d, report, [&] { run_grid(d, mode, edits, report, false); }, request);
    answer["sheets"] = sheets_json(d, 0);
    return answer;
}

json served_project::project_table()
{
    json columns = json::array(), rows = json::array();
    bool first = true;
    for (const auto& node : m_session->project().nodes()) {
        if (drawing_kind(*node) != "single") continue;
        auto& d = dynamic_cast<graph_data_base&>(*node);
        const json tables = grid_tables_json(d, grid_mode::advanced);
        json values = json::array();
        for (const auto& column : project_columns) {
            const std::string table = utf8_literal(column.table);
            const json cell = find_cell(tables, table, column.key);
            if (first) {
                json c{{"table", table}, {"key", column.key}, {"caption", cell.is_null() ? column.key : cell["caption"]}};
                if (!cell.is_null()) {
                    c["kind"] = cell["kind"];
                    if (cell.contains("choices")) c["choices"] = cell["choices"];
                }
                columns.push_back(c);
            }
            values.push_back(cell.is_null() ? "" : cell["value"]);
        }
        first = false;
        rows.push_back({{"tag", ds_text::to_utf8(d.get_node_tag())}, {"name", ds_text::to_utf8_for_display(d.get_node_name())},
                        {"version", version_of(d.get_node_tag())}, {"values", values}});
    }
    return {{"columns", columns}, {"rows", rows}};
}

json served_project::set_many(const json& request)
{
    check_disk();
    const table_edit cell = edit_of(request, "project table");
    json results = json::array();
    for (const std::string& tag : request_texts(request, "tags")) {
        graph_data_base& d = find(tag);
        json result{{"tag", tag}, {"name", ds_text::to_utf8_for_display(d.get_node_name())}};
        try {
            if (drawing_kind(d) != "single") throw api_error(422, "refused", "not a single pedestal drawing");
            step_report report;
            const json done =
                change_drawing(d, report, [&] { run_grid(d, grid_mode::advanced, {cell}, report, false); }, request);
            result.update(done);
            result["ok"] = true;
        } catch (const api_error& e) {
            result["ok"] = false;
            result["reason"] = e.what();
            if (e.details.contains("override")) result["override"] = e.details["override"];
        }
        results.push_back(result);
    }
    return {{"results", results}};
}

json served_project::reference(const json& request)
{
    graph_data_base& d = find(request_text(request, "tag"));
    check_current(d, request);
    auto* single = drawing_kind(d) == "single" ? dynamic_cast<drawing_graph_data_base*>(&d) : nullptr;
    if (!single) throw api_error(422, "refused", "only a single pedestal drawing refers to a pier or abutment");
    const std::string structure = request_text(request, "structure");
    reference_conditions conditions;
    if (request.contains("rows") && request["rows"] != "") conditions.rows = request_text(request, "rows");
    if (request.contains("numbers") && request["numbers"] != "") conditions.numbers = request_text(request, "numbers");
    step_report report;
    return change_drawing(d, report, [&] {
        if (!run_reference(*single, structure, conditions, report))
            throw std::runtime_error("the drawing took nothing from \"" + structure + "\" under these conditions");
    }, request);
}

json served_project::method(const std::string& which, const json& request)
{
    check_disk();
    workspace& project = m_session->project();
    step_report report;
    try {
        if (which == "check" || which == "merge" || which == "convert") {
            const auto drawings = find_single_drawings(project, request_texts(request, "drawings"));
            if (which == "check") {
                const bool passed = run_merge_check(drawings, report);
                json answer = report_json(report);
                answer["passed"] = passed;
                return answer;
            }
            if (which == "merge") {
                parameters_graph_data_base& merged = run_merge(project, drawings, report);
                save(report);
                change undo;
                undo.added.push_back(merged.get_node_tag());
                record(request, std::move(undo));
                json answer = report_json(report);
                answer["tag"] = ds_text::to_utf8(merged.get_node_tag());
                return answer;
            }
            graph_data_base& target = find(request_text(request, "target"));
            auto* parametric = dynamic_cast<parameters_graph_data_base*>(&target);
            if (!parametric || drawing_kind(target) != "parametric")
                throw api_error(422, "refused", "the target of a conversion must be a parametric drawing");
            check_current(target, request);
            return change_drawing(target, report,
                                  [&] { run_convert(*parametric, drawings, report, request.value("force", false)); },
                                  request);
        }
        if (which == "dismantle") {
            graph_data_base& source = find(request_text(request, "tag"));
            auto* parametric = dynamic_cast<parameters_graph_data_base*>(&source);
            if (!parametric || drawing_kind(source) != "parametric")
                throw api_error(422, "refused", "only a parametric drawing is dismantled");
            // The source stays as it was; what an undo takes back is the drawings the split added.
            change undo;
            for (const auto* single : run_dismantle(project, *parametric, report)) undo.added.push_back(single->get_node_tag());
            save(report);
            record(request, std::move(undo));
            return report_json(report);
        }
    } catch (const api_error&) {
        throw;
    } catch (const std::exception& e) {
        throw refused_step(e, report);
    }
    throw api_error(404, "missing", "no step named \"" + which + "\"");
}

}  // namespace ds_app
