// Merge, convert, reference-list and dismantle through the module's method classes.
#include "app/core/methods/parametric_methods.h"

#include <memory>
#include <stdexcept>

#include "app/core/project/shown_text.h"
#include "app/core/project/node_lookup.h"
#include "app/core/project/node_view.h"
#include "app/core/project/runtime_objects.h"
#include "host/ui_base/method_interfaces.h"

namespace ds_app {

namespace {

/// Number of merge records (structures served) a drawing's stored form holds
/// under "m_merge_infos", wherever its records keep them; -1 when none is found.
long merge_record_count(const nlohmann::ordered_json& object)
{
    for (const auto& [key, value] : object.items()) {
        if (!value.is_object()) continue;
        if (key == "m_merge_infos") return value.value("count", 0L);
        if (const long found = merge_record_count(value); found >= 0) return found;
    }
    return -1;
}

/// The merge makes a list row for each structure a drawing records serving;
/// a drawing made without a structure reference records none, and the merge
/// passes it over without a word, so the host names it.
void note_drawings_without_rows(const std::vector<drawing_graph_data_base*>& drawings, step_report& report)
{
    for (const drawing_graph_data_base* drawing : drawings)
        if (merge_record_count(stored_form(*drawing)) == 0)
            report.note(shown(drawing->get_node_name()) + " adds no list row: it records no structure it serves "
                        "(bridge part and pier number), as a drawing made without a structure reference; give it one "
                        "with `ds-host reference` and merge again");
}

std::vector<CString> tags_of(const std::vector<drawing_graph_data_base*>& drawings)
{
    std::vector<CString> tags;
    for (const auto* drawing : drawings) tags.push_back(drawing->get_node_tag());
    return tags;
}

std::vector<CString> names_of(const std::vector<drawing_graph_data_base*>& drawings)
{
    std::vector<CString> names;
    for (const auto* drawing : drawings) names.push_back(drawing->get_node_name());
    return names;
}

void report_result(const char* operation, const method_result& result, step_report& report)
{
    report.line(std::string(operation) + ": " + (result.first ? "true" : "false") +
                (result.second.IsEmpty() ? "" : ", \"" + shown(result.second) + "\""));
}

void report_check(const std::string& what, bool ok, const std::vector<CString>& messages, step_report& report)
{
    report.line(what + ": " + (ok ? "passed" : "failed"));
    if (!messages.empty()) report.line("check messages:");
    report.lines(messages);
}

[[noreturn]] void refuse(const std::string& what, const method_result& result)
{
    throw std::runtime_error(what + " refused" + (result.second.IsEmpty() ? "" : ": " + shown(result.second)) +
                             "; the project is unchanged");
}

}  // namespace

bool run_merge_check(const std::vector<drawing_graph_data_base*>& drawings, step_report& report,
                     const parameters_graph_data_base* target)
{
    const auto merge = create_object<graph_merge_method_interface>(module_class::merge_method, "merge method");
    std::vector<CString> messages;
    bool ok = true;
    if (target) {
        const auto convert = create_object<graph_merge_method_interface>(module_class::convert_method, "convert method");
        ok = convert->is_all_single_graph_can_convert(target->get_node_tag(), tags_of(drawings), messages);
        report_check("convert check of " + shown_list(names_of(drawings)) + " into " + shown(target->get_node_name()),
                     ok, messages, report);
    }
    // The convert check leads with the tag of the target's shared rebar set,
    // which names no single drawing on this host, so it compares nothing. The
    // drawings being added are therefore also checked among themselves, as a
    // merge of them would be.
    const bool merge_ok = merge->is_all_single_graph_can_merge(tags_of(drawings), messages);
    report_check("merge check of " + shown_list(names_of(drawings)), merge_ok, messages, report);
    return ok && merge_ok;
}

parameters_graph_data_base& run_merge(workspace& project, const std::vector<drawing_graph_data_base*>& drawings,
                                      step_report& report)
{
    if (!run_merge_check(drawings, report)) throw std::runtime_error("the drawings cannot be merged (see the check messages); the project is unchanged");
    const auto method = create_object<graph_merge_method_interface>(module_class::merge_method, "merge method");
    parameters_graph_data_base* merged = nullptr;
    const method_result result = method->merge_drawing_graph(merged, tags_of(drawings));
    std::unique_ptr<parameters_graph_data_base> owned(merged);  // ownership passes to the host
    report_result("merge_drawing_graph", result, report);
    if (!result.first || !owned) refuse("the merge", result);
    owned->set_node_name(project.unique_name(owned->get_node_name()));
    auto& node = dynamic_cast<parameters_graph_data_base&>(project.adopt(std::move(owned)));
    report.line("new drawing: " + node_heading(node));
    note_drawings_without_rows(drawings, report);
    return node;
}

void run_convert(parameters_graph_data_base& target, const std::vector<drawing_graph_data_base*>& drawings,
                 step_report& report, bool force)
{
    if (!run_merge_check(drawings, report, &target)) {
        if (!force)
            throw step_refused("the drawings cannot be converted (see the check messages); the project is unchanged",
                               shown(target.get_node_name()), override_id::force_convert,
                               "the drawings cannot be converted (see the check messages; " +
                                   std::string(override_slot) + " converts them anyway); the project is unchanged");
        report.line(std::string(override_slot) + ": converting despite the check", override_id::force_convert);
    }
    const auto method = create_object<graph_merge_method_interface>(module_class::convert_method, "convert method");
    const auto before = snapshot(target);
    const method_result result = method->convert_drawing_graph(target.get_node_tag(), tags_of(drawings));
    report_result("convert_drawing_graph", result, report);
    if (!result.first) refuse("the conversion", result);
    report_changes(*before, target, report);
}

void run_reference_list(parameters_graph_data_base& target, const std::vector<std::string>& structures,
                        step_report& report)
{
    if (structures.empty()) throw std::runtime_error("name the pier and abutment drawings with --structures");
    const referable_list referable = all_referable_structures();
    std::vector<data_node_base*> nodes;
    for (const std::string& name : structures) nodes.push_back(&find_structure(referable, name));
    const auto before = snapshot(target);
    target.set_reference_datas(nodes);
    report.line("set_reference_datas on " + shown(target.get_node_name()) + " with " + std::to_string(nodes.size()) +
                " structure(s)");
    report_changes(*before, target, report);
}

std::vector<drawing_graph_data_base*> run_dismantle(workspace& project, parameters_graph_data_base& source,
                                                   step_report& report)
{
    const auto method = create_object<graph_dismantle_method_interface>(module_class::dismantle_method, "dismantle method");
    std::vector<drawing_graph_data_base*> made;
    CString tag = source.get_node_tag();
    const method_result result = method->dismantle_param_graph(made, tag);
    std::vector<std::unique_ptr<drawing_graph_data_base>> owned(made.begin(), made.end());  // the host owns them now
    report_result("dismantle_param_graph", result, report);
    if (!result.first) refuse("the dismantling", result);
    std::vector<drawing_graph_data_base*> adopted;
    for (auto& drawing : owned) {
        drawing->set_node_name(project.unique_name(drawing->get_node_name()));
        auto& node = dynamic_cast<drawing_graph_data_base&>(project.adopt(std::move(drawing)));
        report.line("  new drawing: " + node_heading(node) + (node.get_delete_flag() ? "  (marked for deletion)" : ""));
        adopted.push_back(&node);
    }
    if (adopted.empty()) report.line("  no drawing: the list has no rows");
    return adopted;
}

}  // namespace ds_app
