// VQDraw_DS_GJNA::CRXComponent_DSGJ: the pedestal rebar drawing component.
//
// Built from a filled DS_draw_data, it checks the pedestal parameters and
// counts the bars (Design), lays out the pedestals of every parameter group
// (Draw), makes one sheet per parameter group (CreatPaper) and lists the
// concrete and rebar quantities (GetMaterialData). It keeps the record it was
// built from unchanged, so callers can read what they asked for.
#pragma once

#include <map>
#include <vector>

#include "host/drawing_lib/ds_gj_draw_data.h"
#include "host/drawing_lib/rx_component.h"

namespace VQDraw_DS_GJNA {

class CRXComponent_DSGJ : public RXDSGNMOD::CRXComponent {
public:
    explicit CRXComponent_DSGJ(DS_draw_data data);
    ~CRXComponent_DSGJ() override;

    /// Checks every parameter record (positive sizes and heights, one height
    /// per pedestal, a skew angle inside (0, 180), positive scales) and counts
    /// the bars of each parameter group. False when a check failed; the
    /// findings are in GetDesignMessages.
    bool Design() override;
    /// Designs, then lays out one outline per pedestal into the drawing named
    /// `target`. False for an empty target or a failed design.
    bool Draw(CString target) override;
    /// Appends one sheet per parameter group: its pedestal rows, height label
    /// and notes. The caller owns the sheets.
    void CreatPaper(std::vector<RXDSGNMOD::CRXPaper*>& papers) override;
    /// Appends, per parameter group, one concrete row (volume in cubic metres)
    /// and one row per bar line of its rebar (total number of bars).
    void GetMaterialData(std::vector<std::map<CString, CString>>& rows) override;

    /// The record the component was built from.
    const DS_draw_data& GetDrawData() const { return m_data; }
    /// Findings of the last Design, one line each; empty when it passed.
    const std::vector<CString>& GetDesignMessages() const { return m_messages; }
    /// Bars per parameter group, as counted by the last Design.
    const std::vector<int>& GetGroupBarCounts() const { return m_group_bars; }
    /// Entities laid out by the last Draw, one line each.
    const std::vector<CString>& GetDrawnItems() const { return m_drawn; }

private:
    void check_parameter(const DS_steel_pram_parameter& param, const CString& where);

    DS_draw_data m_data;
    std::vector<CString> m_messages;
    std::vector<int> m_group_bars;
    std::vector<CString> m_drawn;
};

}  // namespace VQDraw_DS_GJNA
