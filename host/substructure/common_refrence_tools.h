// common_refrence_tools: what a drawing may refer to. The type names of piers
// and abutments, and the pier and abutment drawings of the project that carry
// one of them, by name.
#pragma once

#include <map>
#include <vector>

#include "host/afx/cstring.h"

namespace common_refrence_tools {

/// Abutment type names: "桩柱台", "肋板台", "墙式台", "座板台", "板凳台", "扶壁台".
std::vector<CString> Get_All_QT_Type_Names();

/// Pier type names: "柱式墩", "盖梁柱式墩", "花瓶墩", "墙式墩".
std::vector<CString> Get_All_QD_Type_Names();

/// Names of the drawings that can be referred to: every node of the data
/// centre that is a substructure drawing (xbjg_graph_data_base) whose type name
/// is one of `type_names`, in registration order. `name_to_tag` is cleared and
/// then maps each listed name (the node name) to the node's tag. Nodes without
/// a name cannot be picked and are left out; when two drawings share a name
/// only the first registered is listed.
std::vector<CString> Get_All_Construct_Paper_Paths(const std::vector<CString>& type_names,
                                                   std::map<CString, CString>& name_to_tag);

/// The same type names for the host's own use (the sample bridge); these calls are not counted.
const std::vector<CString>& abutment_type_names();
const std::vector<CString>& pier_type_names();

// ---- seam for tests: how often each operation was called ----

struct call_counts {
    int qt_type_names = 0;
    int qd_type_names = 0;
    int construct_paper_paths = 0;
};
call_counts get_call_counts();
void reset_call_counts();

}  // namespace common_refrence_tools
