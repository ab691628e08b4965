// sample_bridge: a small built-in bridge of pier and abutment drawings for the
// headless host and the tests, and random piers for scale runs.
//
// The sample is bridge part "主线" with abutment 0, piers 1 to 3 and abutment
// 4. Each pier ("柱式墩") has four pedestals, two at -600 and two at +600;
// the abutments ("肋板台") carry pedestals on their span side only: abutment 0
// at +500, abutment 4 at -500. Every pedestal is 560 wide, 460 long and square
// (skew 90); the smaller-chainage pedestals of a pier are 200 high, the others
// 250. Concrete "C40", scale 50.
#pragma once

#include <memory>
#include <vector>

#include "host/substructure/substructure_graph_data.h"

/// Substructure drawings registered in the data centre for as long as they
/// live. Destroying the set unregisters each tag that still names its node,
/// so no tag is left pointing at a deleted drawing.
class registered_substructures {
public:
    registered_substructures() = default;
    registered_substructures(registered_substructures&& other) noexcept;
    registered_substructures& operator=(registered_substructures&& other) noexcept;
    registered_substructures(const registered_substructures&) = delete;
    registered_substructures& operator=(const registered_substructures&) = delete;
    ~registered_substructures();

    /// Gives `drawing` the tag and the name, registers it and keeps it.
    substructure_graph_data& add(std::unique_ptr<substructure_graph_data> drawing, const CString& tag,
                                 const CString& name);

    const std::vector<std::unique_ptr<substructure_graph_data>>& nodes() const { return m_nodes; }
    std::size_t size() const { return m_nodes.size(); }
    substructure_graph_data& operator[](std::size_t index) const { return *m_nodes[index]; }
    /// Tags in the order of adding.
    std::vector<CString> tags() const;

    /// Hands the drawings over, still registered: from now on the new owner
    /// unregisters them before deleting them.
    std::vector<std::unique_ptr<substructure_graph_data>> release();

private:
    void unregister_all();
    std::vector<std::unique_ptr<substructure_graph_data>> m_nodes;
};

namespace sample_bridge {

/// Bridge part of the sample.
inline constexpr const char* bridge_part = "主线";

/// What a user sees for a structure: bridge part, number, then "号墩" for a
/// pier drawing or "号台" for an abutment drawing ("主线1号墩", "主线0号台").
CString display_name(const xbjg_graph_data_base& drawing);

/// Builds the sample, in chainage order (abutment 0, piers 1-3, abutment 4),
/// named by display_name and registered under the tags "sample_abutment_0",
/// "sample_pier_1" ... "sample_abutment_4". A second sample replaces the
/// registrations of the first.
registered_substructures build();

/// `count` piers numbered 1 to count, registered as "bench_pier_N" and named
/// like the sample's piers. Types, pedestal counts (1-4 per side), sizes,
/// heights and skews come from a generator seeded with `seed`: the same seed
/// gives the same piers.
registered_substructures build_random_piers(int count, unsigned seed);

}  // namespace sample_bridge
