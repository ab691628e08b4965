// CRXComponent_DSGJ: checks, layout, sheets and quantities of pedestal drawings.
#include "host/drawing_lib/rx_component_dsgj.h"

#include <cmath>
#include <utility>

#include "host/drawing_lib/rx_component_steel_p0.h"
#include "host/framework/common_string_tools.h"
#include "host/framework/string_tools.h"

namespace VQDraw_DS_GJNA {

namespace {

using string_tools::num_to_string;

CString length_text(double value) { return num_to_string(value, 1, true); }

// Bars laid out by spacing run across the pedestal, so the width sets their number.
int bars_of_line(const steel_bar_row& bar, double width)
{
    if (bar.m_count > 0) return bar.m_count;
    if (bar.m_spacing <= 0.0 || width <= 0.0) return 0;
    return static_cast<int>(std::floor(width / bar.m_spacing)) + 1;
}

int bars_per_pedestal(const DS_steel_pram_parameter& param)
{
    if (!param.m_pSteelGroup) return 0;
    int bars = 0;
    for (const steel_bar_row& bar : param.m_pSteelGroup->GetBars()) bars += bars_of_line(bar, param.m_dWidth);
    return bars;
}

CString group_caption(std::size_t group) { return "第" + num_to_string(static_cast<int>(group + 1)) + "组"; }

CString row_caption(std::size_t group, std::size_t row)
{
    return group_caption(group) + "第" + num_to_string(static_cast<int>(row + 1)) + "行";
}

// One line of a sheet's parameter table.
CString parameter_line(const DS_steel_pram_parameter& param)
{
    CString line = param.m_strName;
    if (!param.m_strDSType.IsEmpty()) line += " 垫石" + param.m_strDSType;
    line += " 个数" + num_to_string(param.m_iCount);
    line += " " + length_text(param.m_dWidth) + "×" + length_text(param.m_dLength);
    line += " 高度" + common_string_tools::Dbl_Vec_To_Str(param.m_vecHeights, 1);
    line += " 斜交角" + length_text(param.m_dAngle);
    if (!param.m_strPos.IsEmpty()) line += " " + param.m_strPos;
    return line;
}

CString sheet_title(const DS_draw_data& data, std::size_t group)
{
    CString title = data.m_strPierName.IsEmpty() ? CString("垫石钢筋构造图") : data.m_strPierName + "垫石钢筋构造图";
    const std::size_t groups = data.m_vecParamGroups.size();
    if (groups > 1) title += "(" + num_to_string(static_cast<int>(group + 1)) + "/" + num_to_string(static_cast<int>(groups)) + ")";
    return title;
}

double concrete_volume(const std::vector<DS_steel_pram_parameter>& group)
{
    double cubic_mm = 0.0;
    for (const DS_steel_pram_parameter& param : group)
        for (double height : param.m_vecHeights) cubic_mm += param.m_dWidth * param.m_dLength * height;
    return cubic_mm / 1e9;
}

}  // namespace

CRXComponent_DSGJ::CRXComponent_DSGJ(DS_draw_data data) : m_data(std::move(data)) {}

CRXComponent_DSGJ::~CRXComponent_DSGJ() = default;

void CRXComponent_DSGJ::check_parameter(const DS_steel_pram_parameter& param, const CString& where)
{
    auto fail = [&](const char* what) { m_messages.push_back(where + "：" + what); };
    if (param.m_iCount < 0) fail("垫石个数不能为负");
    if (param.m_dWidth <= 0.0) fail("横桥向宽度必须大于0");
    if (param.m_dLength <= 0.0) fail("顺桥向长度必须大于0");
    if (param.m_dAngle <= 0.0 || param.m_dAngle >= 180.0) fail("斜交角必须在0与180度之间");
    if (param.m_iCount >= 0 && param.m_vecHeights.size() != static_cast<std::size_t>(param.m_iCount))
        fail("高度个数与垫石个数不符");
    for (double height : param.m_vecHeights) {
        if (height > 0.0) continue;
        fail("高度必须大于0");
        break;
    }
}

bool CRXComponent_DSGJ::Design()
{
    m_messages.clear();
    m_group_bars.clear();
    if (m_data.m_vecParamGroups.empty()) m_messages.push_back("没有垫石参数");
    if (m_data.m_iScaleElevation <= 0 || m_data.m_iScalePlan <= 0 || m_data.m_iScaleDetail <= 0)
        m_messages.push_back("比例必须大于0");
    for (std::size_t g = 0; g < m_data.m_vecParamGroups.size(); ++g) {
        const auto& group = m_data.m_vecParamGroups[g];
        int bars = 0;
        for (std::size_t r = 0; r < group.size(); ++r) {
            check_parameter(group[r], row_caption(g, r));
            if (group[r].m_iCount > 0) bars += group[r].m_iCount * bars_per_pedestal(group[r]);
        }
        m_group_bars.push_back(bars);
    }
    return m_messages.empty();
}

bool CRXComponent_DSGJ::Draw(CString target)
{
    m_drawn.clear();
    if (target.IsEmpty() || !Design()) return false;
    const CString scale = "1:" + num_to_string(m_data.m_iScalePlan);
    for (std::size_t g = 0; g < m_data.m_vecParamGroups.size(); ++g) {
        const auto& group = m_data.m_vecParamGroups[g];
        for (std::size_t r = 0; r < group.size(); ++r) {
            const DS_steel_pram_parameter& param = group[r];
            for (std::size_t i = 0; i < param.m_vecHeights.size(); ++i) {
                m_drawn.push_back(target + " " + row_caption(g, r) + " 垫石" + num_to_string(static_cast<int>(i + 1)) + " " +
                                  length_text(param.m_dWidth) + "×" + length_text(param.m_dLength) + "×" +
                                  length_text(param.m_vecHeights[i]) + " " + scale);
            }
        }
    }
    return true;
}

void CRXComponent_DSGJ::CreatPaper(std::vector<RXDSGNMOD::CRXPaper*>& papers)
{
    for (std::size_t g = 0; g < m_data.m_vecParamGroups.size(); ++g) {
        auto* paper = new RXDSGNMOD::CRXPaper(sheet_title(m_data, g));
        for (const DS_steel_pram_parameter& param : m_data.m_vecParamGroups[g]) paper->lines.push_back(parameter_line(param));
        if (g < m_data.m_vecHeightLabels.size() && !m_data.m_vecHeightLabels[g].IsEmpty())
            paper->lines.push_back("高度标注：" + m_data.m_vecHeightLabels[g]);
        if (g < m_data.m_vecGroupNotes.size()) {
            const auto& notes = m_data.m_vecGroupNotes[g];
            for (std::size_t n = 0; n < notes.size(); ++n)
                paper->lines.push_back("附注" + num_to_string(static_cast<int>(n + 1)) + "：" + notes[n]);
        }
        if (!m_data.m_strCustomNote.IsEmpty()) paper->lines.push_back("自定义附注：" + m_data.m_strCustomNote);
        papers.push_back(paper);
    }
}

void CRXComponent_DSGJ::GetMaterialData(std::vector<std::map<CString, CString>>& rows)
{
    for (std::size_t g = 0; g < m_data.m_vecParamGroups.size(); ++g) {
        const auto& group = m_data.m_vecParamGroups[g];
        rows.push_back({{"部位", group_caption(g)},
                        {"材料", "混凝土"},
                        {"规格", m_data.m_strConcreteType},
                        {"数量", num_to_string(concrete_volume(group), 3, false)},
                        {"单位", "立方米"}});
        for (const DS_steel_pram_parameter& param : group) {
            if (!param.m_pSteelGroup || param.m_iCount <= 0) continue;
            for (const steel_bar_row& bar : param.m_pSteelGroup->GetBars()) {
                rows.push_back({{"部位", group_caption(g)},
                                {"材料", "钢筋"},
                                {"编号", bar.m_mark},
                                {"规格", bar.m_grade + " " + length_text(bar.m_diameter)},
                                {"数量", num_to_string(param.m_iCount * bars_of_line(bar, param.m_dWidth))},
                                {"单位", "根"}});
            }
        }
    }
}

}  // namespace VQDraw_DS_GJNA
