// stream_path: where a member stream currently is, as nested keys and the guard
// tags pushed at each level, rendered for diagnostics and errors.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ds_json {

class stream_path {
public:
    /// `prefix` starts every rendered path, for example "nodes[3]".
    explicit stream_path(std::string prefix = {}) : m_prefix(std::move(prefix)) {}

    /// Opens a nested level under `key` (UTF-8) with the mark kind that opened it.
    void enter(std::string key, int kind);
    /// Closes the innermost level; returns the tags still pushed on it (normally none), dropping them.
    std::vector<std::string> leave();
    /// Number of open nested levels (0 at the top object).
    std::size_t depth() const { return m_levels.size(); }
    const std::string& top_key() const { return m_levels.back().key; }
    int top_kind() const { return m_levels.back().kind; }
    /// Key of the level `levels` above the innermost one (0: top_key()); empty above the outermost.
    const std::string& key_above(std::size_t levels) const;
    /// The keys of the open levels, outermost first, joined by '/'.
    std::string keys() const;

    void push_tag(std::string tag);
    /// Pops the last tag pushed. False when it was not pushed on the innermost
    /// level (it is popped all the same) or when no tag is pushed at all.
    bool pop_tag();
    std::size_t tag_count() const { return m_tags.size(); }

    /// "prefix tag/key(tag)/key(tag)/leaf": each level's key followed by the
    /// guard tags pushed on it so far (popped ones included, so that a path
    /// rendered at an end mark still names the record the object held).
    std::string render(std::string_view leaf = {}) const;

private:
    struct level {
        std::string key;
        int kind;
    };
    struct tag {
        std::size_t depth;
        std::string text;
    };

    std::string tags_at(std::size_t depth) const;

    std::string m_prefix;
    std::vector<level> m_levels;
    std::vector<tag> m_tags;                     ///< open tags
    std::vector<std::vector<std::string>> m_seen{1};  ///< per depth, every tag pushed there
};

}  // namespace ds_json
