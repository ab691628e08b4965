// Objects of the module made the way the host makes them: by runtime class
// name, then driven through the host base class or interface they implement.
// ds-host never sees a module header; these names are all it knows.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "host/afx/cobject.h"

namespace ds_app {

/// Runtime class names of the module's classes that ds-host drives.
namespace module_class {
inline constexpr const char* single_drawing = "DS_ui_data";
inline constexpr const char* parametric_drawing = "DS_ui_CSH_data";
inline constexpr const char* common_grid = "DS_ui_common_grid_ui_data";
inline constexpr const char* advanced_grid = "DS_ui_advance_grid_ui_data";
inline constexpr const char* parametric_grid = "DS_ui_CSH_advance_grid_ui_data";
inline constexpr const char* single_strategy = "DS_ui_drawing_strategy";
inline constexpr const char* parametric_strategy = "DS_ui_CSH_drawing_strategy";
inline constexpr const char* merge_method = "DS_ui_merge_method_base";
inline constexpr const char* convert_method = "DS_ui_convert_method_base";
inline constexpr const char* dismantle_method = "DS_ui_CSH_dismantle_method";
}  // namespace module_class

/// A new object of the class named `class_name`, seen as a `T` (`what` names T
/// in the error). Throws std::runtime_error when no attached module or the host
/// registers that class, or when its objects are no `T`.
template <class T>
std::unique_ptr<T> create_object(const char* class_name, const char* what)
{
    const CRuntimeClass* cls = CRuntimeClass::FromName(class_name);
    if (!cls) throw std::runtime_error(std::string("no class named ") + class_name + " is registered");
    std::unique_ptr<CObject> object(cls->CreateObject());
    if (!object) throw std::runtime_error(std::string("class ") + class_name + " cannot be created by name");
    T* typed = dynamic_cast<T*>(object.get());
    if (!typed) throw std::runtime_error(std::string("class ") + class_name + " is not a " + what);
    object.release();
    return std::unique_ptr<T>(typed);
}

/// True when `object` is of the class named `class_name` or derives from it.
inline bool is_of_class(const CObject& object, const char* class_name)
{
    const CRuntimeClass* cls = CRuntimeClass::FromName(class_name);
    return cls && object.IsKindOf(cls);
}

}  // namespace ds_app
