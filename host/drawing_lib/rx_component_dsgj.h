// VQDraw_DS_GJNA::CRXComponent_DSGJ: the pedestal rebar drawing component.
//
// Built from a filled DS_draw_data, it checks the record against the host's
// limits and computes each parameter group's steel and concrete (Design), lays
// out the pedestals of every parameter group (Draw), makes the drawing's sheets
// (CreatPaper) and lists the quantities (GetMaterialData). It keeps the record
// it was built from, so callers can read what they asked for; only the host
// fills in what its strategy leaves out (FillPositions).
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "host/pedestal_design/ds_gj_draw_data.h"
#include "host/pedestal_design/quantity_table.h"
#include "host/drawing_lib/rx_component.h"

namespace VQDraw_DS_GJNA {

class CRXComponent_DSGJ : public RXDSGNMOD::CRXComponent {
public:
    explicit CRXComponent_DSGJ(DS_draw_data data);
    ~CRXComponent_DSGJ() override;

    /// Runs the design check (check_draw_data) and, when it passes, computes
    /// every group's quantities. False when the check found anything; the
    /// findings are in GetDesignMessages. Draw, CreatPaper and GetMaterialData
    /// use the result of the last Design and design only when none was run.
    bool Design() override;
    /// Designs, then lays out one outline per pedestal into the drawing named
    /// `target`. False for an empty target or a failed design.
    bool Draw(CString target) override;
    /// Designs, then appends the drawing's sheets (sheet_layout.h): one per
    /// parameter group plus continuation sheets, or, when the design check
    /// failed, sheets that list its findings. The caller owns the sheets. The
    /// drawing check runs on the sheets made (GetDrawingMessages).
    void CreatPaper(std::vector<RXDSGNMOD::CRXPaper*>& papers) override;
    /// Designs, then appends per parameter group one concrete row (grade,
    /// volume in cubic metres) and one row per line of the group's quantity
    /// table (mark, grade and diameter, one bar's length, count, total length,
    /// weight in kg as the quantity). Nothing when the design check failed:
    /// a drawing that cannot be built has no quantities.
    void GetMaterialData(std::vector<std::map<CString, CString>>& rows) override;

    /// Gives every pedestal whose position the record leaves empty the
    /// position `position` ("小桩号侧"/"大桩号侧"): a single drawing keeps its
    /// pedestals' position beside the record its strategy fills, and the
    /// parameter table should not show "-" for a position the engineer gave.
    /// An empty `position` changes nothing.
    void FillPositions(const CString& position);

    /// The record the component was built from.
    const DS_draw_data& GetDrawData() const { return m_data; }
    /// Findings of the last Design, one line each; empty when it passed.
    const std::vector<CString>& GetDesignMessages() const { return m_messages; }
    /// What the last CreatPaper found in its own sheets: scales it could not
    /// keep (and the one it used instead), then the drawing check's findings
    /// (drawing_check.h); empty when the sheets read right.
    const std::vector<CString>& GetDrawingMessages() const { return m_drawing_messages; }
    /// Bars per parameter group, as counted by the last Design that passed.
    const std::vector<std::int64_t>& GetGroupBarCounts() const { return m_group_bars; }
    /// Quantities per parameter group, from the last Design that passed.
    const std::vector<group_quantities>& GetGroupQuantities() const { return m_quantities; }
    /// Entities laid out by the last Draw, one line each.
    const std::vector<CString>& GetDrawnItems() const { return m_drawn; }

private:
    DS_draw_data m_data;
    std::vector<CString> m_messages;
    std::vector<CString> m_drawing_messages;
    std::vector<std::int64_t> m_group_bars;
    std::vector<group_quantities> m_quantities;
    std::vector<CString> m_drawn;
    bool m_designed = false;  ///< Design has run; m_passed is its result
    bool m_passed = false;

    bool designed();
};

}  // namespace VQDraw_DS_GJNA
