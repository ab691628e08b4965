// The wording of what the bridge steps did, shared by the command line and the
// local page, so both say a change, a stale drawing and a refresh alike.
#include "app/core/bridge/bridge_wording.h"

#include "app/core/project/shown_text.h"

namespace ds_app {

namespace {

namespace st = structure_table;

const char* kind_word(st::structure_change::kind kind)
{
    switch (kind) {
    case st::structure_change::kind::added: return "added";
    case st::structure_change::kind::changed: return "changed";
    case st::structure_change::kind::removed: return "removed";
    }
    return "";
}

std::string state_text(const drawing_state& d)
{
    if (!d.refreshable) return shown(d.name) + " (not refreshable: " + d.why_not + ")";
    return shown(d.name) + (d.stale ? " (stale)" : " (up to date)");
}

}  // namespace

void say_drawing_states(const std::vector<structure_drawings>& states, bool with_empty, step_report& out)
{
    for (const structure_drawings& s : states) {
        if (s.drawings.empty() && !with_empty) continue;
        std::string line = "  " + shown(s.structure) + ": ";
        if (s.drawings.empty()) line += "no drawing";
        for (std::size_t i = 0; i < s.drawings.size(); ++i) line += (i ? ", " : "") + state_text(s.drawings[i]);
        out.line(line);
    }
}

void say_refreshes(const std::vector<drawing_refresh>& refreshes, step_report& out)
{
    if (refreshes.empty()) {
        out.line("refresh: every drawing on a structure is up to date");
        return;
    }
    for (const drawing_refresh& r : refreshes) {
        if (!r.refreshed) {
            out.line("not refreshed " + shown(r.name) + ": " + r.why_not);
        } else {
            out.line("refreshed " + shown(r.name) + utf8_literal(u8"; changes (before → after):"));
            for (const std::string& line : r.lines) out.line("  " + line);
        }
        for (const std::string& m : r.messages) out.line("  message: " + m);
    }
}

void say_bridge_changes(const bridge_change_report& report, const std::string& refresh_hint, step_report& out)
{
    if (!report.source.empty()) out.line("read " + report.source);
    for (const std::string& note : report.notes) out.line(note);
    for (const std::string& warning : report.warnings) out.warning(warning);
    if (report.changes.empty()) out.line("structures: no change");
    for (const st::structure_change& change : report.changes) {
        out.line(std::string(kind_word(change.what)) + " " + shown(st::structure_name(change.key)));
        for (const std::string& line : change.lines) out.line("  " + line);
    }
    if (!report.kept.empty())
        out.line("kept (not in the table; --prune removes them): " + shown_list(report.kept));
    if (!report.affected.empty()) {
        out.line("drawings on the changed structures:");
        say_drawing_states(report.affected, false, out);
        if (report.refreshed.empty())
            out.line("bring the stale drawings up to date with: " + refresh_hint);
    }
    if (!report.refreshed.empty()) say_refreshes(report.refreshed, out);
}

}  // namespace ds_app
