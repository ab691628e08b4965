// RXDSGNMOD::CRXComponentSteelP0: the rebar of one bar group as the design
// component framework takes it (the bars of one part of a structure).
// Objects of this class are handed out by steel_data_transform, which owns
// them; components only read them.
#pragma once

#include <utility>
#include <vector>

#include "host/afx/cstring.h"
#include "host/rebar/steel_bar_row.h"

namespace RXDSGNMOD {

class CRXComponentSteelP0 {
public:
    CRXComponentSteelP0() = default;
    CRXComponentSteelP0(CString group_name, std::vector<steel_bar_row> bars)
        : m_group_name(std::move(group_name)), m_bars(std::move(bars))
    {
    }
    virtual ~CRXComponentSteelP0() = default;

    /// Name of the part the bars belong to ("钢筋网").
    const CString& GetGroupName() const { return m_group_name; }
    /// The group's bar lines, in the order of the rebar set.
    const std::vector<steel_bar_row>& GetBars() const { return m_bars; }

    friend bool operator==(const CRXComponentSteelP0& a, const CRXComponentSteelP0& b)
    {
        return a.m_group_name == b.m_group_name && a.m_bars == b.m_bars;
    }

private:
    CString m_group_name;
    std::vector<steel_bar_row> m_bars;
};

}  // namespace RXDSGNMOD
