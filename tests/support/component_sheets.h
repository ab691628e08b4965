// component_sheets: the sheets a drawing component lays out for a record,
// taken out of the papers it hands over (which the caller would otherwise own).
#pragma once

#include <vector>

#include "host/drawing_lib/rx_component_dsgj.h"
#include "host/sheet_model/sheet_model.h"

namespace ds_test {

inline std::vector<ds_sheet::sheet> sheets_of(const VQDraw_DS_GJNA::DS_draw_data& data)
{
    VQDraw_DS_GJNA::CRXComponent_DSGJ component(data);
    std::vector<RXDSGNMOD::CRXPaper*> raw;
    component.CreatPaper(raw);
    std::vector<ds_sheet::sheet> sheets;
    for (auto* p : raw) {
        sheets.push_back(p->sheet);
        delete p;
    }
    return sheets;
}

}  // namespace ds_test
