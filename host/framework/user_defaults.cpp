// The store of user-defined defaults by class name, and applying one to a node.
#include "host/framework/user_defaults.h"

#include <map>

#include "host/framework/graph_data_base.h"

namespace user_defaults {
namespace {
std::map<CString, applier>& store()
{
    static std::map<CString, applier> instance;
    return instance;
}
}  // namespace

void register_default(const CString& class_name, applier apply) { store()[class_name] = std::move(apply); }
void unregister_default(const CString& class_name) { store().erase(class_name); }

bool apply(graph_data_base& node)
{
    const auto it = store().find(node.GetRuntimeClass()->m_lpszClassName);
    if (it == store().end() || !it->second) return false;
    it->second(node);
    return true;
}
}  // namespace user_defaults
