// DS_ui_drawing_strategy: drawing strategy of a single pedestal drawing.
//
// Turns the attached DS_ui_data into the input record of the pedestal rebar
// drawing library and returns the library's component, and exchanges the
// drawing's data with spreadsheet tables. The row blocks of the construction
// data and the drawing settings are public so the parametric drawing's
// exchange makes and reads the very same rows.
#pragma once

#include <memory>

#include "host/ui_base/graph_drawing_strategy_base.h"

namespace VQDraw_DS_UINA {

class DS_GZ_Gen;
class DS_steel_DrawSet;

class DS_ui_drawing_strategy : public graph_drawing_strategy_base {
    DECLARE_DYNCREATE(DS_ui_drawing_strategy)
public:
    DS_ui_drawing_strategy() = default;
    ~DS_ui_drawing_strategy() override = default;

    /// The drawing component of the attached single drawing, built from a copy
    /// of it (the drawing itself is not touched); empty when no DS_ui_data is attached.
    std::shared_ptr<RXDSGNMOD::CRXComponent> GetComponent() override;
    /// Export: replaces `table` with the header, the reference rows and the two
    /// blocks; leaves it empty when no DS_ui_data is attached.
    void set_excel_exchange_p0(excel_table& table) override;
    /// Import: reads the value cells from row 1 on, by position, into the
    /// attached drawing; stops at the first row with fewer than two cells.
    void get_excel_exchange_p0(const excel_table& table) override;

    /// Appends the construction block (width to position), one row per field.
    static void set_excel_exchange_p0_about_gen(excel_table& table, const DS_GZ_Gen& gz);
    /// Appends the settings block (pedestal number to custom note).
    static void set_excel_exchange_p0_about_drawSet(excel_table& table, const DS_steel_DrawSet& drawSet);
    /// Reads the construction block from row `row` on; `row` is left on the first row not consumed.
    static void get_excel_exchange_p0_about_gen(const excel_table& table, DS_GZ_Gen& gz, unsigned int& row);
    /// Reads the settings block from row `row` on; `row` is left on the first row not consumed.
    static void get_excel_exchange_p0_about_drawSet(const excel_table& table, DS_steel_DrawSet& drawSet, unsigned int& row);
};

}  // namespace VQDraw_DS_UINA
