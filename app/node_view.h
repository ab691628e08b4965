// Shows a node the way the host sees it: through its serialized members.
#pragma once

#include <string>

#include "host/framework/data_node_base.h"

namespace ds_app {

/// The node's members as indented UTF-8 JSON, written by its own serialize_members.
std::string members_text(data_node_base& node);
/// "DS_ui_data  tag=…  name=…" (UTF-8).
std::string node_heading(const data_node_base& node);

}  // namespace ds_app
