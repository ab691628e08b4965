// The built-in sample bridge and the random piers of scale runs.
#include "host/substructure/sample_bridge.h"

#include <random>
#include <string>
#include <utility>

#include "host/framework/data_center.h"
#include "host/framework/string_tools.h"
#include "host/substructure/common_refrence_tools.h"

// ---- registered_substructures -----------------------------------------------

registered_substructures::registered_substructures(registered_substructures&& other) noexcept
    : m_nodes(std::move(other.m_nodes))
{
    other.m_nodes.clear();
}

registered_substructures& registered_substructures::operator=(registered_substructures&& other) noexcept
{
    if (this != &other) {
        unregister_all();
        m_nodes = std::move(other.m_nodes);
        other.m_nodes.clear();
    }
    return *this;
}

registered_substructures::~registered_substructures() { unregister_all(); }

substructure_graph_data& registered_substructures::add(std::unique_ptr<substructure_graph_data> drawing,
                                                       const CString& tag, const CString& name)
{
    drawing->set_node_tag(tag);
    drawing->set_node_name(name);
    data_center::register_node(tag, drawing.get());
    m_nodes.push_back(std::move(drawing));
    return *m_nodes.back();
}

std::vector<CString> registered_substructures::tags() const
{
    std::vector<CString> result;
    for (const auto& node : m_nodes) result.push_back(node->get_node_tag());
    return result;
}

std::vector<std::unique_ptr<substructure_graph_data>> registered_substructures::release()
{
    return std::exchange(m_nodes, {});
}

// A tag re-registered to another node meanwhile belongs to that node now.
void registered_substructures::unregister_all()
{
    for (const auto& node : m_nodes)
        if (data_center::get_data_node(node->get_node_tag()) == node.get())
            data_center::unregister_node(node->get_node_tag());
    m_nodes.clear();
}

// ---- sample_bridge ------------------------------------------------------------

namespace sample_bridge {

namespace {

constexpr double kWidth = 560.0;
constexpr double kLength = 460.0;

/// `count` pedestals at `position`, all `height` high.
void add_row(std::vector<ds_gz_data>& pedestals, double position, int count, double height)
{
    for (int i = 0; i < count; ++i) pedestals.push_back({position, 90.0, kWidth, kLength, height});
}

std::unique_ptr<substructure_graph_data> sample_pier(int number)
{
    std::vector<ds_gz_data> pedestals;
    add_row(pedestals, -600.0, 2, 200.0);
    add_row(pedestals, 600.0, 2, 250.0);
    return make_substructure_drawing(substructure_pier, "柱式墩", bridge_part, number, "C40", 50, std::move(pedestals));
}

std::unique_ptr<substructure_graph_data> sample_abutment(int number, double position)
{
    std::vector<ds_gz_data> pedestals;
    add_row(pedestals, position, 2, 200.0);
    return make_substructure_drawing(substructure_abutment, "肋板台", bridge_part, number, "C40", 50,
                                     std::move(pedestals));
}

CString numbered_tag(const char* prefix, int number) { return prefix + string_tools::num_to_string(number); }

/// Adds a drawing under its display name.
void add_named(registered_substructures& set, std::unique_ptr<substructure_graph_data> drawing, const CString& tag)
{
    const CString name = display_name(*drawing);
    set.add(std::move(drawing), tag, name);
}

/// One pick from `choices`, by the generator's raw output so every platform draws the same.
template <class T, std::size_t N>
T pick(std::mt19937& random, const T (&choices)[N])
{
    return choices[random() % N];
}

std::unique_ptr<substructure_graph_data> random_pier(std::mt19937& random, int number,
                                                     const std::vector<CString>& types)
{
    static const double widths[] = {460.0, 560.0, 660.0, 760.0};
    static const double lengths[] = {360.0, 460.0, 560.0};
    static const double heights[] = {150.0, 200.0, 250.0, 300.0, 350.0, 400.0};
    static const double skews[] = {90.0, 90.0, 75.0, 105.0, 60.0};
    const double width = pick(random, widths), length = pick(random, lengths), skew = pick(random, skews);
    std::vector<ds_gz_data> pedestals;
    for (double position : {-600.0, 600.0}) {
        const int count = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < count; ++i) pedestals.push_back({position, skew, width, length, pick(random, heights)});
    }
    const CString& type = types[random() % types.size()];
    return make_substructure_drawing(substructure_pier, type, bridge_part, number, "C40", 50, std::move(pedestals));
}

}  // namespace

CString display_name(const xbjg_graph_data_base& drawing)
{
    const xbjg_substructure_info& info = drawing.substructure_info();
    return info.bridge_part + string_tools::num_to_string(info.number) + (drawing.Get_Type() == 0 ? "号墩" : "号台");
}

registered_substructures build()
{
    registered_substructures set;
    add_named(set, sample_abutment(0, 500.0), numbered_tag("sample_abutment_", 0));
    for (int number = 1; number <= 3; ++number) add_named(set, sample_pier(number), numbered_tag("sample_pier_", number));
    add_named(set, sample_abutment(4, -500.0), numbered_tag("sample_abutment_", 4));
    return set;
}

registered_substructures build_random_piers(int count, unsigned seed)
{
    std::mt19937 random(seed);
    const std::vector<CString>& types = common_refrence_tools::pier_type_names();
    registered_substructures set;
    for (int number = 1; number <= count; ++number)
        add_named(set, random_pier(random, number, types), numbered_tag("bench_pier_", number));
    return set;
}

}  // namespace sample_bridge
