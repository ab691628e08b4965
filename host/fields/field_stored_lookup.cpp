// Which field a stored member holds, told by its key and the keys of the
// objects around it.
#include "host/fields/field_catalogue.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace field_catalogue {
namespace {

std::vector<std::string_view> split_pattern(std::string_view pattern)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const auto slash = pattern.find('/', start);
        parts.push_back(pattern.substr(start, slash == std::string_view::npos ? std::string_view::npos : slash - start));
        if (slash == std::string_view::npos) return parts;
        start = slash + 1;
    }
}

/// "item_3" -> "item", "item_3_key" -> "item_key": list entries count as one.
std::string_view list_neutral(std::string_view key, std::string& buffer)
{
    if (!key.starts_with("item_")) return key;
    std::size_t end = 5;
    while (end < key.size() && key[end] >= '0' && key[end] <= '9') ++end;
    if (end == 5) return key;
    if (end == key.size()) return "item";  // a list item itself: no text to make
    buffer = "item" + std::string(key.substr(end));
    return buffer;
}

/// A field by the last key of its stored pattern, with the keys above it.
struct stored_entry {
    const field* f;
    std::string parent;       ///< "" when the pattern names none
    std::string grandparent;  ///< "" when the pattern names none
};

/// Looks keys up by string_view, so that a lookup per stored value allocates nothing.
struct key_hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>()(key); }
};

struct stored_index {
    std::unordered_map<std::string, std::vector<stored_entry>, key_hash, std::equal_to<>> by_key;
    stored_index()
    {
        for (const field& f : all_fields()) {
            if (!*f.stored) continue;  // a table column no one member holds
            const auto parts = split_pattern(f.stored);
            const std::size_t n = parts.size();
            by_key[std::string(parts.back())].push_back(
                {&f, n >= 2 ? std::string(parts[n - 2]) : std::string(), n >= 3 ? std::string(parts[n - 3]) : std::string()});
        }
    }
};

bool parents_match(const stored_entry& e, std::string_view parent, std::string_view grandparent)
{
    return (e.parent.empty() || e.parent == parent) && (e.grandparent.empty() || e.grandparent == grandparent);
}

}  // namespace

const field* find_stored(std::string_view key, std::string_view parent, std::string_view grandparent)
{
    static const stored_index index;
    std::string key_buffer, parent_buffer, grand_buffer;
    const auto found = index.by_key.find(list_neutral(key, key_buffer));
    if (found == index.by_key.end()) return nullptr;
    const auto& candidates = found->second;
    parent = list_neutral(parent, parent_buffer);
    grandparent = list_neutral(grandparent, grand_buffer);
    for (const stored_entry& e : candidates)
        if (parents_match(e, parent, grandparent)) return e.f;
    // A list's "count" is a field only where its pattern says; a member name
    // another record uses means the same kind of value there.
    return key == "count" ? nullptr : candidates.front().f;
}

}  // namespace field_catalogue
