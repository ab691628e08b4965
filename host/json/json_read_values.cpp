// Stored values as the record's types, and the words for those that are not.
#include "host/json/json_read_values.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <unordered_set>

#include "host/text/encoding.h"

namespace ds_json::read_values {
namespace {

using kind = flat_tree::kind;

/// A number as the library writes it: "3", "3.7", "1e+300".
std::string number_text(const flat_tree& tree, std::size_t i) { return tree.to_json(i).dump(); }

bool out_of_range(const flat_tree& tree, std::size_t i, std::string& problem)
{
    problem = "the number " + number_text(tree, i) + " is out of range for an int";
    return false;
}

bool is_number(const flat_tree::value& v)
{
    return v.type == kind::number_integer || v.type == kind::number_unsigned || v.type == kind::number_float;
}

}  // namespace

std::string describe(const flat_tree& tree, std::size_t i)
{
    const flat_tree::value& v = tree[i];
    if (is_number(v) || v.type == kind::boolean) return "the " + std::string(tree.type_name(i)) + " " + number_text(tree, i);
    if (v.type == kind::object || v.type == kind::array) return "an " + std::string(tree.type_name(i));
    return "a " + std::string(tree.type_name(i));
}

bool to_int(const flat_tree& tree, std::size_t i, int& out, std::string& problem)
{
    const flat_tree::value& v = tree[i];
    switch (v.type) {
    case kind::number_unsigned:
        if (v.unsigned_integer > static_cast<std::uint64_t>(INT_MAX)) return out_of_range(tree, i, problem);
        out = static_cast<int>(v.unsigned_integer);
        return true;
    case kind::number_integer:
        if (v.integer < INT_MIN || v.integer > INT_MAX) return out_of_range(tree, i, problem);
        out = static_cast<int>(v.integer);
        return true;
    case kind::number_float:
        // A cast would truncate 3.7 to 3 and is undefined past the int range.
        if (std::trunc(v.real) != v.real) break;
        if (v.real < static_cast<double>(INT_MIN) || v.real > static_cast<double>(INT_MAX))
            return out_of_range(tree, i, problem);
        out = static_cast<int>(v.real);
        return true;
    default:
        break;
    }
    problem = "expected an integer, found " + describe(tree, i);
    return false;
}

bool to_double(const flat_tree& tree, std::size_t i, double& out, std::string& problem)
{
    const flat_tree::value& v = tree[i];
    switch (v.type) {
    case kind::number_unsigned: out = static_cast<double>(v.unsigned_integer); return true;
    case kind::number_integer: out = static_cast<double>(v.integer); return true;
    case kind::number_float: out = v.real; return true;
    default: break;
    }
    problem = "expected a number, found " + describe(tree, i);
    return false;
}

bool to_bool(const flat_tree& tree, std::size_t i, bool& out, std::string& problem)
{
    if (tree[i].type != kind::boolean) {
        problem = "expected true or false, found " + describe(tree, i);
        return false;
    }
    out = tree[i].boolean;
    return true;
}

bool to_narrow_text(const flat_tree& tree, std::size_t i, CString& out, std::string& problem)
{
    if (tree[i].type != kind::string) {
        problem = "expected a string, found " + describe(tree, i);
        return false;
    }
    try {
        out = ds_text::from_utf8(tree.text(i));
        return true;
    } catch (const ds_text::conversion_error& e) {
        problem = std::string("text does not convert: ") + e.what();
        return false;
    }
}

std::size_t items_present(const flat_tree& tree, std::size_t object)
{
    std::unordered_set<unsigned long> seen;
    for (std::size_t c = object + 1; c < tree[object].end; c = tree[c].end) {
        const std::string_view key = tree.key(c);
        if (!key.starts_with("item_")) continue;
        std::size_t end = 5;
        while (end < key.size() && end < 5 + 9 && key[end] >= '0' && key[end] <= '9') ++end;
        if (end == 5 || (end < key.size() && key[end] != '_')) continue;
        seen.insert(std::stoul(std::string(key.substr(5, end - 5))));
    }
    return seen.size();
}

}  // namespace ds_json::read_values
