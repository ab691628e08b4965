// Finding the project's drawings and structures by the names a user types.
//
// Names on the command line are UTF-8; nodes carry GBK names. A name that
// finds nothing is an error that lists the names that would have worked.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/core/project/workspace.h"
#include "host/framework/drawing_graph_data_base.h"
#include "host/framework/parameters_graph_data_base.h"
#include "host/framework/xbjg_graph_data_base.h"

namespace ds_app {

/// The single pedestal drawing named `name`. Without a name, the project's only
/// one. Throws std::runtime_error listing the single drawings otherwise.
drawing_graph_data_base& find_single_drawing(const workspace& project, const std::optional<std::string>& name);

/// The parametric pedestal drawing named `name`, or the only one when no name is given.
parameters_graph_data_base& find_parametric_drawing(const workspace& project, const std::optional<std::string>& name);

/// A pedestal drawing of either kind, or the only one when no name is given.
graph_data_base& find_pedestal_drawing(const workspace& project, const std::optional<std::string>& name);

/// The single drawings named in `names`, in order; each must exist.
std::vector<drawing_graph_data_base*> find_single_drawings(const workspace& project,
                                                           const std::vector<std::string>& names);

/// Pier and abutment drawings that may be referred to, as the host's reference tools list them.
struct referable_list {
    std::vector<CString> names;          ///< in project order
    std::map<CString, CString> tags;     ///< name -> node tag
};

/// The pier and abutment drawings of the project whose type is one of `type_names`.
referable_list referable_structures(const std::vector<CString>& type_names);
/// The same for every pier and abutment type the host knows.
referable_list all_referable_structures();

/// The structure named `name` among `referable`. Throws std::runtime_error
/// listing the referable names.
xbjg_graph_data_base& find_structure(const referable_list& referable, const std::string& name);

/// Narrow text of a UTF-8 name from the command line; throws naming `what` when it does not convert.
CString narrow_argument(const std::string& utf8, const std::string& what);

}  // namespace ds_app
