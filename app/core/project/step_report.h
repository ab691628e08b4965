// What a step tells the person who asked for it, kept apart from where it is
// shown: an ordered list of entries (headings, plain lines such as difference
// lines, tables, notes, warnings, the module's messages, files written), and
// the refusals a step throws. The command line prints each entry as it comes;
// the local server collects them and answers the page with them. Neither door
// parses the other's wording: a refusal says which override would pass it,
// and each door names that override in its own words.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/afx/cstring.h"

namespace ds_app {

/// What an entry of a report is.
enum class entry_kind {
    heading,  ///< a step of a longer run
    line,     ///< a plain line: a fact, a difference line, a list item
    block,    ///< lines that end in a line break already (a rendered table)
    note,     ///< something the person may want to know; nothing is wrong
    warning,  ///< something was passed over or done only because it was asked for
    message,  ///< a message the module wrote to the host's message window
    file,     ///< a file the step wrote
};

/// A choice of the person that lets a refused step through.
enum class override_id {
    none,
    accept_damaged,  ///< save a project whose load left entries unread, or grid edits of which some had no effect
    force_convert,   ///< convert drawings that fail the check
    force_import,    ///< import a spreadsheet exported from another drawing
    force_replace,   ///< replace a project file that exists already
    force_remove,    ///< remove a structure that drawings refer to
};

/// The override's word for programs ("accept_damaged"); "" for none.
const char* override_key(override_id id);

/// Where a text leaves room for a door's name of an override.
inline constexpr std::string_view override_slot = "{override}";
/// `text` with `name` (a door's name of the override) put at override_slot.
std::string with_override(std::string text, std::string_view name);

/// One entry. Texts are UTF-8 with control characters escaped (shown_text.h);
/// a block keeps its line breaks.
struct report_entry {
    entry_kind kind = entry_kind::line;
    std::string text;
    std::string detail;                     ///< a file's page count, "" otherwise
    override_id named = override_id::none;  ///< the override the text names at override_slot
};

/// The entry as a person reads it: its lines, each ending in a line break.
/// `name` is the door's name of the entry's override.
std::string worded(const report_entry& entry, std::string_view name = {});

/// What a step reports, in order.
class step_report {
public:
    using listener = std::function<void(const report_entry&)>;

    /// A report that keeps its entries.
    step_report() = default;
    /// A report that hands each entry to `hear` as it comes and keeps none
    /// (a long run prints step by step and holds nothing).
    explicit step_report(listener hear) : m_hear(std::move(hear)) {}

    /// A heading of a step of a longer run.
    void heading(std::string_view title);
    /// A plain line of UTF-8 text (it may hold line breaks).
    void line(std::string_view utf8, override_id named = override_id::none);
    /// A plain line of narrow text.
    void narrow_line(const CString& text);
    /// Each of `lines` on a line of its own after `indent`.
    void lines(const std::vector<CString>& lines, const char* indent = "  ");
    /// Narrow text that already ends in a line break (a rendered table).
    void block(const CString& text);
    void note(std::string_view utf8);
    void warning(std::string_view utf8, override_id named = override_id::none);
    /// Takes the host's message log (the plan-information window): a line
    /// "messages:" and an entry per message, or "messages: none".
    void host_messages();
    /// A file written (its path in UTF-8, shown on one line), with `detail` such as " (3 page(s))".
    void file(std::string_view path, std::string detail = {});

    /// The entries kept (none when a listener takes them).
    const std::vector<report_entry>& entries() const { return m_entries; }

private:
    void add(entry_kind kind, std::string text, std::string detail = {}, override_id named = override_id::none);

    listener m_hear;
    std::vector<report_entry> m_entries;
};

/// A step that will not go on, thrown by the steps. It carries the reason,
/// the place it concerns (a file, a drawing) and the override that would let
/// it through. what() is the reason.
class step_refused : public std::runtime_error {
public:
    /// `worded` is the whole refusal with override_slot where a door names the
    /// override; empty when the reason alone says it all.
    step_refused(std::string reason, std::string place, override_id passes = override_id::none, std::string worded = {});

    const std::string& place() const { return m_place; }
    override_id passes() const { return m_passes; }
    /// The refusal with `name` (a door's name of the override) where the step names it.
    std::string worded(std::string_view name) const;

private:
    std::string m_place;
    override_id m_passes;
    std::string m_worded;
};

}  // namespace ds_app
