// The drawings on each structure, their staleness and their refresh.
#include "app/core/bridge/bridge_references.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "app/core/project/shown_text.h"
#include "app/core/grid/list_carry_over.h"
#include "app/core/grid/list_rows.h"
#include "app/core/project/node_view.h"
#include "app/core/methods/reference_facility.h"
#include "app/core/project/runtime_objects.h"
#include "host/framework/common_string_tools.h"
#include "host/framework/data_center.h"
#include "host/framework/drawing_graph_data_base.h"
#include "host/framework/message_output.h"
#include "host/framework/parameters_graph_data_base.h"
#include "host/fields/field_catalogue.h"
#include "host/text/encoding.h"

namespace ds_app {

namespace {

using nlohmann::ordered_json;

const char* const rows_condition = "垫石排号";
const char* const numbers_condition = "垫石编号";

/// Structures by bridge part (UTF-8, as stored forms hold it), number and kind.
using structure_index_key = std::tuple<std::string, long long, bool>;

class structure_index {
public:
    explicit structure_index(const workspace& project)
    {
        for (const auto& node : project.nodes())
            if (auto* s = dynamic_cast<substructure_graph_data*>(node.get())) {
                const xbjg_substructure_info& info = s->substructure_info();
                m_by_key.emplace(structure_index_key{ds_text::to_utf8_for_display(info.bridge_part), info.number, s->Get_Type() != 0}, s);
                m_by_tag.emplace(s->get_node_tag(), s);
            }
    }

    substructure_graph_data* by_tag(const CString& tag) const
    {
        const auto it = m_by_tag.find(tag);
        return it == m_by_tag.end() ? nullptr : it->second;
    }

