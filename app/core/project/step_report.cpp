// Entries of a step's report and its refusals.
#include "app/core/project/step_report.h"

#include "app/core/project/shown_text.h"
#include "host/framework/message_output.h"
#include "host/text/encoding.h"

namespace ds_app {

const char* override_key(override_id id)
{
    switch (id) {
    case override_id::none: return "";
    case override_id::accept_damaged: return "accept_damaged";
    case override_id::force_convert: return "force_convert";
    case override_id::force_import: return "force_import";
    case override_id::force_replace: return "force_replace";
    case override_id::force_remove: return "force_remove";
    }
    return "";
}

std::string with_override(std::string text, std::string_view name)
{
    for (std::size_t at = 0; (at = text.find(override_slot, at)) != std::string::npos; at += name.size())
        text.replace(at, override_slot.size(), name);
    return text;
}

std::string worded(const report_entry& entry, std::string_view name)
{
    const std::string text = entry.named == override_id::none ? entry.text : with_override(entry.text, name);
    switch (entry.kind) {
    case entry_kind::heading: return "\n== " + text + " ==\n";
    case entry_kind::line: return text + "\n";
    case entry_kind::block: return text;
    case entry_kind::note: return "note: " + text + "\n";
    case entry_kind::warning: return "warning: " + text + "\n";
    case entry_kind::message: return "  " + text + "\n";
    case entry_kind::file: return "  wrote " + text + entry.detail + "\n";
    }
    return text + "\n";
}

void step_report::add(entry_kind kind, std::string text, std::string detail, override_id named)
{
    // Escaped once here, so every door shows the same safe text.
    report_entry entry{kind, shown_lines(text), std::move(detail), named};
    if (m_hear) m_hear(entry);
    else m_entries.push_back(std::move(entry));
}

void step_report::heading(std::string_view title) { add(entry_kind::heading, std::string(title)); }

void step_report::line(std::string_view utf8, override_id named) { add(entry_kind::line, std::string(utf8), {}, named); }

void step_report::narrow_line(const CString& text) { add(entry_kind::line, ds_text::to_utf8_for_display(text)); }

void step_report::lines(const std::vector<CString>& lines, const char* indent)
{
    for (const CString& text : lines) add(entry_kind::line, indent + shown(text));
}

void step_report::block(const CString& text) { add(entry_kind::block, ds_text::to_utf8_for_display(text)); }

void step_report::note(std::string_view utf8) { add(entry_kind::note, std::string(utf8)); }

void step_report::warning(std::string_view utf8, override_id named)
{
    add(entry_kind::warning, std::string(utf8), {}, named);
}

void step_report::host_messages()
{
    const auto messages = message_output::take_messages();
    if (messages.empty()) {
        line("messages: none");
        return;
    }
    line("messages:");
    for (const auto& m : messages)
        add(entry_kind::message,
            "[output " + std::to_string(m.output) + ", type " + std::to_string(m.type) + "] " + shown(m.text));
}

void step_report::file(std::string_view path, std::string detail)
{
    add(entry_kind::file, shown_utf8(path), std::move(detail));
}

step_refused::step_refused(std::string reason, std::string place, override_id passes, std::string worded)
    : std::runtime_error(std::move(reason)), m_place(std::move(place)), m_passes(passes), m_worded(std::move(worded))
{
}

std::string step_refused::worded(std::string_view name) const
{
    return m_worded.empty() ? std::string(what()) : with_override(m_worded, name);
}

}  // namespace ds_app
