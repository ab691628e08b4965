// Path bookkeeping shared by the JSON write and read streams.
#include "host/json/stream_path.h"

#include <algorithm>

namespace ds_json {

void stream_path::enter(std::string key, int kind)
{
    m_levels.push_back({std::move(key), kind});
    m_seen.emplace_back();
}

std::vector<std::string> stream_path::leave()
{
    std::vector<std::string> dropped;
    while (!m_tags.empty() && m_tags.back().depth == m_levels.size()) {
        dropped.insert(dropped.begin(), std::move(m_tags.back().text));
        m_tags.pop_back();
    }
    m_levels.pop_back();
    m_seen.pop_back();
    return dropped;
}

void stream_path::push_tag(std::string tag)
{
    auto& seen = m_seen[m_levels.size()];
    if (std::find(seen.begin(), seen.end(), tag) == seen.end()) seen.push_back(tag);
    m_tags.push_back({m_levels.size(), std::move(tag)});
}

bool stream_path::pop_tag()
{
    if (m_tags.empty()) return false;
    const bool same_level = m_tags.back().depth == m_levels.size();
    m_tags.pop_back();
    return same_level;
}

std::string stream_path::tags_at(std::size_t depth) const
{
    std::string out;
    for (const auto& t : m_seen[depth]) {
        if (!out.empty()) out += ',';
        out += t;
    }
    return out;
}

std::string stream_path::render(std::string_view leaf) const
{
    std::vector<std::string> segments;
    if (std::string root = tags_at(0); !root.empty()) segments.push_back(std::move(root));
    for (std::size_t i = 0; i < m_levels.size(); ++i) {
        std::string segment = m_levels[i].key;
        if (std::string tags = tags_at(i + 1); !tags.empty()) segment += "(" + tags + ")";
        segments.push_back(std::move(segment));
    }
    if (!leaf.empty()) segments.emplace_back(leaf);

    std::string out = m_prefix;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (i == 0 && !out.empty()) out += ' ';
        if (i > 0) out += '/';
        out += segments[i];
    }
    return out;
}

const std::string& stream_path::key_above(std::size_t levels) const
{
    static const std::string none;
    return levels < m_levels.size() ? m_levels[m_levels.size() - 1 - levels].key : none;
}

std::string stream_path::keys() const
{
    std::string joined;
    for (std::size_t i = 0; i < m_levels.size(); ++i) joined += (i > 0 ? "/" : "") + m_levels[i].key;
    return joined;
}

}  // namespace ds_json
