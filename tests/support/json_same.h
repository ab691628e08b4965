// Where two JSON documents differ, strictly: member order, number types and
// the bits of every float count, and strings compare byte for byte.
#pragma once

#include <cstring>
#include <string>

#include <nlohmann/json.hpp>

#include "host/json/json_flat_tree.h"

namespace ds_test {

/// The value `at` of `tree` (and everything under it) as a JSON value, number types kept.
inline nlohmann::ordered_json json_of(const ds_json::flat_tree& tree, std::size_t at = 0)
{
    using kind = ds_json::flat_tree::kind;
    const auto& v = tree[at];
    switch (v.type) {
    case kind::null: return nullptr;
    case kind::boolean: return v.boolean;
    case kind::number_integer: return v.integer;
    case kind::number_unsigned: return v.unsigned_integer;
    case kind::number_float: return v.real;
    case kind::string: return std::string(tree.text(at));
    case kind::object:
    case kind::array: break;
    }
    nlohmann::ordered_json out = v.type == kind::object ? nlohmann::ordered_json::object() : nlohmann::ordered_json::array();
    for (std::size_t c = at + 1; c < v.end; c = tree[c].end) {
        if (v.type == kind::array) out.push_back(json_of(tree, c));
        else out.get_ref<nlohmann::ordered_json::object_t&>().emplace_back(std::string(tree.key(c)), json_of(tree, c));
    }
    return out;
}

/// Empty when `a` and `b` are the same document; else the path of the first
/// value that differs, and how.
inline std::string json_difference(const nlohmann::ordered_json& a, const nlohmann::ordered_json& b,
                                   const std::string& path = "$")
{
    using nlohmann::ordered_json;
    if (a.type() != b.type()) return path + ": " + a.type_name() + " against " + b.type_name();
    switch (a.type()) {
    case ordered_json::value_t::object: {
        if (a.size() != b.size()) return path + ": " + std::to_string(a.size()) + " members against " + std::to_string(b.size());
        for (auto x = a.begin(), y = b.begin(); x != a.end(); ++x, ++y) {
            if (x.key() != y.key()) return path + ": key \"" + x.key() + "\" against \"" + y.key() + "\"";
            if (auto d = json_difference(*x, *y, path + "." + x.key()); !d.empty()) return d;
        }
        return {};
    }
    case ordered_json::value_t::array: {
        if (a.size() != b.size()) return path + ": " + std::to_string(a.size()) + " elements against " + std::to_string(b.size());
        for (std::size_t i = 0; i < a.size(); ++i)
            if (auto d = json_difference(a[i], b[i], path + "[" + std::to_string(i) + "]"); !d.empty()) return d;
        return {};
    }
    case ordered_json::value_t::number_float: {
        const double x = a.get<double>(), y = b.get<double>();
        if (std::memcmp(&x, &y, sizeof x) != 0) return path + ": float bits differ";
        return {};
    }
    default:
        // Strings, integers, booleans, null: the library compares them exactly.
        return a == b ? std::string() : path + ": values differ";
    }
}

}  // namespace ds_test