    /// The structure of bridge part and number; `kind` "桥台"/"台..." asks an
    /// abutment, "桥墩"/"...墩" a pier, anything else the pier first.
    substructure_graph_data* by_key(const std::string& part, long long number, const std::string& kind) const
    {
        const bool abutment_first = kind.ends_with(ds_text::to_utf8(CString("台")));
        for (bool abutment : {abutment_first, !abutment_first}) {
            const auto it = m_by_key.find({part, number, abutment});
            if (it != m_by_key.end()) return it->second;
            if (kind.ends_with(ds_text::to_utf8(CString("墩"))) || abutment_first) break;
        }
        return nullptr;
    }

private:
    std::map<structure_index_key, substructure_graph_data*> m_by_key;
    std::map<CString, substructure_graph_data*> m_by_tag;
};

std::string text_member(const ordered_json& record, const char* key)
{
    const auto it = record.find(key);
    return it != record.end() && it->is_string() ? it->get<std::string>() : std::string();
}

/// The last record of the drawing's merge list, or null.
const ordered_json* last_merge_record(ordered_json& stored)
{
    const ordered_json* list = find_member(stored, "m_merge_infos");
    if (!list || !list->is_object()) return nullptr;
    const long long count = list->value("count", 0LL);
    const auto last = list->find("item_" + std::to_string(count - 1));
    return count > 0 && last != list->end() && last->is_object() ? &*last : nullptr;
}

/// Drops the last merge record of a stored form, so that the facility's
/// record, appended again on refresh, takes its place instead of piling up.
void drop_last_merge_record(ordered_json& stored)
{
    ordered_json* list = find_member(stored, "m_merge_infos");
    if (!list || !list->is_object()) return;
    const long long count = list->value("count", 0LL);
    if (count < 1) return;
    list->erase("item_" + std::to_string(count - 1));
    (*list)["count"] = count - 1;
}

std::optional<drawing_reference> single_reference(graph_data_base& drawing, const structure_index& index)
{
    ordered_json stored = stored_form(drawing);
    const ordered_json* record = last_merge_record(stored);
    substructure_graph_data* structure = index.by_tag(drawing.get_external_reference_tag());
    if (!structure && record) {
        const std::vector<int> numbers =
            common_string_tools::Get_IntVec_From_strNum(ds_text::from_utf8(text_member(*record, "m_strPierNums")));
        if (numbers.size() == 1) structure = index.by_key(text_member(*record, "m_strQF"), numbers.front(), text_member(*record, "m_strType"));
    }
    if (!structure) return std::nullopt;
    drawing_reference reference;
    reference.drawing = &drawing;
    reference.structures = {structure};
    if (record) {
        reference.conditions[rows_condition] = ds_text::from_utf8(text_member(*record, "m_strRows"));
        reference.conditions[numbers_condition] = ds_text::from_utf8(text_member(*record, "m_strNums"));
    }
    return reference;
}

std::optional<drawing_reference> parametric_reference(graph_data_base& drawing, const structure_index& index)
{
    ordered_json stored = stored_form(drawing);
    const list_layout& layout = parametric_list_layout();
    drawing_reference reference;
    reference.drawing = &drawing;
    reference.parametric = true;
    const ordered_json* merged = find_member(stored, "m_is_merge");
    reference.merged = merged && merged->is_boolean() && merged->get<bool>();
    bool any = false;
    for (const ordered_json* row : list_items(std::as_const(stored))) {
        const ordered_json number = row->value(layout.number_key, ordered_json());
        substructure_graph_data* s = number.is_number_integer()
                                         ? index.by_key(text_member(*row, layout.part_key.c_str()), number.get<long long>(),
                                                        text_member(*row, "m_Type"))
                                         : nullptr;
        any = any || s;
        reference.structures.push_back(s);
    }
    if (!any) return std::nullopt;
    return reference;
}

/// "垫石排号 1, 垫石编号 1~2" (UTF-8): the conditions a single drawing refers under.
std::string conditions_text(const drawing_reference& reference)
{
    std::string text;
    for (const auto& [key, value] : reference.conditions) text += (text.empty() ? "" : ", ") + shown(key) + " " + shown(value);
    return text.empty() ? "no conditions" : text;
}

std::vector<std::string> take_messages()
{
    std::vector<std::string> out;
    for (const auto& m : message_output::take_messages()) out.push_back(shown(m.text));
    return out;
}

void refresh_single(const drawing_reference& reference, refresh_result& result)
{
    graph_data_base& drawing = *reference.drawing;
    substructure_graph_data& structure = *reference.structures.front();
    ordered_json stored = stored_form(drawing);
    drop_last_merge_record(stored);
    auto copy = create_object<graph_data_base>(drawing.GetRuntimeClass()->m_lpszClassName, "drawing");
    read_stored_form(*copy, std::move(stored));
    auto& referring = dynamic_cast<drawing_graph_data_base&>(*copy);
    const bool taken = referring.get_ref_structure_data(&structure, reference.conditions);
    result.messages = take_messages();
    if (!taken) {
        result.refreshable = false;
        result.why_not = "the facility took nothing from " + shown(structure.get_node_name()) +
                         " under the drawing's conditions (" + conditions_text(reference) + ")";
        return;
    }
    referring.set_external_reference_tag(structure.get_node_tag(), false);
    complete_last_merge_record(referring, structure);
    result.updated = std::move(copy);
}

void refresh_parametric(const drawing_reference& reference, refresh_result& result)
{
    if (reference.merged) {
        result.refreshable = false;
        result.why_not = "merged from single drawings: refresh those and merge again";
        return;
    }
    std::vector<data_node_base*> nodes;
    for (substructure_graph_data* s : reference.structures) {
        if (!s) {
            result.refreshable = false;
            result.why_not = "a list row names no structure of the project";
            return;
        }
        nodes.push_back(s);
    }
    const ordered_json before = stored_form(*reference.drawing);
    auto copy = create_object<parameters_graph_data_base>(reference.drawing->GetRuntimeClass()->m_lpszClassName, "drawing");
    read_stored_form(*copy, before);
    copy->set_reference_datas(nodes);
    carry_over_list_rows(*copy, before, field_catalogue::parametric_sheet_list);
    result.messages = take_messages();
    result.updated = std::move(copy);
}

}  // namespace

bool drawing_reference::refers_to(const substructure_graph_data& structure) const
{
    return std::find(structures.begin(), structures.end(), &structure) != structures.end();
}

std::vector<drawing_reference> project_references(const workspace& project)
{
    const structure_index index(project);
    std::vector<drawing_reference> references;
    for (const auto& node : project.nodes()) {
        std::optional<drawing_reference> found;
        if (is_of_class(*node, module_class::single_drawing))
            found = single_reference(dynamic_cast<graph_data_base&>(*node), index);
        else if (is_of_class(*node, module_class::parametric_drawing))
            found = parametric_reference(dynamic_cast<graph_data_base&>(*node), index);
        if (found) references.push_back(std::move(*found));
    }
    return references;
}

refresh_result check_reference(const drawing_reference& reference)
{
    refresh_result result;
    message_output::take_messages();  // only what the facility says now
    if (reference.parametric) refresh_parametric(reference, result);
    else refresh_single(reference, result);
    if (!result.updated) return result;
    const ordered_json now = stored_form(*reference.drawing);
    const ordered_json updated = stored_form(*result.updated);
    result.stale = now != updated;
    if (!result.stale) {
        result.updated.reset();
        return result;
    }
    result.lines = change_lines(*reference.drawing, now, *result.updated, updated);
    return result;
}

void apply_refresh(const drawing_reference& reference, refresh_result& result)
{
    if (!result.updated) return;
    read_stored_form(*reference.drawing, stored_form(*result.updated));
    result.updated.reset();
}

bool refer_to_structure(graph_data_base& drawing, substructure_graph_data& structure, const CString& rows,
                        const CString& numbers, std::vector<std::string>& messages)
{
    message_output::take_messages();
    auto& referring = dynamic_cast<drawing_graph_data_base&>(drawing);
    const bool taken = referring.get_ref_structure_data(&structure, {{rows_condition, rows}, {numbers_condition, numbers}});
    for (std::string& m : take_messages()) messages.push_back(std::move(m));
    if (!taken) return false;
    referring.set_external_reference_tag(structure.get_node_tag(), false);
    complete_last_merge_record(referring, structure);
    return true;
}

}  // namespace ds_app
