// Heights against pedestal counts: the module draws a row with as many heights
// as it counts pedestals, repeating the last height or leaving the extra ones
// out. That is allowed, but a person who typed one of them should hear of it.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace ds_app {

/// One line per record of the stored form whose heights (a field of kind
/// heights) and pedestal count (its sibling of unit "pedestals") differ in
/// number: "主线 1: 2 height(s) for 4 pedestal(s); the last height stands for the rest".
std::vector<std::string> height_count_mismatches(const nlohmann::ordered_json& stored);

/// The lines of height_count_mismatches(after) that height_count_mismatches(before) has not.
std::vector<std::string> new_height_count_mismatches(const nlohmann::ordered_json& before,
                                                     const nlohmann::ordered_json& after);

}  // namespace ds_app
