// record_limits: the project loader's door, read from the field catalogue.
//
// The check works on the members as the project file holds them (keys and
// JSON values), so the host can check a module's records without knowing
// their classes: the field catalogue says which field a stored key holds
// (told apart by the objects around it where several fields share a key) and
// what the loader accepts of it. The same check serves every door that
// writes: project load checks a node once it has read the file, grid save and
// spreadsheet import once the drawing took the user's values, so nothing is
// saved that would not load. Negative sizes and zero counts pass: whether they
// make a drawing is the design check's question, not the loader's. A text
// that breaks its field's text rules (control characters, length) does not
// stop the load; it marks the project as damaged.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/json/member_stream.h"

class data_node_base;

namespace record_limits {

/// One stored value the loader does not accept as it is.
struct violation {
    std::string field;  ///< key path inside the members, "m_draw_data/m_gz/m_iCount"
    std::string value;  ///< the value as stored, control characters escaped: "2147483647", "\"a\\x00b\""
    std::string limit;  ///< what is accepted, "from 0 to 1000 pedestals"
    bool damage = false;  ///< a text rule: the load goes on, the project counts as damaged
};

/// A node whose values are beyond the limits; what() names the drawing, the field, the value and the limit.
class limit_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The first value beyond a limit in the members `node` writes, in member
/// order, or nothing; texts breaking a text rule go to `damaged` when given.
/// Numbers inside a height text count one by one; pieces that are not numbers
/// are the drawing's business, not a limit's. Throws ds_json::stream_error
/// when it cannot write them.
std::optional<violation> find_violation(const data_node_base& node, std::vector<violation>* damaged = nullptr);

/// An observer for a member stream, writing or reading, that notes in `found` the first value
/// beyond a limit and in `damaged` (when given) every text breaking a text
/// rule, as find_violation would: lets a pass that writes a node for another
/// reason check it too.
ds_json::value_observer violation_observer(std::optional<violation>& found,
                                                     std::vector<violation>* damaged = nullptr);

/// "drawing "NAME": FIELD = VALUE is beyond the limit (LIMIT)", or for a
/// damaged text "... breaks a text rule (RULE)"; `drawing_utf8` is the node's name.
std::string describe(const violation& found, const std::string& drawing_utf8);

/// Serializes `node` and throws limit_error when a value is beyond a limit or a
/// text breaks its text rule: a door must not write either.
void check_node(const data_node_base& node);

}  // namespace record_limits
