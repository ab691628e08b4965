// Merge, convert and dismantle methods between single and parametric drawings.
#pragma once

#include <utility>
#include <vector>

#include "host/afx/cobject.h"

class parameters_graph_data_base;
class drawing_graph_data_base;

/// Result of an operation that changes the project: success and a message or name.
using method_result = std::pair<bool, CString>;

/// A class-library object that the host may copy.
class data_mfc_object_can_copy_base : public CObject {
    DECLARE_DYNAMIC(data_mfc_object_can_copy_base)
public:
    data_mfc_object_can_copy_base() = default;
    data_mfc_object_can_copy_base(const data_mfc_object_can_copy_base&) = default;
    data_mfc_object_can_copy_base& operator=(const data_mfc_object_can_copy_base&) = default;
};

/// The operations a drawing type offers for merging. The interface's own
/// answers refuse: "not supported by this drawing type".
class graph_merge_method_interface {
public:
    virtual ~graph_merge_method_interface() = default;
    virtual method_result merge_drawing_graph(parameters_graph_data_base*& merged, const std::vector<CString>& graphs);
    virtual method_result convert_drawing_graph(CString target, const std::vector<CString>& graphs);
    virtual bool is_all_single_graph_can_merge(const std::vector<CString>& graphs, std::vector<CString>& messages) const;
    virtual bool is_all_single_graph_can_convert(const CString& target, const std::vector<CString>& graphs,
                                                 std::vector<CString>& messages) const;
};

class graph_dismantle_method_interface {
public:
    virtual ~graph_dismantle_method_interface() = default;
    virtual method_result dismantle_param_graph(std::vector<drawing_graph_data_base*>& graphs, CString& param_graph);
};
