// Rows of the parameter, quantity, pedestal-number and per-pier tables.
#include "host/drawing_lib/sheet_tables.h"

#include <cmath>

#include <algorithm>

#include "host/pedestal_design/rebar_cage.h"
#include "host/framework/string_tools.h"
#include "host/sheet_model/text_metrics.h"
#include "host/text/number_format.h"

namespace VQDraw_DS_GJNA {

namespace {

using string_tools::num_to_string;
using ds_sheet::number_text;

constexpr double table_text = 3.5;
constexpr double heights_column = 37.0;  // four heights of three digits, one by one

CString support_number(const DS_steel_pram_parameter& param, const CString& fallback = {})
{
    const CString& type = param.m_strSupportType.IsEmpty() ? fallback : param.m_strSupportType;
    CString text = num_to_string(param.m_iPierNum) + "号";
    if (type.Find("墩") >= 0) text += "墩";
    else if (type.Find("台") >= 0) text += "台";
    return text;
}

CString support_kind(const DS_steel_pram_parameter& param, const CString& fallback)
{
    const CString& type = param.m_strSupportType.IsEmpty() ? fallback : param.m_strSupportType;
    if (type.Find("墩") >= 0) return "桥墩";
    if (type.Find("台") >= 0) return "桥台";
    if (!param.m_strDSType.IsEmpty()) return param.m_strDSType;
    return "-";
}

/// Values one by one while they fit `width`, else "least~most".
CString listed_or_range(const std::vector<double>& values, double width, const char* separator = ",")
{
    if (values.empty()) return "-";
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    if (*least == *most) return number_text(*least);
    CString listed;
    for (std::size_t i = 0; i < values.size(); ++i) {
        listed += (i ? separator : "") + number_text(values[i]);
        if (ds_sheet::text_width(listed, table_text) > width - 1.0) break;
    }
    if (ds_sheet::text_width(listed, table_text) <= width - 1.0) return listed;
    return number_text(*least) + "~" + number_text(*most);
}

CString count_text(std::int64_t n) { return CString(std::to_string(n)); }

/// A quantity with a fixed number of decimals, as schedules align them: "73.0", "0.230".
CString fixed_text(double value, int digits) { return CString(number_format::fixed(value, digits)); }

}  // namespace

CString diameter_text(double diameter) { return "Φ" + number_text(diameter); }

CString one_length_text(const bar_quantity& bar)
{
    const CString least = number_text(bar.one_length, 0);
    return bar.longest > bar.one_length ? least + "~" + number_text(bar.longest, 0) : least;
}

table_content parameter_table(const std::vector<DS_steel_pram_parameter>& group, const CString& height_label,
                              const CString& support_type)
{
    table_content table{"垫石参数表",
                        {20.0, 13.0, 13.0, 17.0, 11.0, 16.0, 16.0, heights_column, 12.0},
                        {"桥幅/墩台", "墩台号", "类型", "位置", "个数", "宽(mm)", "长(mm)",
                         height_label.IsEmpty() ? CString("高(mm)") : "高" + height_label + "(mm)", "θ(°)"},
                        {}};
    table.rows.reserve(group.size());
    for (const DS_steel_pram_parameter& p : group)
        table.rows.push_back({p.m_strName, support_number(p, support_type), support_kind(p, support_type), p.m_strPos.IsEmpty() ? CString("-") : p.m_strPos,
                              num_to_string(p.m_iCount), number_text(p.m_dWidth), number_text(p.m_dLength),
                              listed_or_range(p.m_vecHeights, heights_column), number_text(p.m_dAngle)});
    return table;
}

table_content quantity_table(const group_quantities& q, const CString& concrete_grade)
{
    table_content table{"工程数量表",
                        {17.0, 15.0, 19.0, 23.0, 12.0, 16.0, 25.0, 22.0},
                        {"编号", "钢种", "直径(mm)", "单根长(mm)", "根数", "总长(m)", "单位重(kg/m)", "重量(kg)"},
                        {}};
    for (const bar_quantity& bar : q.bars)
        table.rows.push_back({bar.mark, bar.grade, number_text(bar.diameter), one_length_text(bar),
                              count_text(bar.count), fixed_text(bar.total_length, 2),
                              fixed_text(unit_weight(bar.diameter), 3), fixed_text(bar.weight, 1)});
    // Totals are the sums of the rows as printed, so that a reader adding them up finds the total.
    const auto printed = [](double kg) { return std::round(kg * 10.0) / 10.0; };
    double all = 0.0;
    for (const diameter_total& total : q.totals) {
        double sum = 0.0;
        for (const bar_quantity& bar : q.bars)
            if (bar.diameter == total.diameter) sum += printed(bar.weight);
        all += sum;
        table.rows.push_back({"合计", "", diameter_text(total.diameter), "", "", "", "", fixed_text(sum, 1)});
    }
    table.rows.push_back({"钢筋总重", "", "", "", "", "", "", fixed_text(q.totals.empty() ? q.steel_weight : all, 1)});
    table.rows.push_back({"混凝土", concrete_grade.IsEmpty() ? CString("-") : concrete_grade, "", "", "", "",
                          "体积(立方米)", fixed_text(q.concrete_volume, 3)});
    return table;
}

table_content pedestal_numbers(const DS_steel_pram_parameter& row, const row_total& totals, const std::vector<steel_bar_row>* bars)
{
    table_content table{"垫石编号表", {20.0, 26.0, 30.0, 30.0}, {"编号", "高h(mm)", "钢筋网层数", "箍筋道数"}, {}};
    const steel_bar_row* tie = nullptr;
    if (bars)
        for (const steel_bar_row& bar : *bars)
            if (!tie && kind_of(bar) == bar_kind::tie) tie = &bar;
    const pedestal_plan plan{row.m_dWidth, row.m_dLength, row.m_dAngle};
    for (std::size_t i = 0; i < totals.layers.size() && i < row.m_vecHeights.size(); ++i) {
        const double h = row.m_vecHeights[i];
        table.rows.push_back({num_to_string(static_cast<int>(i + 1)) + "#", number_text(h), count_text(totals.layers[i]),
                              tie ? count_text(ties_of(*tie, plan, h, thickest_mesh_bar(*bars) > 0.0).count) : CString("-")});
    }
    return table;
}

table_content per_pier_table(const std::vector<DS_steel_pram_parameter>& group, const group_quantities& q)
{
    table_content table{"各墩台数量表",
                        {20.0, 13.0, 17.0, heights_column, 16.0, 19.0, 27.0},
                        {"桥幅/墩台", "墩台号", "位置", "高h(mm)", "网层数", "钢筋(kg)", "混凝土(立方米)"},
                        {}};
    table.rows.reserve(group.size());
    for (std::size_t r = 0; r < group.size() && r < q.rows.size(); ++r) {
        const DS_steel_pram_parameter& p = group[r];
        std::vector<double> layers(q.rows[r].layers.begin(), q.rows[r].layers.end());
        table.rows.push_back({p.m_strName, support_number(p), p.m_strPos.IsEmpty() ? CString("-") : p.m_strPos,
                              listed_or_range(p.m_vecHeights, heights_column), listed_or_range(layers, 18.0),
                              fixed_text(q.rows[r].steel_weight, 1), fixed_text(q.rows[r].concrete_volume, 3)});
    }
    return table;
}

}  // namespace VQDraw_DS_GJNA
