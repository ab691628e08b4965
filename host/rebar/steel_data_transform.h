// steel_data_transform: turns a rebar set into the bar groups that drawing
// components take.
//
// The groups are interned: the library keeps one object per distinct group
// content for as long as it is loaded, and hands out pointers to those. A
// pointer therefore stays valid after the rebar set it came from is gone, is
// never owned (or deleted) by the caller, and asking again for the same
// rebar gives the same pointers without making new objects.
#pragma once

#include <cstddef>
#include <vector>

#include "host/rebar/rx_component_steel_p0.h"
#include "host/rebar/steel_data.h"

namespace steel_data_transform {

/// Name of the first group, which holds every bar line of the rebar set.
inline constexpr const char* whole_rebar_group = "垫石钢筋";

/// Clears `groups`, then appends the whole rebar as the first group (every
/// bar line, in order: a drawing component that takes the first group gets
/// the pedestal's mesh, vertical bars and ties together), followed by one
/// group per part name of `data`, in the order in which the part names first
/// appear, each holding that part's bar lines in their order. A rebar set
/// without bars gives no group. The pointed-to objects are shared and must
/// not be changed.
void get_steel_data_group(const steel_data& data, std::vector<RXDSGNMOD::CRXComponentSteelP0*>& groups);

/// Number of distinct groups interned so far (for tests).
std::size_t interned_group_count();

}  // namespace steel_data_transform
