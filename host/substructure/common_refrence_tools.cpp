// Type names of piers and abutments, and the referable drawings of the project.
#include "host/substructure/common_refrence_tools.h"

#include <algorithm>

#include "host/framework/data_center.h"
#include "host/framework/xbjg_graph_data_base.h"
#include "host/substructure/host_call_counter.h"

namespace common_refrence_tools {

namespace {
struct counters {
    host_call_counter qt_type_names;
    host_call_counter qd_type_names;
    host_call_counter construct_paper_paths;
};
counters& calls()
{
    static counters instance;
    return instance;
}

bool contains(const std::vector<CString>& list, const CString& text)
{
    return std::find(list.begin(), list.end(), text) != list.end();
}
}  // namespace

const std::vector<CString>& abutment_type_names()
{
    static const std::vector<CString> names = {"桩柱台", "肋板台", "墙式台", "座板台", "板凳台", "扶壁台"};
    return names;
}

const std::vector<CString>& pier_type_names()
{
    static const std::vector<CString> names = {"柱式墩", "盖梁柱式墩", "花瓶墩", "墙式墩"};
    return names;
}

std::vector<CString> Get_All_QT_Type_Names()
{
    calls().qt_type_names.hit();
    return abutment_type_names();
}

std::vector<CString> Get_All_QD_Type_Names()
{
    calls().qd_type_names.hit();
    return pier_type_names();
}

std::vector<CString> Get_All_Construct_Paper_Paths(const std::vector<CString>& type_names,
                                                   std::map<CString, CString>& name_to_tag)
{
    calls().construct_paper_paths.hit();
    name_to_tag.clear();
    std::vector<CString> names;
    for (const CString& tag : data_center::get_all_tags()) {
        const auto* drawing = dynamic_cast<const xbjg_graph_data_base*>(data_center::get_data_node(tag));
        if (!drawing || !contains(type_names, drawing->substructure_info().type_name)) continue;
        const CString& name = drawing->get_node_name();
        if (name.IsEmpty() || name_to_tag.count(name)) continue;
        name_to_tag[name] = tag;
        names.push_back(name);
    }
    return names;
}

call_counts get_call_counts()
{
    return {calls().qt_type_names.count(), calls().qd_type_names.count(), calls().construct_paper_paths.count()};
}

void reset_call_counts()
{
    calls().qt_type_names.reset();
    calls().qd_type_names.reset();
    calls().construct_paper_paths.reset();
}

}  // namespace common_refrence_tools
