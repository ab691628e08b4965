// Where a member stream is, and the words of what it reports.
#include "host/json/member_stream.h"

#include <algorithm>

#include "host/json/json_text.h"

std::string to_string(const stream_diagnostic& diagnostic)
{
    const char* severity = diagnostic.severity == diagnostic_severity::error ? "error" : "warning";
    return std::string(severity) + ": " + diagnostic.path + ": " + diagnostic.message;
}

bool has_error(const std::vector<stream_diagnostic>& diagnostics)
{
    return std::any_of(diagnostics.begin(), diagnostics.end(), [](const auto& d) { return d.severity == diagnostic_severity::error; });
}

std::vector<stream_diagnostic> unread_entries(const std::vector<stream_diagnostic>& diagnostics)
{
    std::vector<stream_diagnostic> unread;
    std::copy_if(diagnostics.begin(), diagnostics.end(), std::back_inserter(unread), [](const auto& d) { return d.unread; });
    return unread;
}

namespace ds_json {

std::string member_value::text() const
{
    switch (type) {
    case kind::integer: return std::to_string(integer);
    case kind::real: return number_text(real);
    case kind::boolean: return boolean ? "true" : "false";
    case kind::text: return std::string(utf8);
    }
    return {};
}

const std::string& member_context::open_key_above(std::size_t levels) const
{
    static const std::string none;
    return levels < m_levels.size() ? m_levels[m_levels.size() - 1 - levels].key : none;
}

std::string member_context::open_path() const
{
    std::string joined;
    for (std::size_t i = 0; i < m_levels.size(); ++i) joined += (i > 0 ? "/" : "") + m_levels[i].key;
    return joined;
}

void member_context::enter(std::string key, int kind)
{
    m_levels.push_back({std::move(key), kind});
    m_seen.emplace_back();
}

std::optional<std::string> member_context::leave()
{
    std::optional<std::string> dropped;
    while (!m_tags.empty() && m_tags.back().depth == m_levels.size()) {
        dropped = std::move(m_tags.back().text);
        m_tags.pop_back();
    }
    m_levels.pop_back();
    m_seen.pop_back();
    return dropped;
}

void member_context::push_tag(std::string tag)
{
    auto& seen = m_seen[m_levels.size()];
    if (std::find(seen.begin(), seen.end(), tag) == seen.end()) seen.push_back(tag);
    m_tags.push_back({m_levels.size(), std::move(tag)});
}

bool member_context::pop_tag()
{
    if (m_tags.empty()) return false;
    const bool same_level = m_tags.back().depth == m_levels.size();
    m_tags.pop_back();
    return same_level;
}

std::string member_context::render(std::string_view leaf) const
{
    std::string out = m_prefix;
    bool first = true;
    const auto segment = [&](std::string_view text) {
        out += first ? (out.empty() ? "" : " ") : "/";
        out += text;
        first = false;
    };
    const auto tags_at = [this](std::size_t depth) {
        std::string tags;
        for (const auto& t : m_seen[depth]) tags += (tags.empty() ? "" : ",") + t;
        return tags;
    };
    if (std::string root = tags_at(0); !root.empty()) segment(root);
    for (std::size_t i = 0; i < m_levels.size(); ++i) {
        const std::string tags = tags_at(i + 1);
        segment(tags.empty() ? m_levels[i].key : m_levels[i].key + "(" + tags + ")");
    }
    if (!leaf.empty()) segment(leaf);
    return out;
}

std::string member_context::end_mark_fault(const std::string& key, int kind) const
{
    if (m_levels.empty()) return std::string(stream_marks::name(kind)) + " end mark without an open begin mark";
    if (top_key() != key || top_kind() != kind - 1)  // an end kind follows its begin kind
        return std::string(stream_marks::name(kind)) + " end mark does not match the open " + stream_marks::name(top_kind()) +
               " \"" + top_key() + "\"";
    return {};
}

}  // namespace ds_json
