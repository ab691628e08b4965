// Project nodes and referable structures by the names users type.
#include "app/core/project/node_lookup.h"

#include <stdexcept>

#include "app/core/project/shown_text.h"
#include "app/core/project/runtime_objects.h"
#include "host/framework/data_center.h"
#include "host/substructure/common_refrence_tools.h"
#include "host/text/encoding.h"

namespace ds_app {

namespace {

/// A typed name as errors show it: a name too long for any drawing is cut, so
/// that an error never repeats megabytes the user gave.
std::string shown_name(const CString& name)
{
    constexpr std::size_t most = 200;
    const std::string& bytes = name.str();
    if (bytes.size() <= most) return shown(name);
    std::size_t cut = 0;
    while (cut < most) cut += static_cast<unsigned char>(bytes[cut]) >= 0x81 ? 2 : 1;  // whole GBK characters
    return shown(CString(bytes.substr(0, cut))) + "... (" + std::to_string(bytes.size()) + " bytes)";
}

/// The node named `name` (or the only node) among those for which `keep`
/// holds; `what` names that kind of node in errors.
data_node_base& find_kind(const workspace& project, const std::optional<std::string>& name,
                          const std::function<bool(const data_node_base&)>& keep, const std::string& what)
{
    if (!name) {
        const std::vector<CString> known = project.names_where(keep);
        if (known.size() == 1) return *project.find_by_name(known.front());
        throw std::runtime_error("name the " + what + " with --drawing; the project holds " +
                                 std::to_string(known.size()) + ": " + shown_list(known));
    }
    const CString wanted = narrow_argument(*name, what + " name");
    const auto& named = project.nodes_named(wanted);
    std::vector<data_node_base*> kept;
    for (data_node_base* node : named)
        if (keep(*node)) kept.push_back(node);
    if (kept.size() == 1) return *kept.front();
    if (kept.size() > 1) {
        // Taking the first would edit a drawing the user may not have meant.
        std::vector<CString> tags;
        for (const data_node_base* node : kept) tags.push_back(node->get_node_tag());
        throw std::runtime_error(std::to_string(kept.size()) + " " + what + "s are named \"" + shown_name(wanted) +
                                 "\" (tags " + shown_list(tags) + "); the name is ambiguous, rename one of them");
    }
    throw std::runtime_error("no " + what + " named \"" + shown_name(wanted) + "\" in the project" +
                             (named.empty() ? "" : " (a node of that name is of another kind)") +
                             "; known: " + shown_list(project.names_where(keep)));
}

bool is_single(const data_node_base& node) { return is_of_class(node, module_class::single_drawing); }
bool is_parametric(const data_node_base& node) { return is_of_class(node, module_class::parametric_drawing); }

}  // namespace

CString narrow_argument(const std::string& utf8, const std::string& what)
{
    try {
        return ds_text::from_utf8(utf8);
    } catch (const ds_text::conversion_error& e) {
        throw std::runtime_error(what + " \"" + utf8 + "\": " + e.what());
    }
}

drawing_graph_data_base& find_single_drawing(const workspace& project, const std::optional<std::string>& name)
{
    // The module's single drawing is a drawing_graph_data_base; the class check makes the cast safe.
    return dynamic_cast<drawing_graph_data_base&>(find_kind(project, name, is_single, "single pedestal drawing"));
}

parameters_graph_data_base& find_parametric_drawing(const workspace& project, const std::optional<std::string>& name)
{
    return dynamic_cast<parameters_graph_data_base&>(
        find_kind(project, name, is_parametric, "parametric pedestal drawing"));
}

graph_data_base& find_pedestal_drawing(const workspace& project, const std::optional<std::string>& name)
{
    const auto either = [](const data_node_base& n) { return is_single(n) || is_parametric(n); };
    return dynamic_cast<graph_data_base&>(find_kind(project, name, either, "pedestal drawing"));
}

std::vector<drawing_graph_data_base*> find_single_drawings(const workspace& project,
                                                           const std::vector<std::string>& names)
{
    if (names.empty()) throw std::runtime_error("name at least one single pedestal drawing with --drawings");
    std::vector<drawing_graph_data_base*> drawings;
    for (const std::string& name : names) drawings.push_back(&find_single_drawing(project, name));
    return drawings;
}

referable_list referable_structures(const std::vector<CString>& type_names)
{
    referable_list list;
    list.names = common_refrence_tools::Get_All_Construct_Paper_Paths(type_names, list.tags);
    return list;
}

referable_list all_referable_structures()
{
    std::vector<CString> types = common_refrence_tools::abutment_type_names();
    const std::vector<CString>& piers = common_refrence_tools::pier_type_names();
    types.insert(types.end(), piers.begin(), piers.end());
    return referable_structures(types);
}

xbjg_graph_data_base& find_structure(const referable_list& referable, const std::string& name)
{
    const auto it = referable.tags.find(narrow_argument(name, "structure name"));
    auto* structure = it == referable.tags.end()
                          ? nullptr
                          : dynamic_cast<xbjg_graph_data_base*>(data_center::get_data_node(it->second));
    if (structure) return *structure;
    throw std::runtime_error("no pier or abutment drawing named \"" + name + "\" can be referred to; known: " +
                             shown_list(referable.names));
}

}  // namespace ds_app
