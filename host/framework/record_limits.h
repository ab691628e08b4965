// record_limits: finds values beyond input_limits in a node's stored members.
//
// The check works on the members as the project file holds them (keys and
// JSON values), so the host can check a module's records without knowing
// their classes: a key names its kind of value wherever it appears
// ("m_iCount" is a pedestal count, "m_dWidth" a size in mm, "strHei" a list
// of heights, ...). The same check serves every door: project load checks a
// node once it has read the file, grid save once the observer wrote the
// user's values into it. Negative sizes and zero counts pass: whether they
// make a drawing is the design check's question, not the door's.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "host/framework/json_stream.h"

class data_node_base;

namespace record_limits {

/// One stored value beyond what the host accepts.
struct violation {
    std::string field;  ///< key path inside the members, "m_draw_data/m_gz/m_iCount"
    std::string value;  ///< the value as stored, "2147483647"
    std::string limit;  ///< what is accepted, "at most 1000 pedestals in a row"
};

/// A node whose values are beyond the limits; what() names the drawing, the field, the value and the limit.
class limit_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The first value beyond a limit in serialized members, in member order, or
/// nothing. Values of another JSON type than their key expects are left to the
/// reader, which reports them. Numbers inside a height text count one by one;
/// pieces that are not numbers are the drawing's business, not a limit's.
std::optional<violation> find_violation(const nlohmann::ordered_json& members);

/// find_violation on the members `node` writes. Throws ds_stream_error when it cannot write them.
std::optional<violation> find_violation(const data_node_base& node);

/// An observer for a json_write_stream that notes in `found` the first value
/// beyond a limit, as find_violation would: lets a pass that writes a node
/// for another reason check it too.
json_write_stream::value_observer violation_observer(std::optional<violation>& found);

/// "drawing "NAME": FIELD = VALUE is beyond the limit (LIMIT)"; `drawing_utf8` is the node's name.
std::string describe(const violation& found, const std::string& drawing_utf8);

/// Serializes `node` and throws limit_error when a value is beyond a limit.
void check_node(const data_node_base& node);

}  // namespace record_limits
