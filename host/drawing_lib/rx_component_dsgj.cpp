// CRXComponent_DSGJ: checks, layout, sheets and quantities of pedestal drawings.
#include "host/drawing_lib/rx_component_dsgj.h"

#include <utility>

#include "host/pedestal_design/design_check.h"
#include "host/pedestal_design/drawing_check.h"
#include "host/drawing_lib/sheet_layout.h"
#include "host/drawing_lib/sheet_tables.h"
#include "host/framework/string_tools.h"
#include "host/sheet_model/text_metrics.h"

namespace VQDraw_DS_GJNA {

namespace {

using ds_sheet::number_text;
using string_tools::num_to_string;

CString group_caption(std::size_t group) { return "第" + num_to_string(static_cast<int>(group + 1)) + "组"; }

CString row_caption(std::size_t group, std::size_t row)
{
    return group_caption(group) + "第" + num_to_string(static_cast<int>(row + 1)) + "行";
}

}  // namespace

CRXComponent_DSGJ::CRXComponent_DSGJ(DS_draw_data data) : m_data(std::move(data)) {}

CRXComponent_DSGJ::~CRXComponent_DSGJ() = default;

void CRXComponent_DSGJ::FillPositions(const CString& position)
{
    if (position.IsEmpty()) return;
    for (auto& group : m_data.m_vecParamGroups)
        for (DS_steel_pram_parameter& p : group)
            if (p.m_strPos.IsEmpty()) p.m_strPos = position;
}

bool CRXComponent_DSGJ::Design()
{
    m_group_bars.clear();
    m_quantities.clear();
    m_designed = true;
    m_passed = false;
    m_messages = check_draw_data(m_data);
    if (!m_messages.empty()) return false;
    for (const auto& group : m_data.m_vecParamGroups) {
        m_quantities.push_back(compute_quantities(group));
        m_group_bars.push_back(m_quantities.back().bar_count);
    }
    m_passed = true;
    return true;
}

bool CRXComponent_DSGJ::designed() { return m_designed ? m_passed : Design(); }

bool CRXComponent_DSGJ::Draw(CString target)
{
    m_drawn.clear();
    if (target.IsEmpty() || !designed()) return false;
    const CString scale = "1:" + num_to_string(m_data.m_iScalePlan);
    for (std::size_t g = 0; g < m_data.m_vecParamGroups.size(); ++g) {
        const auto& group = m_data.m_vecParamGroups[g];
        for (std::size_t r = 0; r < group.size(); ++r) {
            const DS_steel_pram_parameter& param = group[r];
            for (std::size_t i = 0; i < param.m_vecHeights.size(); ++i) {
                m_drawn.push_back(target + " " + row_caption(g, r) + " 垫石" + num_to_string(static_cast<int>(i + 1)) +
                                  " " + number_text(param.m_dWidth) + "×" + number_text(param.m_dLength) + "×" +
                                  number_text(param.m_vecHeights[i]) + " " + scale);
            }
        }
    }
    return true;
}

void CRXComponent_DSGJ::CreatPaper(std::vector<RXDSGNMOD::CRXPaper*>& papers)
{
    m_drawing_messages.clear();
    std::vector<ds_sheet::sheet> sheets;
    if (designed()) {
        sheets = layout_sheets(m_data, m_quantities, &m_drawing_messages);
        for (CString& finding : check_drawing(m_data, m_quantities, sheets)) m_drawing_messages.push_back(std::move(finding));
    } else {
        sheets = findings_sheets(m_data, m_messages);
    }
    for (ds_sheet::sheet& page : sheets) papers.push_back(new RXDSGNMOD::CRXPaper(std::move(page)));
}

void CRXComponent_DSGJ::GetMaterialData(std::vector<std::map<CString, CString>>& rows)
{
    if (!designed()) return;
    for (std::size_t g = 0; g < m_quantities.size(); ++g) {
        const group_quantities& q = m_quantities[g];
        rows.push_back({{"部位", group_caption(g)},
                        {"材料", "混凝土"},
                        {"规格", m_data.m_strConcreteType},
                        {"数量", number_text(q.concrete_volume, 3)},
                        {"单位", "立方米"}});
        for (const bar_quantity& bar : q.bars)
            rows.push_back({{"部位", group_caption(g)},
                            {"材料", "钢筋"},
                            {"编号", bar.mark},
                            {"规格", bar.grade + " " + diameter_text(bar.diameter)},
                            {"单根长(mm)", one_length_text(bar)},
                            {"根数", CString(std::to_string(bar.count))},
                            {"总长(m)", number_text(bar.total_length, 2)},
                            {"数量", number_text(bar.weight, 2)},
                            {"单位", "kg"}});
    }
}

}  // namespace VQDraw_DS_GJNA
