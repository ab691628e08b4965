// User-defined defaults: an engineer may store their own defaults for a kind
// of drawing; graph_data_base::set_custom_default_value applies them.
#pragma once

#include <functional>

#include "host/afx/cstring.h"

class graph_data_base;

namespace user_defaults {
using applier = std::function<void(graph_data_base&)>;

/// Registers the default of the class with runtime class name `class_name`
/// (replacing an earlier one).
void register_default(const CString& class_name, applier apply);
void unregister_default(const CString& class_name);
/// Applies the default registered for the node's class; false when there is none.
bool apply(graph_data_base& node);
}  // namespace user_defaults
