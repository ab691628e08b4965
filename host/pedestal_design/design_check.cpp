// Checks of a pedestal drawing record against the host's limits.
#include "host/pedestal_design/design_check.h"

#include "host/pedestal_design/cage_layout.h"
#include "host/pedestal_design/rebar_geometry.h"
#include "host/fields/field_catalogue.h"
#include "host/fields/input_limits.h"
#include "host/framework/string_tools.h"
#include "host/rebar/rx_component_steel_p0.h"
#include "host/text/number_format.h"

namespace VQDraw_DS_GJNA {

namespace {

using string_tools::num_to_string;

/// A value as a person reads it: whole numbers plainly, others with up to six
/// significant digits, and huge or not-a-number values as C prints them.
CString value_text(double value) { return CString(number_format::significant(value, 6)); }

/// The range a door accepts for the field `name`: the design check holds a
/// record to the same limits the grid and the spreadsheet import apply.
const field_catalogue::number_range& range_of(const char* name) { return field_catalogue::find_named(name)->range; }

bool fits(const char* name, double value) { return field_catalogue::accepts(range_of(name), value); }

/// "(0, 100000] mm": the range of field `name` as an interval.
CString interval(const char* name, const char* unit)
{
    const field_catalogue::number_range& r = range_of(name);
    return CString(r.min_open ? "(" : "[") + value_text(r.min) + ", " + value_text(r.max) + (r.max_open ? ")" : "]") + unit;
}

CString size_range() { return interval("row.width", " mm"); }

/// What a finding calls field `name`: its caption in the table that shows it
/// (`table`, else the parametric list), without the unit the limit states.
CString caption_of(const char* name, const char* table = field_catalogue::tables::param_list)
{
    return CString(field_catalogue::caption_without_unit(name, table));
}

class row_checker {
public:
    row_checker(std::vector<CString>& findings, CString where) : m_findings(findings), m_where(std::move(where)) {}

    void fail(const CString& field, const CString& value, const CString& limit)
    {
        m_findings.push_back(m_where + "：" + field + " " + value + " 超出范围 " + limit);
    }
    void note(const CString& what) { m_findings.push_back(m_where + "：" + what); }

    void size(const CString& field, double value)
    {
        if (!fits("row.width", value)) fail(field, value_text(value), size_range());
    }

    void check(const DS_steel_pram_parameter& param)
    {
        if (!fits("row.count", param.m_iCount))
            fail(caption_of("row.count"), num_to_string(param.m_iCount), "0~" + value_text(range_of("row.count").max));
        size(caption_of("row.width"), param.m_dWidth);
        size(caption_of("row.length"), param.m_dLength);
        if (!fits("row.angle", param.m_dAngle))
            fail(caption_of("row.angle"), value_text(param.m_dAngle), interval("row.angle", " 度"));
        check_heights(param);
        check_rebar(param);
    }

private:
    void check_heights(const DS_steel_pram_parameter& param)
    {
        const CString heights = caption_of("row.heights", field_catalogue::parametric_sheet_list);
        if (param.m_iCount >= 0 && param.m_vecHeights.size() != static_cast<std::size_t>(param.m_iCount))
            note(heights + "个数 " + num_to_string(static_cast<int>(std::min<std::size_t>(param.m_vecHeights.size(), 1u << 30))) +
                 " 与" + caption_of("row.count") + " " + num_to_string(param.m_iCount) + " 不符");
        for (double height : param.m_vecHeights) {
            if (!fits("row.heights", height)) {
                fail(heights, value_text(height), size_range());
                return;
            }
            if (param.m_pSteelGroup && mesh_layers(height) == 0) {
                note(heights + " " + value_text(height) + " mm 放不下一层钢筋网(至少 " + value_text(2 * mesh_cover_mm) + " mm)");
                return;
            }
        }
    }

    void check_rebar(const DS_steel_pram_parameter& param)
    {
        if (!param.m_pSteelGroup || param.m_pSteelGroup->GetBars().empty()) {
            note("没有钢筋");
            return;
        }
        const pedestal_plan plan{param.m_dWidth, param.m_dLength, param.m_dAngle};
        const auto& lines = param.m_pSteelGroup->GetBars();
        const double inset = cage_of(lines).mesh_inset();
        for (std::size_t i = 0; i < lines.size(); ++i) check_bar(lines[i], i, plan, inset);
    }

    void check_bar(const steel_bar_row& bar, std::size_t index, const pedestal_plan& plan, double inset)
    {
        const CString name = "钢筋" + bar.m_mark;
        const char* const rebar = field_catalogue::tables::rebar;
        if (!fits("bar.diameter", bar.m_diameter))
            fail(name + caption_of("bar.diameter", rebar), value_text(bar.m_diameter), interval("bar.diameter", " mm"));
        if (!fits("bar.count", bar.m_count))
            fail(name + caption_of("bar.count", rebar), num_to_string(bar.m_count), "0~" + value_text(range_of("bar.count").max));
        else if (bar.m_count == 0 && !fits("row.width", bar.m_spacing))
            fail(name + caption_of("bar.spacing", rebar), value_text(bar.m_spacing), size_range());
        const layer_bars laid = bars_in_layer(bar, index, plan, inset);
        if (laid.wanted > input_limits::max_bars_per_line)
            fail(name + "每层根数", value_text(laid.wanted), "1~" + num_to_string(input_limits::max_bars_per_line));
        else if (laid.count == 0 && bar.m_count >= 0 && fits("row.width", plan.width) && fits("row.length", plan.length))
            note(name + "在此尺寸下一根也布置不下");
    }

    std::vector<CString>& m_findings;
    CString m_where;
};

CString row_place(std::size_t g, std::size_t r, const DS_steel_pram_parameter& param)
{
    return "第" + num_to_string(static_cast<int>(g + 1)) + "组第" + num_to_string(static_cast<int>(r + 1)) + "行(" +
           param.m_strName + " " + num_to_string(param.m_iPierNum) + "号)";
}

}  // namespace

std::vector<CString> check_draw_data(const DS_draw_data& data)
{
    std::vector<CString> findings;
    if (data.m_vecParamGroups.empty()) findings.push_back("没有垫石参数");
    for (const auto& [name, scale] : {std::pair<const char*, int>{"立面比例", data.m_iScaleElevation},
                                      {"平面比例", data.m_iScalePlan},
                                      {"大样比例", data.m_iScaleDetail}})
        if (!fits("settings.scale", scale))
            findings.push_back(CString(name) + " 1:" + num_to_string(scale) + " 超出范围 1:" +
                               value_text(range_of("settings.scale").min) + "~1:" + value_text(range_of("settings.scale").max));
    for (std::size_t g = 0; g < data.m_vecParamGroups.size(); ++g) {
        const auto& group = data.m_vecParamGroups[g];
        if (group.empty()) findings.push_back("第" + num_to_string(static_cast<int>(g + 1)) + "组没有垫石");
        for (std::size_t r = 0; r < group.size(); ++r) row_checker(findings, row_place(g, r, group[r])).check(group[r]);
    }
    return findings;
}

}  // namespace VQDraw_DS_GJNA
