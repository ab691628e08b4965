// steel_data: the rebar set of a drawing, a data node of the rebar library.
//
// A list of bar lines. Drawings hold it by value: copying copies every bar,
// so a copy shares nothing with its source. It defaults itself to the rebar
// of a bearing pedestal, compares itself into difference lines and serializes
// itself under the guard tag "steel_data".
#pragma once

#include <vector>

#include "host/framework/data_node_base.h"
#include "host/rebar/steel_bar_row.h"

class steel_data : public data_node_base {
    DECLARE_DYNCREATE(steel_data)
public:
    /// Layout version written by serialize_members.
    static constexpr int current_version = 1;

    steel_data() = default;
    steel_data(const steel_data&) = default;
    steel_data& operator=(const steel_data&) = default;
    ~steel_data() override = default;

    /// The pedestal rebar: two layers of HRB400 mesh, vertical bars and stirrups.
    void set_default_value() override;

    /// Appends one line per difference to `lines`: the number of bar lines,
    /// then, line by line for the lines both sets have, each differing field.
    /// Equal sets add nothing.
    void compare(const steel_data& other, std::vector<CString>& lines) const;

    /// "version", then the bar lines as a list under "m_bars" ("count", "item_N").
    /// Every stored version is read with the one layout there is. A stream
    /// without a "count" leaves the bars as they are; otherwise each stored bar
    /// line starts as a default line, so a field it lacks reads as the default.
    void serialize_members(member_rw_interface& stream) override;

    /// Bars compare equal (tag and name aside).
    bool same_bars(const steel_data& other) const { return m_bars == other.m_bars; }

    std::vector<steel_bar_row> m_bars;
};
