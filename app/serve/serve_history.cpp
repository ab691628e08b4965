// Undo and redo of the served project, one history per tab. A change records
// what each drawing it touched goes back to and the version the step left it
// at; an undo first checks those versions, so it never overwrites what
// another tab changed afterwards, then applies the change and keeps its
// inverse for the redo. Adding, merging and dismantling drawings are undone
// by taking the added drawings out of the project (kept for a redo).
#include "app/serve/serve_project.h"

#include <algorithm>

#include "app/core/project/node_view.h"
#include "app/serve/serve_report.h"
#include "host/text/encoding.h"

namespace ds_app {

using nlohmann::json;

namespace {

/// Changes one tab can undo, newest kept; tabs remembered, the longest idle forgotten first.
constexpr std::size_t max_undo_steps = 100;
constexpr std::size_t max_tabs = 32;

/// The request's tab id: letters, digits and '-' as the page makes it; "" for a client that names none.
std::string tab_of(const json& request)
{
    if (!request.is_object() || !request.contains("tab")) return {};
    if (!request["tab"].is_string()) throw api_error(400, "bad", "the request's \"tab\" must be a text");
    const std::string tab = request["tab"];
    if (tab.size() > 64 || tab.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-") !=
                               std::string::npos)
        throw api_error(400, "bad", "the request's \"tab\" must be up to 64 letters, digits and '-'");
    return tab;
}

std::string shown_name(const data_node_base& node) { return ds_text::to_utf8_for_display(node.get_node_name()); }

}  // namespace

void served_project::bump_all(change& step)
{
    step.versions.clear();
    for (const auto& r : step.restores) step.versions[r.tag] = 0;
    for (const CString& tag : step.added) step.versions[tag] = 0;
    for (const auto& t : step.taken) step.versions[t->node->get_node_tag()] = 0;
    for (auto& [tag, version] : step.versions) {
        step.before[tag] = version_of(tag);
        bump(tag);
        version = version_of(tag);
    }
}

void served_project::carry_versions(const change& undone, const change& inverse)
{
    // The drawing holds again what it held at the version before the undone
    // step; the steps (of any tab) that left it at that version may now be undone.
    for (const auto& [tag, was] : undone.before)
        for (auto& [id, tab] : m_histories)
            for (auto* list : {&tab.undo, &tab.redo})
            for (change& step : *list)
                if (const auto it = step.versions.find(tag); it != step.versions.end() && it->second == was)
                    it->second = inverse.versions.at(tag);
}

void served_project::record(const json& request, change step)
{
    history& tab = m_histories[tab_of(request)];
    tab.used = ++m_history_clock;
    bump_all(step);
    // Each entry may hold whole drawings; a long session keeps the latest ones.
    if (tab.undo.size() >= max_undo_steps) tab.undo.erase(tab.undo.begin());
    tab.undo.push_back(std::move(step));
    tab.redo.clear();
    while (m_histories.size() > max_tabs) {
        auto idle = m_histories.begin();
        for (auto it = m_histories.begin(); it != m_histories.end(); ++it)
            if (it->second.used < idle->second.used) idle = it;
        m_histories.erase(idle);
    }
}

std::string served_project::conflict(const change& step)
{
    const auto present = [this](const CString& tag) {
        for (const auto& node : m_session->project().nodes())
            if (node->get_node_tag() == tag) return node.get();
        return static_cast<data_node_base*>(nullptr);
    };
    for (const auto& [tag, version] : step.versions) {
        const data_node_base* node = present(tag);
        const bool put_back = std::any_of(step.taken.begin(), step.taken.end(),
                                          [&](const auto& t) { return t->node->get_node_tag() == tag; });
        if (put_back) {
            if (node) return "another drawing now carries the tag of \"" + shown_name(*node) + "\"";
            for (const auto& t : step.taken)
                if (t->node->get_node_tag() == tag && m_session->project().find_by_name(t->node->get_node_name()))
                    return "a drawing named \"" + shown_name(*t->node) + "\" was added since";
            continue;
        }
        if (!node) return "a drawing it changed is no longer in the project";
        if (version_of(tag) != version)
            return "\"" + shown_name(*node) + "\" was changed after this step (in another tab, or by a step this tab "
                   "cannot undo); undoing it would overwrite that change";
    }
    return {};
}

served_project::change served_project::apply(change& step, step_report& report)
{
    workspace& project = m_session->project();
    change inverse;
    for (auto& r : step.restores) {
        graph_data_base& d = find(ds_text::to_utf8(r.tag));
        inverse.restores.push_back({r.tag, stored_form(d)});
        const auto now = snapshot(d);
        read_stored_form(d, r.state);
        report_changes(*now, d, report);
    }
    for (const CString& tag : step.added) {
        auto taken = std::make_shared<workspace::taken_node>(project.take(tag));
        if (!taken->node) continue;
        report.line("took out the drawing \"" + shown_name(*taken->node) + "\" again");
        inverse.taken.push_back(std::move(taken));
    }
    for (auto& t : step.taken) {
        report.line("put back the drawing \"" + shown_name(*t->node) + "\"");
        inverse.added.push_back(project.adopt_at(std::move(t->node), t->position).get_node_tag());
    }
    return inverse;
}

json served_project::undo(const json& request, bool redo)
{
    check_disk();
    const std::string word = redo ? "redo" : "undo";
    history& tab = m_histories[tab_of(request)];
    auto& from = redo ? tab.redo : tab.undo;
    if (from.empty()) throw api_error(422, "refused", "nothing to " + word + " in this tab");
    if (const std::string why = conflict(from.back()); !why.empty())
        throw api_error(422, "refused", "cannot " + word + " the last change of this tab: " + why + ". Nothing was changed.");
    step_report report;
    change inverse = apply(from.back(), report);
    save(report);
    bump_all(inverse);
    const change undone = std::move(from.back());
    from.pop_back();
    carry_versions(undone, inverse);
    // The drawing to show next: one the step changed or put back (one taken out is no longer there).
    std::string tag;
    if (!inverse.restores.empty()) tag = ds_text::to_utf8(inverse.restores.back().tag);
    else if (!inverse.added.empty()) tag = ds_text::to_utf8(inverse.added.back());
    (redo ? tab.undo : tab.redo).push_back(std::move(inverse));
    json answer = report_json(report);
    if (!tag.empty()) {
        answer["tag"] = tag;
        answer["version"] = version_of(ds_text::from_utf8(tag));
    }
    return answer;
}

}  // namespace ds_app
