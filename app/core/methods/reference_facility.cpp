// The host's reference facility and user grid row, headless.
#include "app/core/methods/reference_facility.h"

#include <map>
#include <stdexcept>

#include "app/core/project/shown_text.h"
#include "app/core/project/node_lookup.h"
#include "app/core/project/node_view.h"
#include "app/core/project/stored_document.h"
#include "host/json/json_read_stream.h"
#include "host/framework/string_tools.h"
#include "host/substructure/common_gj_data_drawset.h"
#include "host/text/encoding.h"

namespace ds_app {

namespace {

using nlohmann::ordered_json;

const char* const rows_condition = "垫石排号";
const char* const numbers_condition = "垫石编号";

/// Writes `text` into the string member `key` of `record` when that member is empty.
bool fill_if_empty(ordered_json& record, const char* key, const CString& text)
{
    auto it = record.find(key);
    if (it == record.end() || !it->is_string() || !it->get_ref<const std::string&>().empty() || text.IsEmpty())
        return false;
    *it = ds_text::to_utf8(text);
    return true;
}

std::map<CString, CString> condition_map(const reference_conditions& given)
{
    std::map<CString, CString> conditions;
    if (given.rows) conditions[rows_condition] = narrow_argument(*given.rows, "--rows");
    if (given.numbers) conditions[numbers_condition] = narrow_argument(*given.numbers, "--numbers");
    return conditions;
}

void report_map(const std::map<CString, CString>& entries, step_report& report)
{
    if (entries.empty()) report.line("  (none)");
    for (const auto& [key, value] : entries) report.narrow_line("  " + key + " = " + value);
}

}  // namespace

bool complete_last_merge_record(graph_data_base& drawing, const xbjg_graph_data_base& structure)
{
    ordered_json document = members_document(drawing);
    ordered_json* list = find_member(document, "m_merge_infos");
    if (!list || !list->is_object() || !list->contains("count") || !(*list)["count"].is_number_integer()) return false;
    const auto count = (*list)["count"].get<long long>();
    if (count < 1) return false;
    const auto last = list->find("item_" + std::to_string(count - 1));
    if (last == list->end() || !last->is_object()) return false;

    common_gj_data_drawset identity;
    structure.transform_to_common_drawset(identity, CString());
    bool filled = fill_if_empty(*last, "m_strType", identity.m_strCompType);
    filled = fill_if_empty(*last, "m_strQF", identity.m_strQF) || filled;
    filled = fill_if_empty(*last, "m_strPierNums", string_tools::num_to_string(identity.m_iPierNum)) || filled;
    if (!filled) return false;

    ds_json::json_read_stream in(flat_tree_of(document));
    drawing.serialize_members(in);
    in.finish();
    if (in.has_errors()) throw std::runtime_error("the completed merge record of " + node_heading(drawing) + " does not read back");
    return true;
}

bool run_reference(drawing_graph_data_base& drawing, const std::string& structure_name,
                   const reference_conditions& given, step_report& report)
{
    const std::vector<CString> types = drawing.get_all_can_ref_gz_types();
    report.line("types the drawing can refer to: " + shown_list(types));
    const referable_list referable = referable_structures(types);
    report.line("referable drawings: " + shown_list(referable.names));
    xbjg_graph_data_base& structure = find_structure(referable, structure_name);

    const std::map<CString, CString> conditions = condition_map(given);
    report.line("conditions:");
    report_map(conditions, report);

    const auto before = snapshot(drawing);
    const bool taken = drawing.get_ref_structure_data(&structure, conditions);
    report.line(std::string("get_ref_structure_data(") + shown(structure.get_node_name()) + "): " +
                (taken ? "true" : "false"));
    report.host_messages();
    if (taken) {
        drawing.set_external_reference_tag(structure.get_node_tag(), false);
        if (complete_last_merge_record(drawing, structure))
            report.line("the facility named the structure in the drawing's last merge record");
    }
    report_changes(*before, drawing, report);
    return taken;
}

void run_backfill(const drawing_graph_data_base& drawing, const std::vector<std::string>& entries,
                  step_report& report)
{
    std::map<CString, CString> row;
    for (const std::string& entry : entries) {
        const auto equals = entry.find('=');
        if (equals == std::string::npos || equals == 0)
            throw std::runtime_error("--row \"" + entry + "\": write CAPTION=TEXT");
        row[narrow_argument(entry.substr(0, equals), "--row caption")] =
            narrow_argument(entry.substr(equals + 1), "--row text");
    }
    report.line("user grid row before:");
    report_map(row, report);
    drawing.back_fill_steel_data_to_user_grid(row);
    report.line("user grid row after back_fill_steel_data_to_user_grid:");
    report_map(row, report);
}

}  // namespace ds_app
