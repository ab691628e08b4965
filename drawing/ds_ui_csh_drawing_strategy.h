// DS_ui_CSH_drawing_strategy: drawing strategy of a parametric pedestal drawing.
//
// One drawing serves many piers and abutments. GetComponent sorts the list
// rows into groups of one pedestal size (see drawing/ds_csh_groups.h), makes
// one parameter group, one height label and one note list (see
// drawing/ds_csh_notes.h) per size, and hands the filled record to the
// pedestal rebar drawing library. The spreadsheet exchange reuses the single
// drawing's construction and settings blocks and adds the list name and the
// list.
#pragma once

#include <memory>
#include <vector>

#include "host/ui_base/graph_drawing_strategy_base.h"

namespace VQDraw_DS_UINA {

class DS_CSH_Name;
class DS_CSH_LB_Data;

class DS_ui_CSH_drawing_strategy : public graph_drawing_strategy_base {
    DECLARE_DYNCREATE(DS_ui_CSH_drawing_strategy)
public:
    DS_ui_CSH_drawing_strategy() = default;
    ~DS_ui_CSH_drawing_strategy() override = default;

    /// The drawing component of the attached parametric drawing, built from a
    /// copy of it; empty when no DS_ui_CSH_data is attached. An empty list
    /// gives a component of a record that holds only its defaults.
    ///
    /// Heights of a row: its m_strH split at "," only, one height per pedestal,
    /// pedestals past the last number taking the last number. A text that
    /// yields no number while the count is positive gives a height of 0 per
    /// pedestal: the list still matches the count, and the component's design
    /// check reports the missing height instead of the drawing silently
    /// showing fewer pedestals.
    std::shared_ptr<RXDSGNMOD::CRXComponent> GetComponent() override;

    /// Export: the construction block and the settings block of the shared
    /// record, "高度名称" with the list name, the list header and one row per
    /// list row (bridge part, number, count, heights). Empty when no
    /// DS_ui_CSH_data is attached.
    void set_excel_exchange_p0(excel_table& table) override;

    /// Import, by position from row 0, one field per row under the single
    /// drawing's rule: a row that is missing or has fewer than two cells ends
    /// the import there, every later field keeping its value. The list is
    /// read only when every property row up to "高度名称" was taken; see
    /// get_excel_exchange_p0_about_csh for the list rows.
    void get_excel_exchange_p0(const excel_table& table) override;

private:
    /// Appends ("高度名称", name's m_strH).
    void set_excel_exchange_p0_about_cshname(excel_table& table, const DS_CSH_Name& name);
    /// Appends the list header and one four-cell row per list row.
    void set_excel_exchange_p0_about_csh(excel_table& table, const std::vector<DS_CSH_LB_Data>& rows);
    /// Reads the list name from the row at `row` under the per-field rule.
    void get_excel_exchange_p0_about_cshname(const excel_table& table, DS_CSH_Name& name, unsigned int& row);
    /// The list rows. The row at `row` is the list header and is stepped over
    /// whatever it holds; every later row of the table, to its end, is one
    /// list row, started from a default-constructed DS_CSH_LB_Data and taking
    /// cell 0 into m_strQF, cell 1 (atoi) into m_iNum, cell 2 (atoi) into
    /// m_iCount and cell 3 into m_strH, each only when the row has that cell.
    /// The rows read replace the list, so exporting, editing and importing
    /// gives the list that was edited (its other fields take the row's
    /// constructed values, as they have no cells). When the table ends before
    /// the header the list is left as it was. `row` ends past the table.
    void get_excel_exchange_p0_about_csh(const excel_table& table, std::vector<DS_CSH_LB_Data>& rows,
                                         unsigned int& row);
};

}  // namespace VQDraw_DS_UINA
