// The one writer of the project format: walks the nodes once and hands what
// they write to the sinks asked for, the file's text in pieces and the digest
// of their values, checking on the way what the loader would refuse.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/framework/data_node_base.h"
#include "host/json/member_digest.h"

namespace ds_project {

/// Where a project goes; every member left empty is skipped.
struct project_sinks {
    /// The project file's text, in pieces of a bounded size.
    std::function<void(std::string_view)> text;
    /// The digest of the nodes' values.
    ds_digest::member_digest* digest = nullptr;
    /// The first value the loader would refuse (record_limits), described;
    /// left as it is when there is none.
    std::string* refusal = nullptr;
    /// With `refusal` and `digest`: true when a node with this digest of its
    /// values was checked already (loaded unchanged), so that only the others
    /// are checked, each after it is written.
    std::function<bool(const data_node_base&, const ds_digest::digest&)> checked;
};

/// Writes `nodes` in order to `sinks` in one pass. Throws project_error naming
/// the node when a node is null, its class cannot be created by name, or its
/// members cannot be written (see json_write_stream); a sink may then have
/// seen part of the project.
void write_project(const std::vector<const data_node_base*>& nodes, const project_sinks& sinks);

}  // namespace ds_project
