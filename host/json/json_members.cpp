// Members of a JSON object gathered before the object is made.
#include "host/json/json_members.h"

#include <functional>

namespace ds_json {
namespace {

std::size_t hash_of(const std::string& key) { return std::hash<std::string>()(key); }

}  // namespace

std::uint64_t key_fingerprint_bit(std::string_view key)
{
    // Keys of one record differ mostly in length and in their last characters ("item_3", "m_dWidth").
    const std::size_t n = key.size();
    const unsigned mix = n == 0 ? 0u : static_cast<unsigned char>(key[n - 1]) * 7u + static_cast<unsigned char>(key[n / 2]) * 3u;
    return std::uint64_t(1) << ((n * 13u + mix) & 63u);
}

bool object_members::contains(const std::string& key)
{
    if (m_members.size() < small_object) {
        if (!(m_fingerprints & key_fingerprint_bit(key))) return false;
        for (const auto& member : m_members)
            if (member.first == key) return true;
        return false;
    }
    if (m_positions.empty())
        for (std::size_t i = 0; i < m_members.size(); ++i) m_positions.emplace(hash_of(m_members[i].first), i);
    const auto [first, last] = m_positions.equal_range(hash_of(key));
    for (auto it = first; it != last; ++it)
        if (m_members[it->second].first == key) return true;
    return false;
}

void object_members::append(std::string key, nlohmann::ordered_json value)
{
    if (!m_positions.empty()) m_positions.emplace(hash_of(key), m_members.size());
    m_fingerprints |= key_fingerprint_bit(key);
    m_members.emplace_back(std::move(key), std::move(value));
}

nlohmann::ordered_json object_members::take_object()
{
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    auto& members = object.get_ref<nlohmann::ordered_json::object_t&>();
    members.reserve(m_members.size());
    // Repeated keys were refused on the way in: append without the map's own search.
    for (auto& [key, value] : m_members) members.emplace_back(std::move(key), std::move(value));
    clear();
    return object;
}

void object_members::clear()
{
    m_members.clear();
    // Dropped rather than cleared: clearing a map costs the room it has, which
    // every object given these members after a wide one would pay.
    if (!m_positions.empty()) m_positions = {};
    m_fingerprints = 0;
}

}  // namespace ds_json
