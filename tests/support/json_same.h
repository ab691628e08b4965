// Where two JSON documents differ, strictly: member order, number types and
// the bits of every float count, and strings compare byte for byte.
#pragma once

#include <cstring>
#include <string>

#include <nlohmann/json.hpp>

namespace ds_test {

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
