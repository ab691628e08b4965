// The members of a JSON object while it is being built.
//
// ordered_json keeps an object's members in a vector of pairs whose keys are
// const, so the pairs cannot be moved: every time that vector grows it copies
// the members already in it, nested values and all. Appending the items of a
// long list one by one therefore copies the whole list again and again.
// Members are gathered here instead (movable pairs, a hash of the keys once
// the object is large) and moved into the object once, when it is complete.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace ds_json {

/// One of 64 bits, by a cheap fingerprint of `key`: an object that keeps the
/// bits of its keys tells a key whose bit is clear is new without comparing
/// it to every member.
std::uint64_t key_fingerprint_bit(std::string_view key);

class object_members {
public:
    /// True when a member named `key` has been appended.
    bool contains(const std::string& key);
    /// Appends a member; the caller has refused a repeated key with contains().
    void append(std::string key, nlohmann::ordered_json value);
    std::size_t size() const { return m_members.size(); }
    /// The key appended last; valid until the next append.
    const std::string& last_key() const { return m_members.back().first; }
    /// Empties the list, keeping its room.
    void clear();
    /// The object holding the members in the order they were appended; the members are moved out.
    nlohmann::ordered_json take_object();

private:
    /// Below this many members a scan is cheaper than hashing every key.
    static constexpr std::size_t small_object = 16;

    std::vector<std::pair<std::string, nlohmann::ordered_json>> m_members;
    std::uint64_t m_fingerprints = 0;
    /// Member positions by key hash, filled once the object is no longer small.
    std::unordered_multimap<std::size_t, std::size_t> m_positions;
};

}  // namespace ds_json
