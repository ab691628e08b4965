// Shared filling of the drawing component's input record.
#include "drawing/ds_component_input.h"

#include "host/drawing_lib/rx_component_dsgj.h"
#include "host/framework/common_string_tools.h"
#include "host/rebar/steel_data_transform.h"

namespace VQDraw_DS_UINA {

std::vector<double> ds_heights_for_count(const CString& text, const CString& separators, int count)
{
    const std::vector<double> numbers = common_string_tools::Get_DblVec_From_str(text, separators);
    std::vector<double> heights;
    for (int i = 0; i < count; ++i) {
        const auto index = static_cast<std::size_t>(i);
        if (index < numbers.size()) heights.push_back(numbers[index]);
        else heights.push_back(numbers.empty() ? 0.0 : numbers.back());
    }
    return heights;
}

const RXDSGNMOD::CRXComponentSteelP0* ds_first_steel_group(const steel_data& steel)
{
    std::vector<RXDSGNMOD::CRXComponentSteelP0*> groups;
    steel_data_transform::get_steel_data_group(steel, groups);
    return groups.empty() ? nullptr : groups.front();
}

void ds_fill_drawset_fields(VQDraw_DS_GJNA::DS_draw_data& record, const DS_steel_DrawSet& drawSet)
{
    const common_gj_data_drawset& common = drawSet.com_drawset;
    record.m_strDSNumber = drawSet.m_DS_number;
    record.m_iScaleElevation = common.m_iScale;
    record.m_iScalePlan = common.m_iScale;
    record.m_iScaleDetail = common.m_iScale;
    record.m_strConcreteType = common.m_strConcreteType;
    record.m_strCustomNote = common.m_strCustomNote;
}

std::shared_ptr<RXDSGNMOD::CRXComponent> ds_make_component(const VQDraw_DS_GJNA::DS_draw_data& record)
{
    return std::make_shared<VQDraw_DS_GJNA::CRXComponent_DSGJ>(record);
}

}  // namespace VQDraw_DS_UINA
